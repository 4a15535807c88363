# Entry points for a fresh machine: `make test` and `make demo` do all the set-up.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test demo screenshots clean bench fuzz

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 1
	@scripts/fuzz-smoke.sh

bench: build
	@for b in $(BUILD)/bench-bin/*; do [ -x "$$b" ] && "$$b"; done

# The demo: server, mailbox and Brastel (on $DISPLAY, else under Xvfb with screenshots).
demo: build
	@BUILD=$(BUILD) scripts/demo.sh

# docs/screenshots/*.png from a headless demo run.
screenshots: build
	@BUILD=$(BUILD) scripts/screenshots.sh

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz
