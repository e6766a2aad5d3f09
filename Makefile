# Talvique: the two commands a person needs are `make run` and `make test`.
# Every target installs what is missing first (scripts/setup.sh).
BUILD  ?= $(CURDIR)/build
NATIVE := $(BUILD)/native
WIN32  := $(BUILD)/win32
BENCH  := $(BUILD)/bench
FUZZ   := $(BUILD)/fuzz
JOBS   ?= $(shell nproc)
FUZZ_SECONDS ?= 60
export TALV_WINEPREFIX := $(BUILD)/wineprefix
SHELL  := /bin/bash

.PHONY: all setup native win32 test test-native test-win32 bench fuzz clean

all: win32

setup:
	@bash scripts/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The target build uses the native tree's host tools (the window-definition
# serializer), so it comes second.
win32: native
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTALV_HOST_BIN_DIR=$(NATIVE)/bin >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-win32: win32
	@scripts/with-display.sh sh -c 'cd $(WIN32) && ctest --output-on-failure'

test: test-native test-win32

bench: setup
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DTALV_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@for b in $(BENCH)/bin/*_bench; do echo "== $$(basename $$b)"; $$b --benchmark_min_time=0.2; done

fuzz: setup
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DTALV_SANITIZE=ON -DTALV_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)
	@set -eo pipefail; for f in $(FUZZ)/bin/*_fuzz; do \
	  name=$$(basename $$f); mkdir -p $(FUZZ)/corpus/$$name; \
	  seeds=$(CURDIR)/fuzz/seeds/$$name; [ -d $$seeds ] || seeds=; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  log=$(FUZZ)/$$name.log; \
	  if ! $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $(FUZZ)/corpus/$$name $$seeds >$$log 2>&1; then \
	    tail -n 60 $$log; echo "== $$name FAILED (full log: $$log)"; exit 1; fi; \
	  grep -E '^(Done|stat::number_of_executed_units)' $$log || tail -n 3 $$log; \
	done

clean:
	rm -rf $(BUILD)
