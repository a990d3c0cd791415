# The targets behind the README's two commands (build.sh runs them where make is not yet installed).
# Each installs the missing Debian packages first.
BUILD_DIR ?= build
TEST_DIR  ?= build-ci

.PHONY: run test build deps format asan fuzz package

deps:
	@sh tools/ensure-packages.sh

build: deps
	cmake --preset default
	cmake --build --preset default

# The Debian package, written into $(BUILD_DIR).
package: build
	cmake --build --preset default --target package

# ARGS go to the program, e.g. ARGS="--prefix DIR".
ARGS ?=
run: build
	$(BUILD_DIR)/app/kelvaro $(ARGS)

# The build, the format check, the tests, then each fuzz target for a short while (clang).
FUZZ_SECONDS ?= 10
test: deps
	cmake --preset ci
	cmake --build --preset ci
	cmake --build --preset ci --target format-check
	ctest --preset ci
	cmake --preset fuzz -DKELVARO_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build --preset fuzz
	ctest --preset fuzz -j2

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

format: deps
	cmake --preset default
	cmake --build --preset default --target format

fuzz: deps
	cmake --preset fuzz -DKELVARO_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build --preset fuzz
	ctest --preset fuzz -j2
