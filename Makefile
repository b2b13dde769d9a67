# Set-up, build, run and test in one command each; CMake does the real work.
NPROC := $(shell nproc)
CTEST_ENV := QT_QPA_PLATFORM=offscreen

.PHONY: deps build run test test-plain test-asan test-tsan bench install translations clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j$(NPROC)

run: build
	./build/bin/mpgfix $(FILES)

test: test-plain test-asan test-tsan

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

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(NPROC)
	./build-bench/bin/mpgfix_bench

install: build
	cmake --install build

# Brings translations/*.ts up to date with the sources' texts (lupdate); translate the entries
# marked unfinished with Qt Linguist, and the next build compiles them into the app.
translations: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build --target update_translations

clean:
	rm -rf build build-asan build-tsan build-bench
