# The two everyday commands:
#   make run   - set up if needed, build, run the program
#   make test  - set up if needed, build, run every native and Wine test
# Build trees: build/win (target, mingw-w64), build/native (platform-free
# code under ASan/UBSan), build/deps (libjpeg-turbo), build/wineprefix.

JOBS ?= $(shell nproc)
BUILD_TYPE ?= Release
WIN_DIR := build/win
NATIVE_DIR := build/native

FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
BENCH_THREADS ?= 1

.PHONY: all setup build build-win build-native test run fuzz bench skin clean

all: build

setup:
	@tools/setup.sh

$(WIN_DIR)/CMakeCache.txt: | setup
	cmake -S . -B $(WIN_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake

$(NATIVE_DIR)/CMakeCache.txt: | setup
	cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug

build-win: setup $(WIN_DIR)/CMakeCache.txt
	cmake --build $(WIN_DIR) -j$(JOBS)

build-native: setup $(NATIVE_DIR)/CMakeCache.txt
	cmake --build $(NATIVE_DIR) -j$(JOBS)

build: build-win build-native

# build/CTestTestfile.cmake joins both trees into one CTest run.
test: build
	@printf 'subdirs("native")\nsubdirs("win")\n' > build/CTestTestfile.cmake
	tools/with-display.sh ctest --test-dir build --output-on-failure -j$(JOBS)

run: build-win
	tools/run-program.sh $(WIN_DIR)/src/settings/Corvalen.scr

# The parsers of external input under libFuzzer, FUZZ_SECONDS each, from
# the corpora in tests/fuzz/corpus (not part of `make test`).
fuzz: setup
	tools/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Frames per second and CPU milliseconds per frame of the empty frame and of
# the aquarium, full screen at 1280x1024 under Wine and llvmpipe
# (BENCH_THREADS limits llvmpipe; BENCH_ARGS="1000 layers" adds the
# aquarium's parts); then the cost of a frame presented by copy into a child
# window at the preview sizes, beside a buffer swap; then the program itself
# as the saver for SAVER_FRAMES frames: start-up, CPU per frame, peak memory
# and exit. The saver's frames are counted from Wine's trace, which it
# writes to this run's error output: that is the trace file
# build/saver-bench.trace. Last, the CPU cores each drawing role keeps busy
# and its frames per second (/s, /p in a host window, /c), with vertical
# sync on and off, ROLE_SECONDS each at the renderer's own number of
# threads; its trace file is build/role-bench.trace.
BENCH_ARGS ?=
SAVER_FRAMES ?= 500
SAVER_TRACE := build/saver-bench.trace
ROLE_SECONDS ?= 10
ROLE_TRACE := build/role-bench.trace
bench: build-win
	LP_NUM_THREADS=$(BENCH_THREADS) tools/with-display.sh tools/wine-run.sh $(WIN_DIR)/bench/FrameBench.exe $(BENCH_ARGS)
	LP_NUM_THREADS=$(BENCH_THREADS) tools/with-display.sh tools/wine-run.sh $(WIN_DIR)/bench/CopyPresentBench.exe
	: > $(SAVER_TRACE)
	LP_NUM_THREADS=$(BENCH_THREADS) tools/with-display.sh tools/wine-run.sh $(WIN_DIR)/bench/SaverBench.exe \
	    Z:$(CURDIR)/$(WIN_DIR)/src/settings/Corvalen.scr Z:$(CURDIR)/$(SAVER_TRACE) $(SAVER_FRAMES) 2> $(SAVER_TRACE)
	: > $(ROLE_TRACE)
	env -u LP_NUM_THREADS tools/with-display.sh tools/wine-run.sh $(WIN_DIR)/bench/RoleBench.exe \
	    Z:$(CURDIR)/$(WIN_DIR)/src/settings/Corvalen.scr Z:$(CURDIR)/$(ROLE_TRACE) $(ROLE_SECONDS) 2> $(ROLE_TRACE)

# Regenerates the program's skin (resources/skin) and packs it into the
# settings form description's stored skin. Both outputs are committed.
skin: build-native
	$(NATIVE_DIR)/tools/skingen/skingen resources/skin
	$(NATIVE_DIR)/tools/skinpack/skinpack resources/skin --replace resources/settings.form

clean:
	rm -rf $(WIN_DIR) $(NATIVE_DIR)
