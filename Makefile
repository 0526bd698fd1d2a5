# The two set-up commands: `make test` and `make run`.
BUILD_DIR ?= build
DEMO_DIR  ?= $(BUILD_DIR)/demo
JOBS      ?= $(shell nproc)

.PHONY: all deps configure build test run start bench clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_DIR) -G Ninja

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

$(DEMO_DIR)/DATA/WORKSTATION.DB:
	mkdir -p $(DEMO_DIR) && $(BUILD_DIR)/cli/quillavon-cli -C $(DEMO_DIR) init --demo

# The desktop program on the demo workstation (log in as scorer / scorer1).
run: build $(DEMO_DIR)/DATA/WORKSTATION.DB
	$(BUILD_DIR)/app/quillavon -C $(DEMO_DIR)

# The start-up checks of the demo workstation, without windows.
start: build $(DEMO_DIR)/DATA/WORKSTATION.DB
	$(BUILD_DIR)/cli/quillavon-cli -C $(DEMO_DIR) start

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD_DIR)
