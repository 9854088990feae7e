# The two commands of the README: `make run` and `make test`.
# Both install what is missing from Debian's packages, configure and build.

BUILD_DIR ?= build
CMAKE_BUILD_TYPE ?= RelWithDebInfo

# Everything the build, the tests, the end-to-end tests (the editors whose
# LSP clients drive the language server among them), the benchmark and
# the Debian package need.
PACKAGES := cmake ninja-build g++ make \
	qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-l10n-tools \
	dpkg-dev file lintian desktop-file-utils \
	fonts-liberation fonts-dejavu-core \
	xvfb xauth x11-utils openbox wmctrl xdotool xclip imagemagick python3 \
	libbenchmark-dev \
	clang libclang-rt-dev \
	antlr4 default-jdk-headless \
	neovim emacs-nox elpa-eglot

.PHONY: all deps configure build package run check test bench clean

# A second build of the tests with AddressSanitizer and UBSan (g++, Debug, so
# with Qt's asserts on),
# and the libFuzzer targets of fuzz/ (clang only). Any sanitizer report fails.
# Their flags, and the sanitizers' options for CTest, are the presets' "asan"
# and "fuzz"; the timed fuzzing runs below need the options here as well.
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := fuzz_formatter fuzz_reader fuzz_laststore fuzz_commandline fuzz_sourcefiles fuzz_lsp
SANITIZER_ENV := \
	ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan-third-party.supp:print_suppressions=0

.PHONY: asan-build asan-test fuzz-build fuzz-test fuzz

# The Windows build: cross-built with MinGW-w64 against a Qt for Windows that
# qt_for_windows/build-qt.sh builds once into a cache folder, tested under Wine.
WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev nsis unzip x11-xkb-utils
WINDOWS_WINEPREFIX := $(abspath $(WINDOWS_BUILD_DIR))/wine
WINDOWS_EMULATOR := env;WINEPREFIX=$(WINDOWS_WINEPREFIX);WINEDEBUG=-all;wine

.PHONY: windows-deps windows-qt windows windows-test windows-package

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

# The builds are the presets of CMakePresets.json, which an IDE offers as
# well; the folders and the build type can still be overridden here.
$(BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset default -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(CMAKE_BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

# The Debian package (CPack), written into the build folder.
package: build
	cmake --build $(BUILD_DIR) --target package

run: build
	$(BUILD_DIR)/bin/msgbox-quillon

# The edit-test loop: one build, the core and widget tests only.
check: build
	ctest --preset check --test-dir $(BUILD_DIR)

# The sanitizer and corpus runs come first, so that the last lines printed
# are the full suite's.
test: build asan-test fuzz-test
	ctest --preset default --test-dir $(BUILD_DIR)

$(ASAN_BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset asan -B $(ASAN_BUILD_DIR)

asan-build: deps $(ASAN_BUILD_DIR)/build.ninja
	cmake --build $(ASAN_BUILD_DIR)

asan-test: asan-build
	ctest --preset asan --test-dir $(ASAN_BUILD_DIR)

$(FUZZ_BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json fuzz/CMakeLists.txt | deps
	cmake --preset fuzz -B $(FUZZ_BUILD_DIR)

fuzz-build: deps $(FUZZ_BUILD_DIR)/build.ninja
	cmake --build $(FUZZ_BUILD_DIR) --target $(FUZZ_TARGETS)

# Every input of the seed corpora once: the crashes found so far stay fixed.
fuzz-test: fuzz-build
	ctest --preset fuzz --test-dir $(FUZZ_BUILD_DIR)

# Fuzzes each target for FUZZ_SECONDS. New inputs go to a scratch corpus in
# the build folder; the seeds in fuzz/corpus/ are only read.
fuzz: fuzz-build
	@set -e; \
	for t in $(FUZZ_TARGETS); do \
		name=$${t#fuzz_}; \
		mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$name $(FUZZ_BUILD_DIR)/artifacts/$$name; \
		echo "== $$t for $(FUZZ_SECONDS) s"; \
		$(SANITIZER_ENV) $(FUZZ_BUILD_DIR)/bin/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_BUILD_DIR)/artifacts/$$name/ \
			$(FUZZ_BUILD_DIR)/corpus/$$name fuzz/corpus/$$name; \
	done

bench: build
	$(BUILD_DIR)/bin/bench-formatter
	$(BUILD_DIR)/bin/bench-codebox
	$(BUILD_DIR)/bin/bench-sourcefiles
	$(BUILD_DIR)/bin/bench-lsp

windows-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(WINDOWS_PACKAGES)"

windows-qt: windows-deps
	qt_for_windows/build-qt.sh

$(WINDOWS_BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json cmake/mingw-w64-x86_64.cmake | windows-qt
	QUILLON_WINDOWS_QT="$$(qt_for_windows/build-qt.sh | tail -n 1)" \
		cmake --preset windows -B $(WINDOWS_BUILD_DIR) -DCMAKE_BUILD_TYPE=$(CMAKE_BUILD_TYPE) \
		"-DCMAKE_CROSSCOMPILING_EMULATOR=$(WINDOWS_EMULATOR)"

windows: windows-qt $(WINDOWS_BUILD_DIR)/build.ninja
	cmake --build $(WINDOWS_BUILD_DIR)

# Every test under Wine on one X server: the core and widget tests, and the
# end-to-end tests of the real program and of the packages.
windows-test: windows-package
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
		ctest --preset windows --test-dir $(WINDOWS_BUILD_DIR)

# The portable zip and the installer, written into the Windows build folder.
windows-package: windows
	cd $(WINDOWS_BUILD_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR) $(WINDOWS_BUILD_DIR)
