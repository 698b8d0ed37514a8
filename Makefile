# The two commands of the README: `make run` and `make test`. `make` builds the installer.
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
.PHONY: all setup build build-native run test test-windows test-native clean format

all: build

setup:
	@bash scripts/setup.sh

build/windows/CMakeCache.txt:
	@cmake --preset windows >/dev/null

build/native/CMakeCache.txt:
	@cmake --preset native >/dev/null

build: setup build/windows/CMakeCache.txt
	@cmake --build --preset windows -j2 --target QuillaneSetup

build-native: setup build/native/CMakeCache.txt
	@cmake --build --preset native -j2

run: build
	@bash scripts/run-installer.sh build/windows/QuillaneSetup.exe

test-windows: setup build/windows/CMakeCache.txt
	@cmake --build --preset windows -j2
	@ctest --preset windows

test-native: build-native
	@ctest --preset native

test: test-native test-windows

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
