# The README's commands.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?=
# ccache, when installed, shares compiled objects between checkouts of the tree.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build test test-linux test-windows test-sanitize fuzz bench run run-sub demo clean

all: build

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DZ9_BUILD_BENCHMARKS=ON $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Everything on Linux, then what needs no Qt built for Windows and run under Wine.
test: test-linux test-windows

test-linux: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole test suite built with ASan and UBSan, in $(BUILD)/sanitize. Leaks of
# the libraries underneath (fonts, Qt's plugins) are named in tests/sanitize/lsan.supp.
SANITIZE_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
test-sanitize: deps
	cmake -S . -B $(BUILD)/sanitize -G Ninja -DZ9_SANITIZE=address,undefined $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache) $(CMAKE_FLAGS)
	cmake --build $(BUILD)/sanitize -j $(JOBS)
	cd $(BUILD)/sanitize && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets of fuzz/, each for FUZZ_SECONDS (default 60); clang builds them in $(BUILD)/fuzzing.
FUZZ_SECONDS ?= 60
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) bash scripts/fuzz $(BUILD)

# The libraries without Qt, their Windows backends and their tests, cross-built
# with MinGW-w64 and run under Wine (Debian packages no Qt for MinGW).
test-windows: deps
	bash scripts/test-windows $(BUILD)-windows $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_counters_tabular=true || true; done

# Opens Z9Menu on the example main menu, with Z9Sub beside it for the task links;
# started in examples/ so the menu's links find their files.
run: configure
	cmake --build $(BUILD) --target Z9Menu Z9Sub -j $(JOBS)
	cd examples && "$(abspath $(BUILD))/bin/Z9Menu" main-menu.z9m

# Opens Z9Sub alone on the backup example; started in examples/ so its combo list file is found.
run-sub: configure
	cmake --build $(BUILD) --target Z9Sub -j $(JOBS)
	cd examples && "$(abspath $(BUILD))/bin/Z9Sub" nightly-backup.z9f

# Submits the backup example in submit mode against the development queue
# server, all under build/demo, and prints where the queued task file landed.
demo: configure
	cmake --build $(BUILD) --target Z9Sub Z9QueueServer -j $(JOBS)
	bash scripts/demo $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-windows
