#!/usr/bin/env bash
# The .deb as a player gets it: built by cpack from the install, lintian without errors,
# installed with apt-get (which must find every run-time dependency), the authors' tool on the
# PATH, then removed with nothing of it left behind. What the installed files do (the desktop
# entry, the manual pages, the tool on the installed bank, the game drawing a question) is the
# same for every prefix and is checked once, by check_install.sh.
#
# Usage: check_deb.sh BUILD_DIR. Installs into the system: runs only as root (CI runs as root
# on a machine of its own) and never where a kvizarion package is installed already.
set -euo pipefail
build=$(cd "${1:?usage: check_deb.sh BUILD_DIR}" && pwd)
# shellcheck source=../support/skip.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/skip.sh"
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
# Two test runs on one machine would install and remove the same package under each other: the
# check runs again under a lock, which the servers it starts do not inherit.
if [ -z "${KVZ_DEB_CHECK_LOCKED:-}" ]; then
  rc=0
  KVZ_DEB_CHECK_LOCKED=1 flock -o -w 300 -E 75 /tmp/kvizarion-deb-check.lock bash "$0" "$@" || rc=$?
  [ "$rc" -ne 75 ] || skip "another run of this check held /tmp/kvizarion-deb-check.lock for 5 minutes"
  exit "$rc"
fi
[ -n "$(dpkg-query -W -f='${db:Status-Abbrev}' kvizarion 2>/dev/null)" ] &&
  skip "a kvizarion package is installed on this machine; this check would remove it"

# shellcheck source=installed_game.sh
. "$(dirname "${BASH_SOURCE[0]}")/installed_game.sh"
for tool in cpack lintian apt-get dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (run.sh test installs it)"
done
installed=0
remove_package() {
  apt-get purge -y -qq -o DPkg::Lock::Timeout=300 kvizarion >"$work/purge.log" 2>&1
  installed=0
}
trap 'rc=$?; set +e; [ "$installed" -eq 0 ] || remove_package; (exit $rc); session_cleanup' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$work/deb/kvizarion_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "cpack made no $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "Section is $(field Section), not games"
for dep in libqt6multimedia6 libqt6widgets6 gstreamer1.0-plugins-good gstreamer1.0-plugins-base fonts-liberation2; do
  [[ ", $(field Depends)," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $(field Depends)"
done

# Errors fail; one warning is kept: the authors' tool in /usr/bin of a games package (it is not
# a game).
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian reports errors"; }

dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | grep -v '/$' >"$work/files.txt"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "apt-get install $deb"; }
installed=1

env -i PATH=/usr/local/bin:/usr/bin:/bin kvizarion-qst --help >"$work/help.txt" 2>&1 ||
  fail "kvizarion-qst --help from the PATH"
grep -q 'kvizarion-qst check' "$work/help.txt" || fail "kvizarion-qst --help shows no usage"

remove_package || { cat "$work/purge.log"; fail "apt-get purge kvizarion"; }
[ -z "$(dpkg-query -W -f='${db:Status-Abbrev}' kvizarion 2>/dev/null)" ] || fail "dpkg still knows kvizarion after the purge"
left=$(while read -r f; do if [ -e "$f" ]; then echo "$f"; fi; done <"$work/files.txt")
[ -z "$left" ] || fail "left behind after the purge: $left"
for dir in /usr/share/games/kvizarion /usr/share/doc/kvizarion; do [ ! -e "$dir" ] || fail "left behind: $dir"; done
echo "$(basename "$deb"): built, lintian clean of errors, installed, removed"
