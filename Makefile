# The two entry points of the README. Both install missing Debian packages first.
BUILD_DIR ?= build
TEST_DIR  ?= build-ci

.PHONY: run test build deps format asan

deps:
	@tools/ensure-packages.sh

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	$(BUILD_DIR)/app/kelvaro

test: deps
	cmake --preset ci
	cmake --build --preset ci
	ctest --preset ci

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

format: deps
	cmake --preset default
	cmake --build --preset default --target format
