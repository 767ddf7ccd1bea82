# Thin layer over CMake. See README.md.
SHELL := /bin/bash
BUILD := build
OUT := out
JOBS ?= 2

.PHONY: all deps build build64 build32 test run dist clean

all: build

deps:
	@tools/install-deps

$(BUILD)/win64/build.ninja:
	cmake -S . -B $(BUILD)/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake

$(BUILD)/win32/build.ninja:
	cmake -S . -B $(BUILD)/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake

build64: deps $(BUILD)/win64/build.ninja
	ninja -C $(BUILD)/win64 -j $(JOBS)

build32: deps $(BUILD)/win32/build.ninja
	ninja -C $(BUILD)/win32 -j $(JOBS)

# Each out/<arch> folder is a runnable application folder.
build: build64 build32
	@tools/make-app-folder $(BUILD)/win64 $(OUT)/win64
	@tools/make-app-folder $(BUILD)/win32 $(OUT)/win32

# The Wine prefix is prepared before ctest, so its one-time creation never counts against a test.
test: build
	@tools/wine/prepare test
	cd $(BUILD)/win64 && ctest -j $(JOBS) --output-on-failure

run: build64
	@tools/make-app-folder $(BUILD)/win64 $(OUT)/win64
	@tools/run-player $(OUT)/win64

dist: build
	@for arch in win64 win32; do \
	  rm -f $(OUT)/TarvoDJ-$$arch.zip; \
	  (cd $(OUT)/$$arch && zip -qr ../TarvoDJ-$$arch.zip .); \
	  echo "$(OUT)/TarvoDJ-$$arch.zip"; \
	done

clean:
	rm -rf $(BUILD) $(OUT)
