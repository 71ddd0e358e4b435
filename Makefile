# Thin wrapper over CMake. `make run` builds and starts the editor, `make test` builds and runs
# every test. Both install missing Debian packages first.
BUILD      ?= build
# The sanitizer and fuzz builds live where CMakePresets.json puts them.
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
JOBS       ?= $(shell nproc)
# Extra CMake options for the configure step, e.g. CMAKE_OPTIONS=-DKALVO_WERROR=ON.
CMAKE_OPTIONS ?=
# Where `make install` puts the programs, the desktop entry and the icons.
PREFIX     ?= /usr/local

.PHONY: all deps configure build run test install asan test-asan fuzz bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTIONS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/kalvo

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# Debug build with AddressSanitizer, LeakSanitizer and UBSan (CMakePresets.json, preset asan);
# the whole test suite runs under it.
asan: deps
	@cmake --preset asan $(CMAKE_OPTIONS)
	@cmake --build --preset asan -j $(JOBS)

test-asan: asan
	@ctest --preset asan -j $(JOBS)

# libFuzzer targets (clang, preset fuzz); not part of `make test`.
fuzz:
	@bash scripts/install-deps.sh --fuzz
	@cmake --preset fuzz
	@cmake --build --preset fuzz -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
