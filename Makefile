# Gonilux: thin wrapper around CMake. `make run` and `make test` install what is missing first.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev libx11-dev \
            libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation xvfb xauth xdotool xclip x11-apps \
            x11-utils openbox clang libclang-rt-14-dev locales imagemagick \
            dpkg-dev file desktop-file-utils libxml2-utils shared-mime-info xdg-utils libfile-mimeinfo-perl lintian \
            poppler-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PREFIX ?= /usr/local

.PHONY: deps build run test test-asan test-arm64 bench fuzz format clean build-package install package

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
	@# One suite runs under a decimal-comma locale; make sure it exists.
	@locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$$' || $(SUDO) localedef -i de_DE -f UTF-8 de_DE.UTF-8

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	cd samples && ../build/release/app/gonilux

# Release build of the two programs and their desktop files only (no tests, no benchmarks).
build-package: deps
	cmake --preset package
	cmake --build --preset package -j $(JOBS)

# The programs, desktop entry, file types, icons and manual pages under PREFIX (staged under DESTDIR if set).
install: build-package
	DESTDIR="$(DESTDIR)" cmake --install build/package --prefix "$(PREFIX)"

# The Debian package build/package/gonilux_<version>_<arch>.deb, its dependencies found by dpkg-shlibdeps.
package: build-package
	cd build/package && cpack -G DEB

test: deps
	rm -rf build/test
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	ctest --preset test -j $(JOBS)

# Address and undefined-behaviour sanitizers over the whole suite: the first report ends the test that made it.
# Leaks that system libraries keep for the process's life are listed in tests/lsan.supp.
# A request larger than memory returns null as the C library does (Qt then makes a null image) instead of aborting.
ASAN_ENV := ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:strict_init_order=1:check_initialization_order=1:detect_stack_use_after_return=1 \
            LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-asan: deps
	rm -rf build/asan
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	$(ASAN_ENV) ctest --preset asan -j $(JOBS)

# The Qt-free build cross-compiled for arm64 and run under qemu-user: the core suites, then gonilux-cli's output
# over the samples and the corpus against the native program's (see tests/arm64/run.sh). Needs no Qt.
ARM64_PACKAGES := build-essential cmake ninja-build g++-aarch64-linux-gnu qemu-user googletest
test-arm64:
	@missing=$$(for p in $(ARM64_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
	JOBS=$(JOBS) tests/arm64/run.sh build/arm64

bench: deps
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/*_bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done

fuzz: deps
	./fuzz/run.sh $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
