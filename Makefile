# Pictavo: a Windows program, cross-compiled with mingw-w64 and run under Wine.
#   make run    install what is missing, build, start Pictavo
#   make test   install what is missing, build, run every test
#   make bench  build and run the benchmarks (figures on standard output)
#   make dist   build the program alone and pack dist/Pictavo-<version>.zip and its .sha256
#   make format apply .clang-format to every source

BUILD ?= build
CACHE ?= $(HOME)/.cache/pictavo
# Tests run side by side, each on a display and in a Wine prefix of its own; most of their
# time is spent waiting for windows, timers and other processes, so more run than there are cores.
TEST_JOBS ?= 4

.PHONY: run test bench dist deps build format check-format

deps:
	@scripts/install-deps.sh
	@scripts/build-libjpeg.sh $(CACHE)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DPICTAVO_CACHE=$(CACHE)

build: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD)

run: build
	scripts/run-pictavo $(BUILD)/bin/Pictavo.exe

test: build check-format
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

bench: build
	@cmake --build $(BUILD) --target benchmarks
	scripts/run-benchmarks $(BUILD)

# The archive is packed in the build tree (the tests look at it there) and copied out.
dist: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD) --target dist
	@mkdir -p dist && rm -f dist/Pictavo-*.zip dist/Pictavo-*.zip.sha256
	@cp $(BUILD)/dist/Pictavo-*.zip $(BUILD)/dist/Pictavo-*.zip.sha256 dist/
	@ls -l dist

SOURCES = git ls-files -- '*.cpp' '*.h'

format:
	$(SOURCES) | xargs clang-format -i

# The tests fail on a source that is not formatted: formatting stays applied.
check-format: deps
	$(SOURCES) | xargs clang-format --dry-run --Werror
