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

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test:
	@$(MAKE) --no-print-directory test BUILD=$(ASAN_BUILD) \
		CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON"

bench: build
	@$(BUILD)/bin/quillet_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) out
