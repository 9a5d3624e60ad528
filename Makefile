# The two ways in: `make run` and `make test`. Both install what is missing first.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)
# CI builds with warnings as errors; a developer's build only shows them.
WARNINGS_AS_ERRORS := $(if $(filter true,$(CI)),ON,OFF)

.PHONY: deps build run test bench fuzz package clean

# The clang preset needs the compiler too.
deps:
	@scripts/install-deps build $(if $(filter clang,$(PRESET)),clang)

# The configure step speaks only when it fails.
build: deps
	@out=$$(cmake --preset $(PRESET) -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WARNINGS_AS_ERRORS) 2>&1) || \
	  { printf '%s\n' "$$out" >&2; echo "make: configuring the $(PRESET) build failed" >&2; exit 1; }
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
