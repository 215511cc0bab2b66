# The README's two commands, `make run` and `make test`, and their helpers.
BUILD_DIR   ?= build
BENCH_DIR   ?= build/bench
BENCH_REPETITIONS ?= 1
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local

.PHONY: run test build deps bench install package clean

# NO_DEPS=1 skips the package check (for machines where the packages are known to be there).
deps:
ifndef NO_DEPS
	@scripts/install-deps
endif

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-corvanta $(BUILD_DIR)/src/app/corvanta

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

# Release build of every Google Benchmark program; each writes build/bench/<program>.json.
# Then each path against its floor and its bound (scripts/bench-ratios): fails when one is passed.
# BENCH_REPETITIONS=3 runs each benchmark three times, interleaved; the medians are checked.
bench: deps
	cmake -S . -B $(BENCH_DIR)/tree -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCORVANTA_BUILD_TESTS=OFF -DCORVANTA_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR)/tree -j $(JOBS)
	@BENCH_REPETITIONS=$(BENCH_REPETITIONS) scripts/run-benchmarks $(BENCH_DIR)/tree/bench $(BENCH_DIR) $(BENCH_FILTER)
	@scripts/bench-ratios $(BENCH_DIR)

# The program, desktop entry, icons, AppStream file, D-Bus service and manual page under
# PREFIX; DESTDIR (from the environment or the command line) stages them elsewhere.
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package $(BUILD_DIR)/corvanta_<version>_<arch>.deb, installing under /usr.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
