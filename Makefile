# Thin wrapper over CMake. `make run` builds and starts the editor, `make test` builds and runs
# every test. Both install missing Debian packages first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
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

# Debug build with AddressSanitizer and UBSan; the whole test suite runs under it.
asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVO_SANITIZE=ON -DKALVO_BENCH=OFF
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: asan
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

# libFuzzer targets (clang); not part of `make test`.
fuzz:
	@bash scripts/install-deps.sh --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVO_FUZZ=ON -DKALVO_BENCH=OFF -DKALVO_TESTS=OFF -DKALVO_GUI=OFF
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
