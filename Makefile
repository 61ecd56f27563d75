# The two commands a new user needs: `make demo` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
# Which packages scripts/install-deps makes sure of: `demo` (libraries and tools) or `all`.
DEPS ?= all
# What `make test` builds on top of the default build (which is what the demo needs).
TEST_TARGETS ?= tests benchmarks
# Where `make install` puts Quillet; the servers are registered for the current user.
PREFIX ?= $(HOME)/.local

.PHONY: all deps configure build register demo gallery test asan-test tsan-test soak bench bench-peers fuzz windows windows-arch windows-test \
	install uninstall clean

all: build

deps:
	@scripts/install-deps $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

# The libraries, servers, tools and sample data: no tests, no benchmarks.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Registers every built in-process server into $(BUILD)/registry, so tests, tools
# and demos run from the build tree.
register: build
	@cmake --build $(BUILD) --target register

# Builds, registers, makes the sample database and renders charts of it into out/.
demo: DEPS = demo
demo: register
	@BUILD=$(BUILD) scripts/demo

# Every chart type and every background effect, with an index.html, into out/gallery/.
gallery: DEPS = demo
gallery: register
	@BUILD=$(BUILD) scripts/gallery

test: register
	@cmake --build $(BUILD) -j $(JOBS) --target $(TEST_TARGETS)
	@cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)

# Installs the servers, liboleaut, its headers, quillet-chart, regsvr and quillet.pc under
# PREFIX and registers the servers in the user's registry (OLEAUT_REGISTRY if set);
# `make uninstall PREFIX=...` unregisters them and removes what was installed.
install: DEPS = demo
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@cmake -DQUILLET_PREFIX=$(PREFIX) -P cmake/uninstall.cmake

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer. The system's
# font libraries keep caches for the life of the process: scripts/lsan.supp names them.
asan-test: export ASAN_OPTIONS ?= detect_leaks=1:abort_on_error=1
asan-test: export UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1
asan-test: export LSAN_OPTIONS ?= suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0
asan-test:
	@$(MAKE) --no-print-directory test BUILD=$(ASAN_BUILD) TEST_TARGETS=tests \
		CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON"

# The libFuzzer targets, built with clang in build-fuzz, FUZZ_SECONDS (60) each.
fuzz:
	@scripts/fuzz

# The concurrency tests (apartment threads, calls from foreign threads) built with
# ThreadSanitizer in its own tree. The system's font libraries are not instrumented:
# scripts/tsan.supp names the races TSan sees inside them, and only those.
TSAN_BUILD ?= build-tsan
tsan-test: export TSAN_OPTIONS ?= suppressions=$(CURDIR)/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1
tsan-test: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_TSAN=ON >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target register concurrency_tests
	@cd $(TSAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L concurrency

# CHARTS charts (10000) through the registered component in one process, printing resident
# memory as it goes; fails if memory grows. `make soak CHARTS=300` is a quick run.
CHARTS ?= 10000
soak: register
	@cmake --build $(BUILD) -j $(JOBS) --target chart_soak
	@$(BUILD)/bin/chart_soak $(CHARTS)

# The Google Benchmark micro-benchmarks: late-bound calls, then the export's stages
# (layout, paint, quantize, LZW, whole export) on the reference chart. For whole charts
# through the component: bench/chart_instructions.sh and `make bench-peers`.
bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target quillet_bench render_bench lzw_bench
	@$(BUILD)/bin/quillet_bench
	@$(BUILD)/bin/render_bench
	@$(BUILD)/bin/lzw_bench

# The reference chart drawn by quillet-chart, gnuplot and a small gdchart program, RUNS (11)
# times each: wall time, instructions, peak memory and GIF size side by side (bench/peers/).
# Installs the peers itself; the gdchart program is built only where gdchart's header is.
# (The build runs outside this make's environment so its output is not a sub-make's.)
RUNS ?= 11
bench-peers:
	@scripts/install-deps peers
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@env -u MAKEFLAGS -u MAKELEVEL cmake --build $(BUILD) -j $(JOBS) --target register quillet-chart gifcheck
	@if [ -f /usr/include/gdchart.h ]; then mkdir -p $(BUILD)/bin && $(CC) -std=c11 -O2 -Wall -Wextra -Wpedantic \
		-DHAVE_LIBFREETYPE bench/peers/gdchart_peer.c -lgdc -lgd -lm -o $(BUILD)/bin/gdchart_peer; fi
	@bench/peers/run $(BUILD) $(RUNS)

# The Windows DLLs, cross-built with MinGW-w64 from the same sources into
# $(WINDOWS_BUILD)/bin (x86_64) and $(WINDOWS_BUILD)/bin32 (i686). The type library's IDL
# and the resource script are written from the member table by a tool of the Linux build.
WINDOWS_BUILD ?= build-windows
windows: DEPS = windows
windows: configure
	@cmake --build $(BUILD) -j $(JOBS) --target windows_resource_writer
	@$(BUILD)/bin/windows_resource_writer $(WINDOWS_BUILD)/generated
	@$(MAKE) --no-print-directory windows-arch ARCH=x86_64 OUT=bin TARGETS=all
	@$(MAKE) --no-print-directory windows-arch ARCH=i686 OUT=bin32 TARGETS=quillet

# One architecture's tree. Only the x86_64 one builds the Windows tests (fake host, C++
# clients): Wine here runs 64-bit programs only, so the i686 DLL is checked, not run.
windows-arch:
	@cmake -S windows -B $(WINDOWS_BUILD)/$(ARCH) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-$(ARCH).cmake -DQUILLET_SOURCE_DIR=$(CURDIR) \
		-DQUILLET_GENERATED_DIR=$(CURDIR)/$(WINDOWS_BUILD)/generated \
		-DQUILLET_OUTPUT_DIR=$(CURDIR)/$(WINDOWS_BUILD)/$(OUT) >/dev/null
	@cmake --build $(WINDOWS_BUILD)/$(ARCH) -j $(JOBS) --target $(TARGETS)

# The Windows DLLs under Wine, headless, in a fresh prefix: registration, the VBScript
# suites through Wine's oleaut32 and ADO, an early-bound C++ client, the type library.
windows-test: windows
	@WINDOWS_BUILD=$(WINDOWS_BUILD) scripts/windows-test

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD) out
