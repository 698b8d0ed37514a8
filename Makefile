# The two commands of the README: `make run` and `make test`. `make` builds the installer.
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
.PHONY: all setup build build-native build-fuzz run test test-windows test-win64 test-native \
	test-fuzz fuzz bench clean format sign reproducible

# Seconds each fuzz target runs under `make fuzz`.
FUZZ_SECONDS ?= 60

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

build/fuzz/CMakeCache.txt:
	@cmake --preset fuzz >/dev/null

build-fuzz: setup build/fuzz/CMakeCache.txt
	@cmake --build --preset fuzz -j2

# Where the 32-bit Wine cannot run the shipped installer, the 64-bit build of the same
# sources is started instead.
run: build
	@if [ "$$(bash scripts/i386-mode.sh 2>/dev/null)" = off ]; then \
	  echo "make run: the shipped 32-bit installer cannot run here ($$(bash scripts/i386-mode.sh 2>&1 >/dev/null)): starting the 64-bit build of the same sources"; \
	  { [ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null; } && cmake --build --preset win64 -j2 --target QuillaneSetup && \
	  bash scripts/run-installer.sh build/win64/QuillaneSetup.exe win64; \
	else \
	  bash scripts/run-installer.sh build/windows/QuillaneSetup.exe win32; \
	fi

test-native: build-native
	@ctest --preset native

# Each fuzz target briefly over its committed corpus, so a regression fails the suite.
test-fuzz: build-fuzz
	@ctest --preset fuzz

# Each fuzz target for FUZZ_SECONDS; prints how many inputs each ran.
fuzz: build-fuzz
	@total=0; for t in settings_scan text_line payload_names path_rules search_pattern module_machine \
	    psfilterpdn_settings gimprc_pspi_path; do \
	  out=$$(bash scripts/run-fuzz.sh build/fuzz/tests/fuzz/$${t}_fuzz tests/fuzz/corpus/$$t $(FUZZ_SECONDS)); \
	  rc=$$?; runs=$$(echo "$$out" | sed -n 's/^stat::number_of_executed_units: *//p'); \
	  if [ $$rc -ne 0 ]; then echo "$$out" | tail -40; echo "$$t: FINDING after $$runs runs"; exit 1; fi; \
	  echo "$$t: $$runs runs, no finding"; total=$$((total + runs)); \
	done; echo "fuzz: $$total runs in all, no finding"

test-win64: setup build/win64/CMakeCache.txt
	@cmake --build --preset win64 -j2
	@ctest --preset win64

# The 32-bit suite runs natively where this host executes i386 programs, under qemu-user
# where it cannot, and not at all (but for the host-side checks of the shipped executable)
# with QUILLANE_NO_I386=1.
test-windows: setup build/windows/CMakeCache.txt
	@why=$$(bash scripts/i386-mode.sh 2>&1 >/dev/null); mode=$$(bash scripts/i386-mode.sh 2>/dev/null); \
	case $$mode in \
	  native) echo "32-bit suite: run natively, this host executes i386 programs";; \
	  emulated) echo "32-bit suite: run under qemu-user, this host cannot execute i386 programs";; \
	  off) echo "32-bit suite: off ($$why), only the host-side checks of the shipped executable";; \
	esac; \
	if [ "$$mode" = off ]; then \
	  cmake --build --preset windows -j2 --target QuillaneSetup && ctest --preset windows -L host; \
	else \
	  cmake --build --preset windows -j2 && QUILLANE_I386_MODE=$$mode ctest --preset windows; \
	fi

test: test-native test-fuzz test-win64 test-windows

# Authenticode signature of the shipped installer, with the publisher's own certificate and
# key (never committed): make sign SIGN_CERT=cert.pem SIGN_KEY=key.pem [SIGN_PASS_FILE=file]
# [SIGN_TIMESTAMP_URL=http://timestamp.example]
SIGN_CERT ?=
SIGN_KEY ?=
SIGN_PASS_FILE ?=
SIGN_TIMESTAMP_URL ?=
sign: build
	@if [ -z "$(SIGN_CERT)" ] || [ -z "$(SIGN_KEY)" ]; then \
	  echo "make sign: name the publisher's certificate and key: SIGN_CERT=... SIGN_KEY=..."; exit 1; fi
	@bash scripts/sign.sh build/windows/QuillaneSetup.exe "$(SIGN_CERT)" "$(SIGN_KEY)" \
	  "$(SIGN_PASS_FILE)" "$(SIGN_TIMESTAMP_URL)"

# Builds the shipped installer twice in two fresh folders and compares the two.
reproducible: setup
	@bash scripts/reproducible-build.sh cmake/mingw-i686.cmake

# Time to window, discovery, paint, extraction and size, each against its floor.
bench: setup
	@bash bench/run_bench.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
