#!/usr/bin/env bash
# Checks the installation as a user gets it: installs a build into a temporary DESTDIR with the
# prefix /usr and runs the programs from there.
#
#   - the installed files are exactly the expected ones, the programs carry no build-tree RUNPATH,
#     the man page and the changelog are compressed with gzip -9n;
#   - kalvero --help, and kalvero date on a picture with an EXIF date (tests/data/dated-picture.jpg);
#   - the window program started by the installed kalvero from <DESTDIR>/usr/lib/kalvero/, ended by
#     its first-paint switch on Qt's offscreen platform;
#   - on a virtual display (Xvfb), the "Anleitung" button clicked with xdotool asks the desktop
#     (xdg-open, replaced by a script that records its argument) for
#     <DESTDIR>/usr/lib/kalvero/documentation.pdf, which is installed;
#   - desktop-file-validate and appstreamcli on the desktop entry and the AppStream description;
#   - the man page names every command and option that kalvero --help (and kalvero COMMAND --help,
#     where a command has its own help) lists, and man finds nothing to warn about in it;
#   - the Debian package of scripts/package.sh: the same files, dependencies that apt can satisfy
#     here, and no error from lintian (its warnings are printed).
#
#   scripts/check_install.sh [BUILD [PACKAGE_BUILD]]
#
# BUILD is build/test by default, the sanitizer build of scripts/test.sh; it is built, and configured
# with the preset test when it is not there. PACKAGE_BUILD is the folder of scripts/package.sh
# (default build/package).
#
# KALVERO_PACKAGE_CHECK=0 leaves the package out (it is a release build of its own, a few minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
root=$(pwd)
build=${1:-build/test}
packageBuild=${2:-build/package}
began=$SECONDS
checks=0

# The leak checker of a sanitizer build would report what Qt and the X libraries keep until exit.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0

scripts/setup.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset test -B "$build" >/dev/null
fi
cmake --build "$build" >/dev/null

work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
dest=$work/root
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
bin=$dest/usr/bin
programs=$dest/usr/lib/kalvero
export XDG_CONFIG_HOME=$work/config

fail() {
  echo "check_install: $*" >&2
  exit 1
}
passed() {
  checks=$((checks + 1))
  echo "ok: $*"
}

ExpectedFiles() {
  local size
  echo usr/bin/kalvero
  echo usr/lib/kalvero/kalvero-window
  echo usr/lib/kalvero/documentation.pdf
  echo usr/share/applications/org.example.Kalvero.desktop
  echo usr/share/metainfo/org.example.Kalvero.metainfo.xml
  for size in 16 24 32 48 64 96 128 256; do echo "usr/share/icons/hicolor/${size}x$size/apps/org.example.Kalvero.png"; done
  echo usr/share/man/man1/kalvero.1.gz
  echo usr/share/doc/kalvero/copyright
  echo usr/share/doc/kalvero/changelog.gz
}

CheckLayout() {
  local installed expected file
  installed=$(cd "$dest" && find . -type f -o -type l | sed 's|^\./||' | sort)
  expected=$(ExpectedFiles | sort)
  [ "$installed" = "$expected" ] || fail "installed files differ from the expected ones:
$(diff <(echo "$expected") <(echo "$installed"))"
  for file in "$bin/kalvero" "$programs/kalvero-window"; do
    ! readelf -d "$file" | grep -Eq 'RPATH|RUNPATH' || fail "$file keeps a RUNPATH: $(readelf -d "$file" | grep PATH)"
  done
  # gzip's header: magic, deflate, no flags (so no name), no time stamp, best compression, Unix.
  for file in "$dest/usr/share/man/man1/kalvero.1.gz" "$dest/usr/share/doc/kalvero/changelog.gz"; do
    [ "$(od -An -tx1 -N10 "$file" | tr -d ' \n')" = 1f8b0800000000000203 ] || fail "$file is not compressed with gzip -9n"
  done
  passed "installed files ($(echo "$installed" | wc -l)) in /usr/bin, /usr/lib/kalvero and /usr/share"
}

CheckCommandLine() {
  local help date
  help=$("$bin/kalvero" --help) || fail "kalvero --help failed"
  grep -q '^Usage:' <<<"$help" || fail "kalvero --help printed no usage"
  passed "kalvero --help"
  date=$("$bin/kalvero" date "$root/tests/data/dated-picture.jpg") || fail "kalvero date failed"
  [ "$date" = "2019:07:14 10:15:30	$root/tests/data/dated-picture.jpg" ] || fail "kalvero date printed: $date"
  passed "kalvero date reads the picture's date"
}

