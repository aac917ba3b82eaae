# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
EXAMPLE    ?= examples/sum_table.asm

ifeq ($(CI),true)
  WERROR := ON
else
  WERROR ?= ON
endif

.PHONY: all deps build run test test-asan fuzz-smoke clean web serve-web test-web

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERDIN_WERROR=$(WERROR) $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The workbench on an example; without a display the same example runs in verdin-cli.
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/src/gui/verdin $(EXAMPLE); \
	else \
	  echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so verdin-cli runs $(EXAMPLE)"; \
	  ./$(BUILD)/verdin-cli listing $(EXAMPLE) && ./$(BUILD)/verdin-cli run --state $(EXAMPLE); \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-web
	$(MAKE) test-asan
	$(MAKE) fuzz-smoke

# The browser edition: the core as WebAssembly and the page, a static site.
WEB_BUILD ?= build-web
WEB_PORT  ?= 8080

web:
	@scripts/install-deps --web
	WEB_BUILD=$(abspath $(WEB_BUILD)) VERDIN_CLI=$(abspath $(BUILD))/verdin-cli JOBS=$(JOBS) scripts/build-web

serve-web: web
	@echo "Verdin in the browser: http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C ends it)"
	cd $(WEB_BUILD)/site && /usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The web tests run from the web build's own ctest, against the native verdin-cli.
test-web: web build
	ctest --test-dir $(WEB_BUILD) --output-on-failure

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVERDIN_SANITIZE=ON -DVERDIN_WERROR=$(WERROR) $(CMAKE_ARGS)

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Every fuzz target for a few seconds (clang, libFuzzer, ASan + UBSan): the long runs
# are scripts/fuzz's business, this only proves each target builds and holds up.
FUZZ_BUILD     ?= build-fuzz
FUZZ_SMOKE_SECONDS ?= 8

fuzz-smoke: deps
	FUZZ_BUILD=$(abspath $(FUZZ_BUILD)) scripts/fuzz -j $(JOBS) $(FUZZ_SMOKE_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
