# velno: the quick start is `make play` and `make test` on a Debian machine.

# Debian packages the build, the tests and the game need.
PACKAGES := cmake ninja-build g++ clang libclang-rt-dev pkg-config \
	libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev \
	libfontconfig-dev libgtest-dev libbenchmark-dev \
	fonts-ipafont-gothic fonts-ipafont-mincho timgm6mb-soundfont \
	xvfb xauth xdotool \
	mingw-w64 wine wine64 locales imagemagick

BUILD      := build
BUILD_ASAN := build-asan
BUILD_FUZZ := build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build build-asan test play bench assets goldens fuzz clean win32 test-win32

all: build

# Installs whatever of $(PACKAGES) is missing, without questions, and nothing else.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++

$(BUILD_ASAN)/build.ninja:
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELNO_SANITIZE=ON \
	  -DVELNO_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)

test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -LE no-sanitizer
	$(MAKE) test-win32

play: build
	cd resources && ../$(BUILD)/shell/sdl/velno

bench: build
	@for b in $$(find $(BUILD)/bench -type f -name 'bench_*' -perm -u+x | sort); do \
	  echo "== $$b"; "$$b" || exit 1; \
	done

assets: build
	cmake --build $(BUILD) --target velno-assetgen
	$(BUILD)/resources/velno-assetgen resources

# Rewrites the renderer's golden frames (tests/render/golden/*.png) from the current build.
goldens: build
	VELNO_UPDATE_GOLDENS=1 $(BUILD)/tests/render/test_render --gtest_filter='Frames/GoldenTest.*'

# Runs every libFuzzer target for FUZZ_SECONDS each, keeping its corpus in
# build-fuzz/corpus/<target>.
fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELNO_FUZZ=ON \
	  -DVELNO_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers
	@for f in $$(find $(BUILD_FUZZ) -type f -name 'fuzz_*' -perm -u+x | sort); do \
	  name=$$(basename $$f); mkdir -p $(BUILD_FUZZ)/corpus/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $(BUILD_FUZZ)/corpus/$$name \
	    || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) build-fuzz

# VELNO.EXE for Windows, cross-compiled with mingw-w64: 32-bit and 64-bit.
WIN32_I686 := build-win32-i686
WIN32_X64  := build-win32-x64

$(WIN32_I686)/build.ninja:
	cmake -S shell/win32 -B $(WIN32_I686) $(CMAKE_GEN) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/shell/win32/toolchain-i686-w64-mingw32.cmake

$(WIN32_X64)/build.ninja:
	cmake -S shell/win32 -B $(WIN32_X64) $(CMAKE_GEN) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/shell/win32/toolchain-x86_64-w64-mingw32.cmake \
	  -DVELNO_NATIVE_BUILD=$(CURDIR)/$(BUILD)

win32: deps $(WIN32_I686)/build.ninja $(WIN32_X64)/build.ninja
	cmake --build $(WIN32_I686) -j $(JOBS)
	cmake --build $(WIN32_X64) -j $(JOBS)
	@ls -l $(WIN32_I686)/VELNO.EXE $(WIN32_X64)/VELNO.EXE

# Checks both executables' headers, imports and resources, and plays the
# 64-bit one under Wine (the 32-bit one cannot run on this kernel).
test-win32: win32 build
	cd $(WIN32_I686) && ctest --output-on-failure
	cd $(WIN32_X64) && ctest --output-on-failure
