# Thin targets over CMake. Each one installs what it needs first, so a fresh
# Debian or Ubuntu machine needs nothing else.
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure -j $(JOBS)

.PHONY: deps build test demo run bench clean

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir build/default $(CTEST_FLAGS)

clean:
	rm -rf build
