#!/usr/bin/env bash
# ./run.sh        installs what is missing, builds and starts the game
# ./run.sh test   installs what is missing, builds and runs every test headless
#                 (then once more built with AddressSanitizer and UBSan)
# Extra arguments after "./run.sh" go to the game, for example: ./run.sh no_fullscreen
set -euo pipefail
cd "$(dirname "$0")"

mode=play
if [ "${1:-}" = test ]; then mode=test; shift; fi

build_packages=(cmake ninja-build ccache g++ pkg-config qt6-base-dev qt6-multimedia-dev libqt6multimedia6
  libqt6multimediawidgets6 libgl-dev libxrandr-dev libx11-dev libgtest-dev scdoc)
runtime_packages=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
  fonts-liberation2 fonts-dejavu-core)
# Whole-program checks: a real X server (Xvfb, and Xorg with the dummy driver for display
# modes), real input, a sound server with a null sink to record from, pixel and sound tools.
test_packages=(xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xdotool
  pulseaudio pulseaudio-utils imagemagick sox openbox xfwm4 weston qt6-wayland x11-utils
  dpkg-dev lintian desktop-file-utils appstream man-db libxml2-utils libgdk-pixbuf2.0-bin librsvg2-common
  x11-utils)

packages=("${build_packages[@]}" "${runtime_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

jobs=$(nproc 2>/dev/null || echo 2)
build() {  # build folder, extra cmake options...
  local dir=$1; shift
  # Configured every time (a second or two): "./run.sh" builds without the tests, and a later
  # "./run.sh test" in the same folder must switch them back on.
  local generator=()
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake -S . -B "$dir" "${generator[@]}" "$@" >/dev/null
  local start=$SECONDS
  cmake --build "$dir" -j "$jobs"
  echo "built $dir in $((SECONDS - start)) s"
}

if [ "$mode" = play ]; then
  build build -DKVZ_TESTS=OFF
  exec ./build/kvizarion "$@"
fi

build build -DKVZ_TESTS=ON
echo "== tests =="
(cd build && ctest -j "$jobs" --output-on-failure --timeout 600)
echo "== tests built with AddressSanitizer and UndefinedBehaviorSanitizer =="
build build-asan -DKVZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
# LeakSanitizer itself now and then crashes at exit while stopping the sound system's
# threads (a fault of the tracer, not a leak): a test that fails here gets a second run.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp":print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest -j "$jobs" --output-on-failure --timeout 600 -LE system --repeat until-pass:2)
