# The two ways in: `make run` and `make test`. Both install what is missing first.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: deps build run test bench fuzz package clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display to open the window on (set DISPLAY, or start one with: Xvfb :1 & DISPLAY=:1 make run)" >&2; \
	  exit 1; \
	fi
	@$(BUILD_DIR)/ui/miravane

test: build
	@ctest --preset $(PRESET)

# Benchmarks: an optimised build, every figure beside its baseline. Never part of `make test`.
bench: deps
	@bench/run

# Coverage-guided fuzzing of the picture decoder (clang, libFuzzer).
fuzz: deps
	@scripts/fuzz

# A Debian package of the program.
package: deps
	@scripts/package

clean:
	rm -rf build
