# hibi: `make run` plays the sample game, `make test` runs every test.
# Both install the Debian packages that are missing when run as root.

PACKAGES := cmake ninja-build g++ make pkg-config \
  qt6-base-dev libfluidsynth-dev timgm6mb-soundfont fonts-ipafont-gothic \
  libgtest-dev libgmock-dev \
  libxcb1-dev xvfb xauth xdotool wmctrl openbox x11-utils imagemagick \
  clang-format icewm xfwm4 twm weston xwayland qt6-wayland \
  qt6-speech-dev qt6-speech-speechd-plugin qt6-svg-dev qt6-declarative-dev \
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus dbus-x11 appstream strace

JOBS ?= $(shell nproc)

.PHONY: all deps build build-asan run test bench check-sample deb clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" -ne 0 ]; then \
	    echo "hibi needs these Debian packages. Install them as root with:"; \
	    echo "  apt-get update && apt-get install -y" $$missing; \
	    exit 1; \
	  fi; \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

run: build
	./build/game/hibi

# The plain build's tests are desktops that mostly wait for the game: the sanitizer
# build compiles beside them, at a lower priority, its output kept for a failure. Its
# own tests wait as much, so they run more at a time than there are cores.
test: build
	cmake --preset asan >/dev/null
	@nice -n 10 cmake --build --preset asan -j $(JOBS) >build-asan/build.log 2>&1 & build=$$!; \
	  ctest --preset default -j $(JOBS); plain=$$?; \
	  echo "Waiting for the sanitizer build (build-asan/build.log)"; \
	  wait $$build || { tail -n 60 build-asan/build.log; exit 1; }; \
	  ctest --preset asan -j $$(($(JOBS) * 2)) && exit $$plain

bench: build
	cmake --build --preset default --target hibi_bench_tools -j $(JOBS)
	./bench/run.sh

# The Debian package, checked by lintian; its tools are needed here only.
deb: build
	@$(MAKE) --no-print-directory deps PACKAGES="desktop-file-utils lintian dpkg-dev fakeroot"
	desktop-file-validate resources/org.example.hibi.desktop
	cd build && cpack -G DEB
	lintian -I --fail-on error build/hibi_*.deb

check-sample: build
	./build/tools/hibi_check/hibi-check build/game
	./build/tools/hibi_check/hibi-check --simulate 200 build/game

clean:
	rm -rf build build-asan
