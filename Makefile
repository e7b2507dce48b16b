# The two commands of the README, and a few more for developers.
#   make test   installs what is missing, builds and runs every test, the
#               Linux build's and then the Windows build's (under Wine)
#   make demo   installs what the demo needs, builds its three programs and
#               runs it (make demo-windows: the same with the Windows build
#               under Wine)
JOBS ?= $(shell nproc)
# ccache: paths below the checkout are hashed relative to it, and the working
# folder is left out of the hash, so a clean clone elsewhere reuses objects.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
DEMO_DIR := build/demo

.PHONY: all deps configure build test demo demo-windows windows installer test-windows test-sanitize \
	fuzz-smoke bench format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)
	$(MAKE) --no-print-directory test-windows

# The Windows builds, cross-compiled with mingw-w64: 32-bit into
# build/windows32/, then 64-bit into build/windows/ (the installer and the
# zip, made there, hold both programs).
windows: deps
	cmake --preset windows32
	cmake --build --preset windows32 -j $(JOBS)
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

# What a Windows user downloads: the installer
# build/dist/SpurlixLight-<version>-setup.exe and the portable zip beside it
# (also part of `make windows`); here the two programs alone are built for them.
installer: deps
	cmake --preset windows32
	cmake --build --preset windows32 -j $(JOBS) --target spurlixlight
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target installer

# Their tests under Wine, in a private prefix and on a private Xvfb: the
# 64-bit build's, then the 32-bit build's under the emulated 32-bit Wine.
# They compare the Windows tools with the Linux build's, which are built first
# (with the window watcher that the end-to-end scenarios share).
test-windows: windows configure
	cmake --build --preset default -j $(JOBS) --target actdb-sql actdb-demo window-map-watch
	JOBS=$(JOBS) scripts/test-windows windows
	JOBS=$(JOBS) scripts/test-windows windows32

# Only what the demo runs: the program, the stand-in ACT! and the demo
# database's generator (a fresh clone's full build is mostly tests). It says
# in German, as the demo does, what it is doing.
DEMO_TARGETS := spurlixlight act-standin actdb-demo

demo:
	@echo "Demo: prüfe die nötigen Debian-Pakete ..."
	@scripts/install-deps --demo
	@echo "Demo: richte den Build in build/default ein ..."
	@cmake --preset default >/dev/null
	@echo "Demo: baue $(DEMO_TARGETS) (beim ersten Mal einige Minuten) ..."
	@cmake --build --preset default -j $(JOBS) --target $(DEMO_TARGETS)
	@scripts/demo

# The same under Wine: the Windows program beside the Windows stand-in ACT!
# (the demo database comes from the Linux build's generator).
demo-windows: windows configure
	cmake --build --preset default -j $(JOBS) --target actdb-demo
	@scripts/demo-windows

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

fuzz-smoke: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@scripts/fuzz-smoke build/fuzz

bench: build windows
	@scripts/install-deps --bench
	@bench/run
	@bench/startup_run

format:
	find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | xargs clang-format -i

clean:
	rm -rf build
