#!/usr/bin/env bash
# Screenshots of the windows and of the file-name pattern's hint as a user sees them, for docs/ and
# the README: the release build of
# kalvero-window on a virtual display (Xvfb, 96 dpi) with a small window manager (openbox), so the
# windows' frames and captions show, driven by xdotool; then the Windows build's kalvero-window.exe
# under Wine, in a virtual desktop of Wine's own (`explorer /desktop=`), whose frames Wine draws.
# Pictures for the source folder come from the shared corpus generator (../shared/bench, or
# KALVERO_CORPUS_TOOLS).
#
#   scripts/screenshots.sh [OUTDIR]     (default: docs)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-docs}")
tools=${KALVERO_CORPUS_TOOLS:-$root/../shared/bench}
# The folders show in the main window's pictures, so their path is always the same; a folder left
# there is refused rather than removed, as it may not be ours.
demo=/tmp/kalvero-demo

fail() {
  echo "screenshots: $*" >&2
  exit 1
}

[ -x "$tools/make-corpus.sh" ] || fail "no corpus generator at $tools (set KALVERO_CORPUS_TOOLS)"
scripts/setup.sh openbox imagemagick x11-utils libimage-exiftool-perl python3
cmake --preset release >/dev/null
cmake --build build/release --target kalvero-window >/dev/null
cmake --preset windows >/dev/null
cmake --build build/windows --target kalvero-window kalvero_wine_prefix >/dev/null

mkdir "$demo" || fail "$demo is there already: another run of this script, or left over; remove it"
trap 'rm -rf "$demo"' EXIT
mkdir -p "$out"
"$tools/make-corpus.sh" 40 "$demo/corpus" >/dev/null
mv "$demo/corpus/src" "$demo/Karte"

export root out demo
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -s <<'SESSION'
set -euo pipefail
openbox >/dev/null 2>&1 &
sleep 1

# Starts the window program in LANGUAGE with the demo folders stored; waits for its main window.
start() {
  export XDG_CONFIG_HOME=$demo/config-$1
  mkdir -p "$XDG_CONFIG_HOME/Vandrel/Kalvero"
  printf '[pref]\r\nlng=%s\r\nsource=%s\r\ntarget=%s\r\ncb1=1\r\ncb2=1\r\nfolder=YYYY.MM.DD\r\nfile=DD.MM.YYYY - HH.NN.SS\r\n' \
    "$1" "$demo/Karte" "$demo/Sortiert" >"$XDG_CONFIG_HOME/Vandrel/Kalvero/kalvero.ini"
  QT_QPA_PLATFORM=xcb "$root/build/release/app/kalvero-window" >/dev/null 2>&1 &
  program=$!
  main=$(timeout 120 xdotool search --sync --onlyvisible --name 'Manage your image' | head -1) ||
    { echo "screenshots: the main window did not show" >&2; exit 1; }
  sleep 1
}
stop() {
  kill "$program"
  wait "$program" 2>/dev/null || true
}
# The window named NAME, with its frame, into FILE.
grab() {
  local window
  window=$(timeout 120 xdotool search --sync --onlyvisible --name "$1" | tail -1) ||
    { echo "screenshots: no window named '$1' showed" >&2; exit 1; }
  sleep 0.5
  import -frame -window "$window" "$out/$2"
}
# A click at X, Y of the main window's client area.
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.5; }
# The pointer resting on the file-name pattern until its hint shows, into FILE with the window.
hint() {
  xdotool mousemove --window "$main" 372 190
  sleep 0.2
  xdotool mousemove --window "$main" 374 191
  sleep 2
  # The hint is a window of its own above the main window: cut the screen to the main window's frame.
  local x y width height left right top bottom
  read -r x y width height < <(xwininfo -id "$main" |
    awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} /Width/ {w = $NF} /Height/ {h = $NF}
         END {print x, y, w, h}')
  read -r left right top bottom < <(xprop -id "$main" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
  import -window root -crop "$((width + left + right))x$((height + top + bottom))+$((x - left))+$((y - top))" \
    +repage "$out/$1"
}

start German
grab 'Manage your image' main-window-de.png
hint hint-edit1-de.png
stop
start English
grab 'Manage your image' main-window-en.png
hint hint-edit1-en.png
click 91 261
grab '^Kalvero 1.3$' about.png
stop
start French
click 589 194
grab '^Info$' file-tokens-fr.png
stop
SESSION

# Windows: the same windows under Wine, each picture the whole virtual desktop, which is sized to
# hold the main window with Wine's frame and a little room around it.
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -s <<'SESSION'
set -euo pipefail
export WINEPREFIX=$root/build/windows/wineprefix
trap 'wineserver -k 2>/dev/null || true' EXIT
wineserver -k 2>/dev/null || true
wineserver -p
"$root/build/windows/wine-run" wineboot
# The demo folders as Windows sees them: Wine's drive Z: is the root of the file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
start() {
  local appdata=$demo/windows-$1
  mkdir -p "$appdata/Vandrel/Kalvero"
  printf '[pref]\r\nlng=%s\r\nsource=%s\r\ntarget=%s\r\ncb1=1\r\ncb2=1\r\nfolder=YYYY.MM.DD\r\nfile=DD.MM.YYYY - HH.NN.SS\r\n' \
    "$1" "$(windows_path "$demo/Karte")" "$(windows_path "$demo/Sortiert")" >"$appdata/Vandrel/Kalvero/kalvero.ini"
  KALVERO_APPDATA=$(windows_path "$appdata") "$root/build/windows/wine-run" explorer /desktop=Kalvero,700x440 \
    "$(windows_path "$root/build/windows/app/kalvero-window.exe")" >/dev/null 2>&1 &
  program=$!
  main=$(timeout 120 xdotool search --sync --name 'Manage your image' | head -1) ||
    { echo "screenshots: the main window did not show under Wine" >&2; exit 1; }
  desktop=$(xdotool search --name 'Wine desktop' | head -1)
  sleep 2
}
stop() {
  wineserver -k 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  wineserver -p
}
grab() { import -window "$desktop" "$out/$1"; }
# Wine draws the frame inside the window's own X window: a border on each side and the caption
# above the 641 x 360 client area. Points are given in the client area.
at() {
  local width height border
  read -r width height < <(xwininfo -id "$main" | awk '/Width/ {w = $NF} /Height/ {h = $NF} END {print w, h}')
  border=$(((width - 641) / 2))
  echo "$(($1 + border)) $(($2 + height - 360 - border))"
}
click() { xdotool mousemove --window "$main" $(at "$1" "$2") click 1; sleep 1; }

start English
grab windows-main-window.png
xdotool mousemove --window "$main" $(at 372 190)
sleep 0.2
xdotool mousemove --window "$main" $(at 374 191)
sleep 3
grab windows-hint.png
stop
start French
click 589 194
grab windows-file-tokens.png
stop
SESSION
echo "Screenshots in $out: $(cd "$out" && ls *.png | tr '\n' ' ')"
