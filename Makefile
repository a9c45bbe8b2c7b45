# Orvana Suite: set-up, build, tests and demo on Debian 12.
#   make demo   build, then start the host simulator with a demo score and the suite beside it
#               (SCORE=data/scores/lead-sheet.json picks another score; default the orchestral one)
#   make test   build, then run every test
#   make check  the checks that need no build: include layering and formatting
#   make build  build only
#   make asan   build with AddressSanitizer + UndefinedBehaviorSanitizer in build-asan/ and run the tests
#   make tsan   build with ThreadSanitizer in build-tsan/ and run the communication tests

BUILD_DIR ?= build
SCORE ?= data/scores/orchestral.json
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true

.PHONY: deps configure build test check demo asan tsan clean format

deps:
	@bash tools/setup-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -G "$(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo Unix Makefiles)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	bash tools/run-tests.sh $(BUILD_DIR)

check: deps
	bash tools/run-checks.sh

demo: build
	bash tools/run-demo.sh $(BUILD_DIR) $(SCORE)

asan: deps
	cmake -S . -B build-asan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DORVANA_SANITIZE=address,undefined -DORVANA_BUILD_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 bash tools/run-tests.sh build-asan

tsan: deps
	cmake -S . -B build-tsan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DORVANA_SANITIZE=thread -DORVANA_BUILD_BENCH=OFF
	cmake --build build-tsan -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 bash tools/run-tests.sh build-tsan -R '$(or $(TSAN_TESTS),.)'

clean:
	rm -rf $(BUILD_DIR) build-asan build-tsan

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
