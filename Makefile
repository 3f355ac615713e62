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

# Debian packages the build, the tests and the demo need.
DEPS = build-essential cmake ninja-build pkg-config \
       libfreetype-dev libfontconfig-dev libcli11-dev \
       libgtest-dev libgmock-dev libbenchmark-dev \
       fonts-dejavu-core fonts-dejavu-extra \
       qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n \
       fonts-wqy-microhei xvfb xauth \
       clang libclang-rt-14-dev \
       desktop-file-utils appstream help2man man-db

.PHONY: all deps configure build test bench demo gui screenshot clean test-sanitize fuzz stress install

all: build

deps:
	@missing=$$(for p in $(DEPS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DGLYPHSHEET_GUI=ON -DGLYPHSHEET_BENCH=ON -DGLYPHSHEET_SANITIZE=OFF

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Builds (help2man, among the DEPS, makes the man pages), then installs
# under PREFIX; DESTDIR, when given, is put in front of every path.
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Installs one extra Debian package unless it is there.
need = @dpkg-query -W -f='$${Status}' $(1) 2>/dev/null | grep -q 'ok installed' || \
	  { if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	    $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(1); }

# Rebuild speed against FreeType alone on the same glyphs (a summary table at
# the end), then whole runs of glyphsheet-cli with hyperfine.
bench: build
	$(call need,hyperfine)
	$(BUILD)/bench/rebuild_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	scripts/cli_speed.sh $(BUILD)/src/cli/glyphsheet-cli

# Exports examples/ascii.fnt (made by examples/make_ascii.sh) to out/ascii.tga and out/ascii.xml.
demo: build
	mkdir -p out
	$(BUILD)/src/cli/glyphsheet-cli export examples/ascii.fnt -o out/ascii

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DGLYPHSHEET_SANITIZE=ON -DGLYPHSHEET_BENCH=OFF
	$(SAN_ENV) cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)

# Fuzz the project-file reader and the typed-character input for
# FUZZ_SECONDS seconds each (libFuzzer, clang).
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DGLYPHSHEET_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target project_fuzz chars_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/chars_corpus
	$(FUZZ_BUILD)/tests/fuzz/project_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 $(FUZZ_BUILD)/corpus tests/fuzz/corpus
	$(FUZZ_BUILD)/tests/fuzz/chars_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -print_final_stats=1 $(FUZZ_BUILD)/chars_corpus tests/fuzz/chars_corpus

# Exports killed at random moments and at each rename, a failed rename, and
# exports to the same name at once: never a mixed pair (about a minute).
stress: build
	$(call need,strace)
	scripts/export_stress.sh $(BUILD)/src/cli/glyphsheet-cli

gui: build
	$(BUILD)/src/app/glyphsheet

screenshot: build
	scripts/screenshot.sh $(BUILD)/src/app/glyphsheet docs/screenshot.png

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) out
