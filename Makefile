# The two commands of the README: `make run` and `make test`.
# Both install what is missing from Debian's packages, configure and build.

BUILD_DIR ?= build
CMAKE_BUILD_TYPE ?= RelWithDebInfo

# Everything the build, the tests, the end-to-end tests and the benchmark need.
PACKAGES := cmake ninja-build g++ make \
	qt6-base-dev qt6-base-dev-tools libgl-dev \
	fonts-liberation fonts-dejavu-core \
	xvfb xauth openbox wmctrl xdotool xclip imagemagick \
	libbenchmark-dev

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" -eq 0 ]; then \
			echo "Installing: $$missing"; \
			apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		else \
			echo "Missing packages. Please run:"; \
			echo "  sudo apt-get install $$missing"; \
			exit 1; \
		fi; \
	fi

$(BUILD_DIR)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(CMAKE_BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/msgbox-quillon

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2

bench: build
	$(BUILD_DIR)/bin/bench-formatter

clean:
	rm -rf $(BUILD_DIR)
