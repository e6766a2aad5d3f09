# Talvique: the two commands a person needs are `make run` and `make test`.
# Every target installs what is missing first (scripts/setup.sh).
BUILD  ?= $(CURDIR)/build
NATIVE := $(BUILD)/native
WIN32  := $(BUILD)/win32
WIN64  := $(BUILD)/win64
BENCH  := $(BUILD)/bench
FUZZ   := $(BUILD)/fuzz
JOBS   ?= $(shell nproc)
FUZZ_SECONDS ?= 60
export TALV_WINEPREFIX := $(BUILD)/wineprefix
export TALV_WINEPREFIX64 := $(BUILD)/wineprefix64
SHELL  := /bin/bash

.PHONY: all setup native win32 win64 windows test test-native test-fuzz test-windows bench \
        fuzz fuzz-build clean \
        run demo dist

all: windows

setup:
	@bash scripts/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The target builds use the native tree's host tools (the window-definition
# serializer), so they come second. Both are always built, from the same
# sources: i686 in build/win32, x86_64 in build/win64.
win32: native
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTALV_HOST_BIN_DIR=$(NATIVE)/bin >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

win64: native
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTALV_HOST_BIN_DIR=$(NATIVE)/bin >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

windows: win32 win64

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# The Windows suites of the targets this machine runs (scripts/test-windows.sh
# decides, and says which in the last line).
test-windows: windows
	@scripts/with-display.sh scripts/test-windows.sh $(WIN32) $(WIN64)

test: test-native test-fuzz test-windows

# The tree of the Windows build that this machine runs: i686 where a tiny
# i686 program answers under Wine, x86_64 otherwise.
RUN_TREE = $(shell [ "$$(scripts/windows-targets.sh $(WIN32) | head -n 1)" = x86_64 ] && echo $(WIN64) || echo $(WIN32))

bench: setup
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DTALV_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@for b in $(BENCH)/bin/*_bench; do echo "== $$(basename $$b)"; $$b --benchmark_min_time=0.2; done

# The fuzz tree: every libFuzzer target under AddressSanitizer (clang).
fuzz-build: setup
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DTALV_SANITIZE=ON -DTALV_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target fuzz_targets

fuzz: fuzz-build
	@scripts/run-fuzz.sh $(FUZZ) $(FUZZ)/corpus -max_total_time=$(FUZZ_SECONDS)

# A brief run of every fuzz target, part of `make test`: a fixed number of
# inputs from a fresh corpus and the seeds, so that every target keeps
# building and running.
FUZZ_TEST_RUNS ?= 10000
test-fuzz: fuzz-build
	@rm -rf $(FUZZ)/test-corpus
	@scripts/run-fuzz.sh $(FUZZ) $(FUZZ)/test-corpus -runs=$(FUZZ_TEST_RUNS) -seed=1

# The calculator on this desktop's display, from the build tree (its
# steps.txt and peizi.ini land beside it), with the build's own Wine prefix.
run: windows
	@scripts/run-talvique.sh $(RUN_TREE)/bin/Talvique.exe

# The same program on a virtual display, driven through 1234.5 × 2 = by real
# clicks: a screenshot and the spoken readout as a WAVE file in build/demo.
demo: windows
	@tree=$(RUN_TREE); scripts/with-display.sh python3 tests/e2e/demo.py \
	  --exe $$tree/bin/Talvique.exe --probe $$tree/e2e/window_probe.exe --wav $$tree/bin/wav \
	  --tones $$tree/test-tones/wav --tone-map $$tree/test-tones/tones.tsv \
	  --layout $$tree/resources/main_window.layout --work $$tree/e2e/runs \
	  --wine-exec $(CURDIR)/scripts/wine-exec.sh --out $(BUILD)/demo

# Zips to unpack and run on Windows: Talvique.exe, its help page and its wav
# folder, the recordings' names stored as GBK bytes. Talvique.zip holds the i686 build
# (runs on every Windows), Talvique-x64.zip the x86_64 one.
dist: windows
	@scripts/make-dist.sh $(WIN32) $(BUILD)/dist/i686 $(BUILD)/Talvique.zip
	@scripts/make-dist.sh $(WIN64) $(BUILD)/dist/x64 $(BUILD)/Talvique-x64.zip

clean:
	rm -rf $(BUILD)
