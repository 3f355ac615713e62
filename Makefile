# GlyphSheet — every command installs the Debian packages it needs first.
BUILD ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS  ?= $(shell nproc)

# Sanitizer settings for the sanitizer build and its tests; the suppressions
# cover caches that fontconfig and Qt keep until exit.
SAN_ENV = ASAN_OPTIONS=detect_stack_use_after_return=1:strict_init_order=1 \
          LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Debian packages, by what needs them. Each target first installs, in one
# go, those of its set that are missing (scripts/need_packages.sh): the set
# of the target asked for with those of the targets it builds on (NEEDS).
# DEMO_DEPS builds and runs the command line, the main job; INSTALL_DEPS
# builds the two programs with their man pages and runs them (Qt's own
# translations give the Chinese window Chinese standard buttons); BUILD_DEPS
# builds everything (also the tests and the benchmarks) and runs the
# programs and the tests.
CLI_DEPS = build-essential cmake ninja-build pkg-config \
           libfreetype-dev libfontconfig-dev libharfbuzz-dev libspng-dev libcli11-dev \
           fonts-dejavu-core
WINDOW_DEPS = qt6-base-dev qt6-base-dev-tools libxkbcommon-dev \
              qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
DEMO_DEPS = $(CLI_DEPS) fonts-wqy-microhei
INSTALL_DEPS = $(CLI_DEPS) $(WINDOW_DEPS) help2man
BUILD_DEPS = $(DEMO_DEPS) $(WINDOW_DEPS) \
             libgtest-dev libgmock-dev libbenchmark-dev \
             qt6-qpa-plugins fonts-dejavu-extra
# The tests also check an install: its man pages, desktop entry and metainfo.
TEST_DEPS = help2man man-db desktop-file-utils appstream
# libFuzzer comes with clang; the sanitizer build uses gcc's own sanitizers.
FUZZ_DEPS = cmake ninja-build pkg-config clang libclang-rt-14-dev libspng-dev
SCREENSHOT_DEPS = xvfb xauth
BENCH_DEPS = hyperfine python3 time
STRESS_DEPS = strace
NEEDS =

# $(call need,PACKAGES): installs those that are missing, or says how to.
need = @scripts/need_packages.sh $(sort $(1) $(NEEDS))

.PHONY: all configure build test test-deps bench demo cli gui screenshot clean test-sanitize \
        fuzz stress install install-deps

all: build

