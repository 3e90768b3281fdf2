# Thin targets over CMake. Each one installs what it needs first, so a fresh
# Debian or Ubuntu machine needs nothing else.
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure -j $(JOBS)

.PHONY: deps build test test-windows demo run bench clean examples screenshot format tidy

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir build/default $(CTEST_FLAGS)

# The core, the platform layer, brevolt-scan and their tests for 64-bit
# Windows, the tests run under Wine.
test-windows:
	@scripts/install-deps windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	WINEDEBUG=-all WINEPREFIX=$(CURDIR)/build/wine-prefix ctest --test-dir build/windows --output-on-failure

clean:
	rm -rf build

# The examples: every reason the scanner reports. Codes 1 and 4 only arise
# for paths given directly, so the demo names two such paths as well. A
# report of damaged files (status 1) is the expected outcome here.
demo: build
	build/default/src/cli/brevolt-scan examples/ \
	  examples/damaged/04-renamed.wav.bak examples/damaged/01-deleted.wav; \
	  status=$$?; [ $$status -eq 0 ] || [ $$status -eq 1 ]

bench: build
	@scripts/install-deps bench
	bench/run $(BENCH_ARGS)

examples:
	scripts/make-examples

# The window. Needs a display; on a machine without one use xvfb-run.
run: build
	build/default/src/app/brevolt

screenshot: build
	scripts/screenshot

SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(SOURCES)

tidy: build
	clang-tidy -p build/default --quiet $(filter %.cpp,$(filter-out tools/% tests/%,$(SOURCES)))
