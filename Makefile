# The two ways in: `make run` and `make test`. Both install what is missing first: `make run`
# only what the program needs, `make test` the rest too.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)
# CI builds with warnings as errors; a developer's build only shows them.
WARNINGS_AS_ERRORS := $(if $(filter true,$(CI)),ON,OFF)
# The clang preset needs the compiler too.
COMPILER_GROUP := $(if $(filter clang,$(PRESET)),clang)

.PHONY: run test designer bench fuzz package clean

# configure GROUP CMAKE-OPTIONS: installs the group's packages, then configures; the configure
# step speaks only when it fails.
define configure
	@scripts/install-deps $(1) $(COMPILER_GROUP)
	@out=$$(cmake --preset $(PRESET) -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WARNINGS_AS_ERRORS) $(2) 2>&1) || \
	  { printf '%s\n' "$$out" >&2; echo "make: configuring the $(PRESET) build failed" >&2; exit 1; }
endef

# The display is looked for before anything is installed or built: without one there is
# nothing to show the window on.
run:
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set):" \
	    "run it from a terminal of your desktop session, or over ssh -X" >&2; \
	  exit 1; \
	fi
	$(call configure,run,-DBUILD_TESTING=OFF -DMIRAVANE_BENCHMARKS=OFF)
	@cmake --build --preset $(PRESET) --target miravane
	@$(BUILD_DIR)/ui/miravane

test:
	$(call configure,test,-DBUILD_TESTING=ON -DMIRAVANE_BENCHMARKS=ON)
	@cmake --build --preset $(PRESET)
	@ctest --preset $(PRESET)

# Qt Designer on the window designs, with the program's controls drawn as the program draws them.
designer:
	$(call configure,designer,-DBUILD_TESTING=OFF -DMIRAVANE_BENCHMARKS=OFF)
	@cmake --build --preset $(PRESET) --target miravane_designer
	@QT_PLUGIN_PATH=$(CURDIR)/$(BUILD_DIR) /usr/lib/qt6/bin/designer ui/Fmainform.ui ui/Cartas.ui

# Benchmarks: an optimised build, every figure beside its baseline. Never part of `make test`.
bench:
	@scripts/install-deps test
	@bench/run

# Coverage-guided fuzzing of the picture decoder (clang, libFuzzer).
fuzz:
	@scripts/install-deps fuzz
	@scripts/fuzz

# A Debian package of the program.
package:
	@scripts/install-deps test
	@scripts/package

clean:
	rm -rf build
