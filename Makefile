# The two commands of the README: `make run` and `make test`. `make` builds the installer.
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
.PHONY: all setup build build-native run test test-windows test-win64 test-native bench clean format

all: build

setup:
	@bash scripts/setup.sh

build/windows/CMakeCache.txt:
	@cmake --preset windows >/dev/null

build/win64/CMakeCache.txt:
	@cmake --preset win64 >/dev/null

build/native/CMakeCache.txt:
	@cmake --preset native >/dev/null

# The shipped installer: the 32-bit build.
build: setup build/windows/CMakeCache.txt
	@cmake --build --preset windows -j2 --target QuillaneSetup

build-native: setup build/native/CMakeCache.txt
	@cmake --build --preset native -j2

run: build
	@bash scripts/run-installer.sh build/windows/QuillaneSetup.exe

test-native: build-native
	@ctest --preset native

test-win64: setup build/win64/CMakeCache.txt
	@cmake --build --preset win64 -j2
	@ctest --preset win64

# The 32-bit suite runs natively where this host executes i386 programs, under qemu-user
# where it cannot, and not at all (but for the host-side checks of the shipped executable)
# with QUILLANE_NO_I386=1.
test-windows: setup build/windows/CMakeCache.txt
	@mode=$$(bash scripts/i386-mode.sh); \
	case $$mode in \
	  native) echo "32-bit suite: run natively, this host executes i386 programs";; \
	  emulated) echo "32-bit suite: run under qemu-user, this host cannot execute i386 programs";; \
	  off) echo "32-bit suite: off (QUILLANE_NO_I386=1), only the host-side checks of the shipped executable";; \
	esac; \
	if [ "$$mode" = off ]; then \
	  cmake --build --preset windows -j2 --target QuillaneSetup && ctest --preset windows -L host; \
	else \
	  cmake --build --preset windows -j2 && QUILLANE_I386_MODE=$$mode ctest --preset windows; \
	fi

test: test-native test-win64 test-windows

# Time to window, discovery, paint, extraction and size, each against its floor.
bench: setup
	@bash bench/run_bench.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
