# The two commands a new user needs: `make demo` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build register demo test asan-test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Registers every built in-process server into $(BUILD)/registry, so tests, tools
# and demos run from the build tree.
register: build
	@cmake --build $(BUILD) --target register

# Builds, registers, makes the sample database and renders charts of it into out/.
demo: register
	@BUILD=$(BUILD) scripts/demo

test: register
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer. The system's
# font libraries keep caches for the life of the process: scripts/lsan.supp names them.
asan-test: export ASAN_OPTIONS ?= detect_leaks=1:abort_on_error=1
asan-test: export UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1
asan-test: export LSAN_OPTIONS ?= suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0
asan-test:
	@$(MAKE) --no-print-directory test BUILD=$(ASAN_BUILD) \
		CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON"

bench: build
	@$(BUILD)/bin/quillet_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) out
