# Thin targets over CMake. Each one installs what it needs first, so a fresh
# Debian or Ubuntu machine needs nothing else.
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure -j $(JOBS)

.PHONY: deps build test test-sanitize fuzz test-windows demo run bench clean examples screenshot format tidy

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

# Every native test built with AddressSanitizer and UBSan; any report fails.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer-suppressions.txt

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --test-dir build/sanitize $(CTEST_FLAGS)

# libFuzzer targets with ASan and UBSan, each run for FUZZ_SECONDS, seeded
# with examples/, the seeds in fuzz/seeds and the regression inputs. A crash
# leaves its input in build/fuzz/artifacts and fails the target.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = read_audio_info version_to_number

fuzz:
	@scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p build/fuzz/artifacts
	@for target in $(FUZZ_TARGETS); do \
	  corpus=build/fuzz/corpus/$$target; mkdir -p $$corpus; \
	  seeds="tests/fuzz-regressions/$$target"; \
	  [ -d fuzz/seeds/$$target ] && seeds="$$seeds fuzz/seeds/$$target"; \
	  [ $$target = read_audio_info ] && seeds="$$seeds examples/ok examples/damaged"; \
	  echo "fuzzing $$target for $(FUZZ_SECONDS) s"; \
	  build/fuzz/fuzz/$${target}_fuzzer $$corpus $$seeds -max_total_time=$(FUZZ_SECONDS) \
	    -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ -max_len=65536 \
	    2>build/fuzz/$$target.log || { tail -40 build/fuzz/$$target.log; exit 1; }; \
	  grep -E "stat::number_of_executed_units|cov:" build/fuzz/$$target.log | tail -2; \
	done

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
