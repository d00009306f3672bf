# Quarnel: build, run and test.
#   make run            build and start the client
#   make demo           build, then run the client against real VPN locations in private namespaces (root)
#   make demo-stop      remove every namespace, device and process make demo made
#   make test           install what is missing, build with sanitizers, run every test
#   make windows-qt     build Qt, OpenSSL and tinyxml2 for Windows from Debian's sources (cached)
#   make windows-client build quarnel.exe and the service for Windows, laid out in build/windows/deploy
#   make check-windows  cross-compile the whole tree for Windows, run its tests under Wine
#                       (WINDOWS_QT=0: only the half that needs no Qt, as CI does)
#   make windows-screenshot  start the Windows client under Wine and Xvfb, save its screen
#   make install        install the programs and the service's unit (PREFIX, DESTDIR)
#   make deb            build the Debian package build/quarnel_<version>_<arch>.deb
#   make fuzz           build the libFuzzer targets with clang and run them (FUZZ_SECONDS each)
#   make bench          build the benchmarks (release) and print their figures (firewall: root, else SKIP)
#   make translations   bring the translation files up to date with the client's texts

SHELL := /bin/bash
JOBS ?= $(shell nproc)
BUILD_DIR ?= build/release
TEST_DIR ?= build/test
# What make test ran, passed, failed and skipped, as JUnit XML (.ci/run reads it).
TEST_REPORT ?= $(TEST_DIR)/test-report.xml
WIN_DIR ?= build/windows
WIN_CORE_DIR ?= build/windows-core
# Qt, OpenSSL and tinyxml2 for Windows, outside the checkout; one folder per versions
# and options, <cache>/current the one in use.
WIN_DEPS_CACHE ?= $(HOME)/.cache/quarnel-windows
BENCH_DIR ?= build/bench
DEB_DIR ?= build/deb
FUZZ_DIR ?= build/fuzz
FUZZ_SECONDS ?= 30

# Debian's npm is a package of its own, but a Node.js built elsewhere (NodeSource) brings
# npm along and conflicts with Debian's, so it is asked for only when the command is missing.
NPM_DEB := $(if $(shell command -v npm 2>/dev/null),,npm)

# Every Debian package that building, testing and the tools need. The two small font
# packages give the Chinese, Japanese, Korean and Hindi texts real glyphs, so the
# translation test measures what a user would see.
DEB_PACKAGES := \
	build-essential cmake ninja-build pkg-config git ca-certificates python3 \
	qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qttools5-dev qttools5-dev-tools libssl3 \
	googletest clang-format clang libclang-rt-14-dev \
	libnftables-dev nftables libtinyxml2-dev unicode-cldr-core tzdata libsystemd-dev \
	iproute2 iputils-ping fping openvpn stunnel4 openssl desktop-file-utils dnsmasq-base \
	fonts-wqy-microhei fonts-lohit-deva fonts-dejavu-core xvfb \
	dpkg-dev lintian librsvg2-bin \
	g++-mingw-w64-x86-64 wine64 nodejs $(NPM_DEB)

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# Installation layout. The service lives in its own directory, with the CLDR zone mapping
# beside it, where it looks for the file.
PREFIX ?= /usr/local
DESTDIR ?=
BINDIR ?= $(PREFIX)/bin
SERVICEDIR ?= $(PREFIX)/lib/quarnel
UNITDIR ?= $(PREFIX)/lib/systemd/system
CLDR_ZONES ?= /usr/share/unicode/cldr/common/supplemental/windowsZones.xml

.PHONY: all deps build run demo demo-stop test windows-qt windows-client check-windows windows-screenshot fuzz bench translations install deb format clean

all: build

deps:
	@missing=$$(dpkg-query -W -f='$${db:Status-Abbrev} $${Package}\n' $(DEB_PACKAGES) 2>/dev/null \
		| awk '$$1 == "ii" { print $$2 }' | sort -u | comm -13 - <(printf '%s\n' $(DEB_PACKAGES) | sort -u)); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi
	@# The build renders the flags from the npm packages pinned in package-lock.json.
	@if [ ! -d node_modules/flag-icons ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then \
		echo "Installing the npm packages of package-lock.json"; \
		npm ci --no-audit --no-fund --ignore-scripts --loglevel=error; \
	fi

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_TESTS=OFF

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

# New texts land in every file unfinished; the translation test names them until each
# has its translation.
translations: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --target quarnel_lupdate

run: build
	./$(BUILD_DIR)/bin/quarnel

# The demo world (tools/demo): OpenVPN and stunnel locations with real latencies, the web
# API simulator and the service, in network namespaces; the script asks sudo for root.
demo: build
	tools/demo/quarnel-demo up --build-dir $(BUILD_DIR)

demo-stop:
	tools/demo/quarnel-demo down

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARNEL_SANITIZE=ON -DQUARNEL_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS) --output-junit $(abspath $(TEST_REPORT))

# Debian's sources of Qt (qtbase, qtsvg), OpenSSL and tinyxml2, built with MinGW-w64
# (about 40 minutes on 2 cores the first time, nothing once cached).
windows-qt: deps
	tools/windows/build-windows-deps --cache $(WIN_DEPS_CACHE) --jobs $(JOBS)

