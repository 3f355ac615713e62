# GlyphSheet — every command installs the Debian packages it needs first.
BUILD ?= build
JOBS  ?= $(shell nproc)

# Debian packages the build, the tests and the demo need.
DEPS = build-essential cmake ninja-build pkg-config \
       libfreetype-dev libfontconfig-dev \
       libgtest-dev libgmock-dev libbenchmark-dev \
       fonts-dejavu-core fonts-dejavu-extra \
       qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins \
       fonts-wqy-microhei xvfb xauth

.PHONY: all deps configure build test bench demo clean

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
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/rebuild_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

demo: build
	$(BUILD)/src/cli/glyphsheet-cli fonts

clean:
	rm -rf $(BUILD) out
