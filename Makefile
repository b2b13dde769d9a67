# Set-up, build, run and test in one command each; CMake does the real work.
NPROC := $(shell nproc)
CTEST_ENV := QT_QPA_PLATFORM=offscreen

.PHONY: deps run-deps build run test test-plain test-asan test-tsan test-fuzz test-package fuzz soak bench install package translations clean

deps:
	@./scripts/install-deps.sh

# Only what building and running the app needs.
run-deps:
	@./scripts/install-deps.sh --run

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMPGFIX_TESTS=ON
	cmake --build build -j$(NPROC)

# Builds the app alone: the tests and the benchmark are for `make test` and `make bench`.
run: run-deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMPGFIX_TESTS=OFF
	cmake --build build --target mpgfix -j$(NPROC)
	./build/bin/mpgfix $(FILES)

test: test-plain test-asan test-tsan test-fuzz test-package

test-plain: build
	cd build && $(CTEST_ENV) ctest --output-on-failure

# Address and undefined-behaviour sanitizers over every test.
test-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMPGFIX_SANITIZE=address,undefined
	cmake --build build-asan -j$(NPROC)
	cd build-asan && $(CTEST_ENV) ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure

# Thread sanitizer over the tests of the work queue, the hand-offs and the runner.
test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DMPGFIX_SANITIZE=thread
	cmake --build build-tsan -j$(NPROC)
	cd build-tsan && $(CTEST_ENV) TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/qt-uninstrumented.supp \
		ctest --output-on-failure -L threads

# The console line reader and parser under libFuzzer, with clang in a build of their own; the
# corpus it grows stays in build-fuzz, the seeds in tests/fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j$(NPROC)
	mkdir -p build-fuzz/corpus
	./build-fuzz/bin/console_fuzz -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/console.dict \
		build-fuzz/corpus tests/fuzz/corpus

# The sanitizer pass's share of fuzzing.
test-fuzz:
	$(MAKE) fuzz FUZZ_SECONDS=20

# 200 files through the queue in one process; `make test` runs 40 of them.
soak: build
	cd build && $(CTEST_ENV) MPGFIX_SOAK_FILES=200 ./bin/soak_tests

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(NPROC)
	./build-bench/bin/mpgfix_bench

install: build
	cmake --install build

# The Debian package, build/mpgfix_<version>_<arch>.deb, made by CPack from the install rules.
package: build
	rm -f build/mpgfix_*.deb
	cd build && cpack

# The package through lintian, and its desktop entry and metadata through their validators.
test-package: package
	./packaging/check-package.sh build/mpgfix_*.deb

# Brings translations/*.ts up to date with the sources' texts (lupdate); translate the entries
# marked unfinished with Qt Linguist, and the next build compiles them into the app.
translations: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build --target update_translations

clean:
	rm -rf build build-asan build-tsan build-bench build-fuzz