# The whole tree for Windows against that Qt. The tools that run while building are the
# build machine's: lupdate and lrelease from Debian, the flag renderer from the release
# tree.
WIN_CONFIGURE = cmake -S . -B $(WIN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARNEL_QT=ON -DQUARNEL_WERROR=ON \
	-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake -DQUARNEL_WINDOWS_DEPS=$(WIN_DEPS_CACHE)/current \
	-DQt5LinguistTools_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools \
	-DQUARNEL_HOST_FLAG_RENDER=$(CURDIR)/$(BUILD_DIR)/tools/flag-render/quarnel_flag_render

windows-client: windows-qt $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --target quarnel_flag_render -j $(JOBS)
	$(WIN_CONFIGURE)
	cmake --build $(WIN_DIR) --target quarnel quarnel-service quarnel-servicectl -j $(JOBS)
	tools/windows/deploy-windows-client $(WIN_DIR) $(WIN_DEPS_CACHE)/current $(WIN_DIR)/deploy

# WINDOWS_QT=0 checks only the half that needs no Qt (service, pipe, the client's Win32
# helpers; build/windows-core), without the long first build of Qt: what CI runs.
WINDOWS_QT ?= 1
ifeq ($(WINDOWS_QT),0)
CHECK_WIN_DIR = $(WIN_CORE_DIR)
CHECK_WIN_FIRST = deps
CHECK_WIN_CONFIGURE = cmake -S . -B $(WIN_CORE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARNEL_QT=OFF \
	-DQUARNEL_WERROR=ON -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake
else
CHECK_WIN_DIR = $(WIN_DIR)
CHECK_WIN_FIRST = windows-client
CHECK_WIN_CONFIGURE =
endif
check-windows: $(CHECK_WIN_FIRST)
	$(CHECK_WIN_CONFIGURE)
	cmake --build $(CHECK_WIN_DIR) -j $(JOBS)
	cmake/wine-prefix.sh $(CURDIR)/$(CHECK_WIN_DIR)/wineprefix
	ctest --test-dir $(CHECK_WIN_DIR) --output-on-failure -j $(JOBS)
	WINEPREFIX=$(CURDIR)/$(CHECK_WIN_DIR)/wineprefix /usr/lib/wine/wineserver -k 2>/dev/null || true

# The deployed client started under Wine in a private X server with Qt's Windows
# platform plugin; the screen is saved as build/windows/first-screen.png.
windows-screenshot: windows-client
	tools/windows/windows-screenshot $(WIN_DIR)/deploy $(WIN_DIR)/first-screen.png

# One clang build with the client's Qt libraries beside the service's; every target then
# runs FUZZ_SECONDS over its committed seeds (tests/fuzz/run-fuzzers).
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARNEL_QT=ON -DQUARNEL_FUZZ=ON \
		-DQUARNEL_SANITIZE=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) --target quarnel_fuzz_targets -j $(JOBS)
	tests/fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_TESTS=OFF
	cmake --build $(BENCH_DIR) --target firewall_update_bench pipe_roundtrip_bench connect_time_bench \
		ping_sweep_bench signin_parse_bench picker_bench startup_bench idle_memory_bench -j $(JOBS)
	./$(BENCH_DIR)/bench/pipe_roundtrip_bench
	./$(BENCH_DIR)/bench/signin_parse_bench
	./$(BENCH_DIR)/bench/ping_sweep_bench
	./$(BENCH_DIR)/bench/picker_bench
	QT_QPA_PLATFORM=offscreen ./$(BENCH_DIR)/bench/startup_bench
	QT_QPA_PLATFORM=offscreen ./$(BENCH_DIR)/bench/idle_memory_bench
	./$(BENCH_DIR)/bench/connect_time_bench
	./$(BENCH_DIR)/bench/firewall_update_bench

install: build
	install -D -m 0755 $(BUILD_DIR)/bin/quarnel $(DESTDIR)$(BINDIR)/quarnel
	install -D -m 0755 $(BUILD_DIR)/bin/quarnel-servicectl $(DESTDIR)$(BINDIR)/quarnel-servicectl
	install -D -m 0755 $(BUILD_DIR)/bin/quarnel-service $(DESTDIR)$(SERVICEDIR)/quarnel-service
	install -D -m 0755 $(BUILD_DIR)/bin/quarnel-dns-hook $(DESTDIR)$(SERVICEDIR)/quarnel-dns-hook
	install -D -m 0644 $(CLDR_ZONES) $(DESTDIR)$(SERVICEDIR)/windowsZones.xml
	install -d $(DESTDIR)$(UNITDIR)
	sed 's|/usr/local/lib/quarnel/|$(SERVICEDIR)/|' packaging/linux/quarnel-service.service \
		> $(DESTDIR)$(UNITDIR)/quarnel-service.service
	chmod 0644 $(DESTDIR)$(UNITDIR)/quarnel-service.service

# The Debian package: the programs built with Debian's hardening flags (dpkg-buildflags;
# CMake reads no CPPFLAGS, so they join the compiler flags), packaged by build-deb, which
# computes the library dependencies and builds the package with dpkg-deb; lintian must
# find no error in it. The service's target brings its DNS hook along.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
deb: deps
	CFLAGS="$$($(DEB_FLAGS) CFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
	CXXFLAGS="$$($(DEB_FLAGS) CXXFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" LDFLAGS="$$($(DEB_FLAGS) LDFLAGS)" \
		cmake -S . -B $(DEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_TESTS=OFF
	cmake --build $(DEB_DIR) --target quarnel quarnel-servicectl quarnel-service -j $(JOBS)
	@deb=$$(packaging/linux/deb/build-deb --build-dir $(DEB_DIR) --output build) && \
		echo "Checking $$deb with lintian" && lintian --fail-on error "$$deb" && echo "$$deb"

format:
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	rm -rf build