# kalvero without a command replaces itself with the installed window program, whose first-paint
# switch prints the monotonic clock and ends it, as the start-up benchmark needs. That it is the
# installed window program that runs is seen through /proc by CheckManualButton, which ends it with
# a click instead.
CheckFirstPaintSwitch() {
  local clock
  clock=$(QT_QPA_PLATFORM=offscreen KALVERO_EXIT_AFTER_FIRST_PAINT=1 timeout 120 "$bin/kalvero" 2>"$work/start.err") ||
    fail "the window program did not start from kalvero: $(cat "$work/start.err")"
  [[ $clock =~ ^[0-9]+\.[0-9]{9}$ ]] || fail "the window program printed '$clock' at its first paint"
  passed "the window program started by kalvero paints its main window and ends at its first-paint switch"
}

# On a virtual display without a window manager: the installed kalvero starts the window program,
# the manual button (client area of the main window: GroupBox1 at 16,8, SpeedButton1 at 22,202,
# 106 x 22) is clicked, then "Anwendung beenden" (GroupBox2 at 184,8, Button2 at 288,264, 129 x 25).
CheckManualButton() {
  local fake=$work/fake-bin record=$work/xdg-open.record opened
  mkdir -p "$fake"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$record" >"$fake/xdg-open"
  chmod +x "$fake/xdg-open"
  export bin programs record work
  PATH=$fake:$PATH timeout 180 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" env -u QT_QPA_PLATFORM bash -s <<'SESSION' ||
set -euo pipefail
"$bin/kalvero" >/dev/null 2>"$work/window.err" &
program=$!
main=$(timeout 120 xdotool search --sync --onlyvisible --name 'Manage your image' | head -1)
[ -n "$main" ] || { echo "no main window: $(cat "$work/window.err")" >&2; exit 1; }
running=$(readlink "/proc/$program/exe")
[ "$running" = "$programs/kalvero-window" ] || { echo "kalvero started $running" >&2; exit 1; }
xdotool mousemove --window "$main" 91 221 click 1
for _ in $(seq 100); do [ -s "$record" ] && break; sleep 0.1; done
xdotool mousemove --window "$main" 536 284 click 1
timeout 60 tail --pid="$program" -f /dev/null
wait "$program" || { echo "the window program ended with $?: $(cat "$work/window.err")" >&2; exit 1; }
SESSION
    fail "the window session on the virtual display failed"
  [ -s "$record" ] || fail "the manual button asked the desktop for nothing"
  opened=$(head -1 "$record")
  opened=${opened#file://}
  opened=$(printf '%b' "${opened//%/\\x}")
  [ "$opened" = "$programs/documentation.pdf" ] || fail "the manual button asked for $opened"
  [ -f "$opened" ] || fail "the manual $opened is not installed"
  passed "the manual button asks xdg-open for $opened"
}

CheckDesktopFiles() {
  desktop-file-validate "$dest/usr/share/applications/org.example.Kalvero.desktop" || fail "desktop-file-validate"
  appstreamcli validate --no-net --explain "$dest/usr/share/metainfo/org.example.Kalvero.metainfo.xml" >"$work/appstream.log" ||
    fail "appstreamcli validate: $(cat "$work/appstream.log")"
  passed "desktop-file-validate and appstreamcli validate"
}

CheckManPage() {
  local page=$work/kalvero.1 text commands command options option warnings
  zcat "$dest/usr/share/man/man1/kalvero.1.gz" >"$page"
  # The page's text with troff's minus signs as the hyphens a user types.
  text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
  commands=$(help_commands "$bin/kalvero") || fail "kalvero --help lists no commands"
  options=$(help_texts "$bin/kalvero" | help_options) || fail "kalvero --help lists no options"
  for command in $commands; do
    grep -qE "kalvero $command([^a-z-]|$)" <<<"$text" || fail "the man page does not name the command $command"
  done
  for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "the man page does not name the option $option"
  done
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about the man page: $warnings"
  passed "the man page names the commands ${commands//$'\n'/ } and the options ${options//$'\n'/ }"
}

# The package's files are those of the installation; apt finds every dependency; lintian finds no
# error.
CheckPackage() {
  local package packaged installed
  scripts/package.sh "$packageBuild" >"$work/package.log" 2>&1 ||
    fail "scripts/package.sh failed: $(tail -40 "$work/package.log")"
  package=$(tail -1 "$work/package.log")
  packaged=$(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
  installed=$(ExpectedFiles | sort)
  [ "$packaged" = "$installed" ] || fail "the package's files differ from the installation's:
$(diff <(echo "$installed") <(echo "$packaged"))"
  apt-get install --simulate --no-install-recommends "$(realpath "$package")" >"$work/apt.log" 2>&1 ||
    fail "apt-get cannot install $package: $(cat "$work/apt.log")"
  lintian --fail-on error "$package" || fail "lintian found errors in $package"
  passed "the package $package: its files, its dependencies, lintian"
}

CheckLayout
CheckCommandLine
CheckFirstPaintSwitch
CheckManualButton
CheckDesktopFiles
CheckManPage
if [ "${KALVERO_PACKAGE_CHECK:-1}" != 0 ]; then CheckPackage; fi
echo "Install checks: all $checks passed in $((SECONDS - began)) s."
