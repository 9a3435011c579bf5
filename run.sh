#!/usr/bin/env bash
# ./run.sh        installs what is missing, builds and starts the game
# ./run.sh test   installs what is missing, builds and runs every test headless
#                 (then once more built with AddressSanitizer and UBSan)
# Extra arguments after "./run.sh" go to the game, for example: ./run.sh no_fullscreen
set -euo pipefail
cd "$(dirname "$0")"

mode=play
if [ "${1:-}" = test ]; then mode=test; shift; fi

build_packages=(cmake ninja-build ccache g++ pkg-config libebur128-dev qt6-base-dev qt6-multimedia-dev libqt6multimedia6
  libqt6multimediawidgets6 libgl-dev libxrandr-dev libx11-dev libgtest-dev scdoc)
runtime_packages=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
  fonts-liberation2 fonts-dejavu-core)
# Whole-program checks: a real X server (Xvfb, and Xorg with the dummy driver for display
# modes), real input, a sound server with a null sink to record from, pixel and sound tools.
test_packages=(xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xdotool
  pulseaudio pulseaudio-utils imagemagick sox openbox xfwm4 tint2 weston qt6-wayland x11-utils
  dpkg-dev lintian desktop-file-utils appstream man-db libxml2-utils libgdk-pixbuf2.0-bin librsvg2-common
  x11-utils x11-apps dbus at-spi2-core python3-pyatspi orca)

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
  # Through env: sudo would drop a variable set before it.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
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
  build build -DKVZ_TESTS=OFF -DKVZ_BENCH=OFF
  exec ./build/kvizarion "$@"
fi

# ctest lists the tests it skipped; this adds the reason each one gave (from its JUnit file).
# Under KVZ_STRICT_CHECKS (CI) a skip of any kind, a unit test's as well, fails the run.
skip_reasons() {  # build folder
  local reasons
  reasons=$(tests/support/ctest_log.sh skipped "$1/ctest.xml")
  [ -z "$reasons" ] && return 0
  printf 'Skipped, and why:\n%s\n' "$reasons"
  [ "${KVZ_STRICT_CHECKS:-0}" = 0 ] || { echo "KVZ_STRICT_CHECKS is set: no test may skip"; return 1; }
}

# The benchmarks are not tests: they are built only by the commands in the README.
build build -DKVZ_TESTS=ON -DKVZ_BENCH=OFF
echo "== tests =="
status=0
(cd build && ctest -j "$jobs" --output-on-failure --timeout 600 --output-junit "$PWD/ctest.xml") || status=$?
skip_reasons build || status=1
[ "$status" -eq 0 ] || exit "$status"

echo "== tests built with AddressSanitizer and UndefinedBehaviorSanitizer =="
build build-asan -DKVZ_TESTS=ON -DKVZ_BENCH=OFF -DKVZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0
sanitized=0
(cd build-asan && ctest -j "$jobs" --output-on-failure --timeout 600 -LE system --output-junit "$PWD/ctest.xml") ||
  sanitized=$?
strict_skips=0
skip_reasons build-asan || strict_skips=1
if [ "$sanitized" -ne 0 ]; then
  # LeakSanitizer's tracer now and then crashes at exit while the sound system's threads end
  # (its own fault, no leak found). A test whose only fault is that crash runs once more;
  # any other failure stands.
  mapfile -t crashed < <(tests/support/ctest_log.sh tracer-crashes build-asan/ctest.xml)
  [ "${#crashed[@]}" -gt 0 ] || exit "$sanitized"
  echo "== once more, after LeakSanitizer's own crash at exit: ${crashed[*]} =="
  pattern=$(printf '^%s$|' "${crashed[@]}" | sed 's/[][.()*+?{}\\]/\\&/g; s/|$//')
  (cd build-asan && ctest --output-on-failure --timeout 600 -R "$pattern")
fi
exit "$strict_skips"