configure:
	$(call need,$(BUILD_DEPS))
	cmake -S . -B $(BUILD) -G Ninja -DGLYPHSHEET_GUI=ON -DGLYPHSHEET_TESTS=ON -DGLYPHSHEET_BENCH=ON \
	  -DGLYPHSHEET_SANITIZE=OFF

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The BMFont forms are also read by the parsers web engines use (npm, when
# npm is there; the check is skipped otherwise). ctest keeps what a skipped
# test printed in a log; scripts/skip_reasons.sh shows it after the run.
test-deps: build
	@if command -v npm >/dev/null 2>&1; then \
	  npm ci --prefix tests/bmfont --no-audit --no-fund --silent || \
	    echo "npm ci in tests/bmfont failed: the BMFont parser check will be skipped"; \
	fi
test: NEEDS = $(TEST_DEPS)
test: test-deps
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --output-junit ctest-junit.xml; \
	  status=$$?; scripts/skip_reasons.sh $(BUILD) ctest-junit.xml; exit $$status

# Builds the two programs and their man pages alone (no tests, no
# benchmarks) in INSTALL_BUILD, then installs them stripped under PREFIX;
# DESTDIR, when given, is put in front of every path.
PREFIX ?= /usr/local
INSTALL_BUILD ?= $(BUILD)-install
install-deps:
	$(call need,$(INSTALL_DEPS))
install: install-deps
	cmake -S . -B $(INSTALL_BUILD) -G Ninja -DGLYPHSHEET_GUI=ON \
	  -DGLYPHSHEET_TESTS=OFF -DGLYPHSHEET_BENCH=OFF -DGLYPHSHEET_SANITIZE=OFF
	cmake --build $(INSTALL_BUILD) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(INSTALL_BUILD) --prefix "$(PREFIX)" --strip

# Rebuild speed against FreeType alone on the same glyphs (a summary table at
# the end), the window's glyph list with 13 000 and 100 000 glyphs, then whole
# runs of glyphsheet-cli with hyperfine.
bench: NEEDS = $(BENCH_DEPS)
bench: build
	$(BUILD)/bench/rebuild_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/glyph_list_bench
	scripts/cli_speed.sh $(BUILD)/src/cli/glyphsheet-cli

# The command line alone, without the window, the tests or the benchmarks.
cli:
	$(call need,$(DEMO_DEPS))
	cmake -S . -B $(BUILD) -G Ninja -DGLYPHSHEET_GUI=OFF -DGLYPHSHEET_TESTS=OFF \
	  -DGLYPHSHEET_BENCH=OFF -DGLYPHSHEET_SANITIZE=OFF
	cmake --build $(BUILD) -j $(JOBS) --target glyphsheet-cli

# Exports examples/ascii.fnt (made by examples/make_ascii.sh) to out/ascii.tga and out/ascii.xml.
demo: cli
	mkdir -p out
	$(BUILD)/src/cli/glyphsheet-cli export examples/ascii.fnt -o out/ascii
	$(BUILD)/src/cli/glyphsheet-cli export --face "WenQuanYi Micro Hei" --size 16 \
	  --chars "0123456789，。！？" --charset big5-level1 --format bmfont-text \
	  --fit -o out/big5
	$(BUILD)/src/cli/glyphsheet-cli export --face "DejaVu Sans" --size 24 \
	  --chars-file examples/title.txt --distance-field 4 --format bmfont-text -o out/sdf
	$(BUILD)/src/cli/glyphsheet-cli preview --face "DejaVu Sans" --size 24 \
	  --chars-file examples/title.txt --distance-field 4 --text "Le Château Fantôme" \
	  --scale 6 -o out/sdf-preview.png

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	$(call need,$(BUILD_DEPS))
	cmake -S . -B $(SAN_BUILD) -G Ninja -DGLYPHSHEET_SANITIZE=ON -DGLYPHSHEET_BENCH=OFF
	$(SAN_ENV) cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)

# Fuzz the project-file reader and the typed-character input for
# FUZZ_SECONDS seconds each (libFuzzer, clang).
fuzz:
	$(call need,$(FUZZ_DEPS))
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DGLYPHSHEET_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target project_fuzz chars_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/chars_corpus
	$(FUZZ_BUILD)/tests/fuzz/project_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 $(FUZZ_BUILD)/corpus tests/fuzz/corpus
	$(FUZZ_BUILD)/tests/fuzz/chars_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 $(FUZZ_BUILD)/chars_corpus tests/fuzz/chars_corpus

# Exports killed at random moments and at each rename, a failed rename, and
# exports to the same name at once: never a mixed pair (about a minute).
stress: NEEDS = $(STRESS_DEPS)
stress: cli
	scripts/export_stress.sh $(BUILD)/src/cli/glyphsheet-cli

gui: build
	$(BUILD)/src/app/glyphsheet

screenshot: NEEDS = $(SCREENSHOT_DEPS)
screenshot: build
	scripts/screenshot.sh $(BUILD)/src/app/glyphsheet docs/screenshot.png
	LANGUAGE=en scripts/screenshot.sh $(BUILD)/src/app/glyphsheet docs/screenshot-en.png
	scripts/screenshot.sh $(BUILD)/src/app/glyphsheet docs/screenshot-large.png \
	  -qwindowgeometry 1000x720
	LANGUAGE=en scripts/screenshot.sh $(BUILD)/src/app/glyphsheet docs/screenshot-large-en.png \
	  -qwindowgeometry 1000x720

clean:
	rm -rf $(BUILD) $(INSTALL_BUILD) $(SAN_BUILD) $(FUZZ_BUILD) out
