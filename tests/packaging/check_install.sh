#!/usr/bin/env bash
# "cmake --install" into a folder of its own, as a packager of another distribution would:
# every file where the desktop expects it, the desktop entry and the AppStream metadata valid,
# the icon the same at every size, the manual pages clean, the installed tool checks the
# installed question bank, and the installed game finds its data and draws a question.
#
# Usage: check_install.sh BUILD_DIR. Needs what run.sh test installs.
set -euo pipefail
build=$(cd "${1:?usage: check_install.sh BUILD_DIR}" && pwd)
# shellcheck source=installed_game.sh
. "$(dirname "${BASH_SOURCE[0]}")/installed_game.sh"
for tool in desktop-file-validate appstreamcli man lexgrog gdk-pixbuf-thumbnailer identify compare xprop; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (run.sh test installs it)"
done

# A blank and a Czech letter, as in many a home folder: the desktop entry must quote the path.
prefix="$work/pre fix ž"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
app_id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$prefix"/share/metainfo/*.metainfo.xml)
data=$prefix/share/games/kvizarion

# Where Debian's games and the desktop look for each file.
for f in games/kvizarion bin/kvizarion-qst libexec/kvizarion/kvizarion-guard share/games/kvizarion/snd/bgm.wav share/games/kvizarion/snd/odpocet.avi \
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" share/man/man6/kvizarion.6.gz \
  share/man/man1/kvizarion-qst.1.gz share/doc/kvizarion/copyright share/doc/kvizarion/changelog.gz \
  share/icons/hicolor/scalable/apps/kvizarion.svg; do
  [ -s "$prefix/$f" ] || fail "not installed: $f"
done
# The game and the tool run below; the guard runs only when the game switches the display.
[ -x "$prefix/libexec/kvizarion/kvizarion-guard" ] || fail "the display guard is not executable"

# The desktop entry names the installed icon (that it starts the installed game is
# installed_game.py's, below); the metadata launches that entry.
desktop=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli validate"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = kvizarion ] || fail "Icon= is not the installed icon's name"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
  fail "the metadata does not launch $app_id.desktop"

# Every icon is as large as its folder says; the scalable one draws what the largest does.
pngs=0
for png in "$prefix"/share/icons/hicolor/*x*/apps/kvizarion.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
  pngs=$((pngs + 1))
done
[ "$pngs" -ge 6 ] || fail "only $pngs icon sizes installed"
svg=$prefix/share/icons/hicolor/scalable/apps/kvizarion.svg
gdk-pixbuf-thumbnailer -s 256 "$svg" "$work/svg.png" || fail "the scalable icon cannot be drawn"
diff=$({ compare -metric RMSE "$work/svg.png" "$prefix/share/icons/hicolor/256x256/apps/kvizarion.png" null: 2>&1 || true; } |
  sed -n 's/.*(\(.*\)).*/\1/p')
awk -v d="$diff" 'BEGIN { exit !(d < 0.05) }' || fail "the scalable icon differs from the 256 px one (RMSE $diff)"

# The manual pages: no formatter warnings, a NAME line that whatis can read, every section.
for page in share/man/man6/kvizarion.6.gz share/man/man1/kvizarion-qst.1.gz; do
  MANWIDTH=80 man --warnings -l "$prefix/$page" >"$work/page.txt" 2>"$work/page.err" || fail "man -l $page"
  [ ! -s "$work/page.err" ] || { cat "$work/page.err"; fail "man -l $page warns"; }
  lexgrog "$prefix/$page" | grep -q ' - ' || fail "$page: whatis cannot read its NAME"
  for section in NAME SYNOPSIS DESCRIPTION FILES 'EXIT STATUS' 'SEE ALSO'; do
    [[ $page == *qst* && $section == FILES ]] && continue
    grep -q "^$section" "$work/page.txt" || fail "$page has no $section section"
  done
done

# A layout the installed game could not find its data by is refused when the build is set up.
source_dir=$(cd "$packaging_dir/../.." && pwd)
for bad in KVZ_INSTALL_GAMEDIR=/usr/games KVZ_INSTALL_GAMEDATADIR=/usr/share/games/kvizarion; do
  if cmake -S "$source_dir" -B "$work/bad" -DKVZ_TESTS=OFF "-D$bad" >"$work/bad.log" 2>&1; then
    fail "configured with $bad"
  fi
  grep -q "${bad%%=*} must be relative to the prefix" "$work/bad.log" || { cat "$work/bad.log"; fail "no reason given for $bad"; }
  rm -rf "$work/bad"
done

# The installed tool on the installed bank, then the installed game on it.
QT_QPA_PLATFORM=offscreen "$prefix/bin/kvizarion-qst" check "$data/qst" || fail "kvizarion-qst check on the installed bank"
/usr/bin/python3 "$packaging_dir/installed_game.py" "$build" "$desktop" "$prefix/games/kvizarion"
echo "installed into $prefix: all checks passed"
