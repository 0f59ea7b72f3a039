#!/usr/bin/env bash
# Runs the Windows command line under Wine over the corpus's camera pictures and compares what it
# makes with what the Linux one makes from the same pictures: the trees (names and bytes) of a run
# into date folders, a flat run, a numbered run and a run of every type (the pictures with the raw
# files, HEIF pictures and videos of tests/data/media, a sidecar and a file that does not fit its
# kind, numbering clashes and filing undated files), the runs' summaries and exit statuses, and the
# date text of every picture of the corpus and every media file; and takes runs back with their
# journals.
#
#   scripts/check_windows_sort.sh [LINUX_BUILD [WINDOWS_BUILD]]   (defaults build/test, build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."

linux_kalvero="${1:-build/test}/app/kalvero"
windows_build="${2:-build/windows}"
windows_kalvero="$windows_build/app/kalvero.exe"
corpus="$(cd .. && pwd)/shared/corpus"

[ -d "$corpus/camera" ] || {
  echo "check_windows_sort: $corpus/camera is missing: the Windows program is compared on its pictures" >&2
  exit 1
}
for program in "$linux_kalvero" "$windows_kalvero"; do
  [ -x "$program" ] || { echo "check_windows_sort: $program is missing: build it first" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Neither program may read the user's stored choices.
export KALVERO_APPDATA="$work/settings"
mkdir -p "$KALVERO_APPDATA"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The relative path and checksum of every file below a folder, in one order.
tree_of() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r sha256sum); }

# A card of every type: the camera pictures, the media files (two of them twice, in the same
# second), a sidecar and a "raw file" that is none. Movie header times are shown in UTC.
export TZ=UTC
card="$work/card"
cp -r "$corpus/camera" "$card"
mkdir -p "$card/media"
cp tests/data/media/*.* "$card/media/"
rm "$card/media/"*.sh "$card/media/dates.txt"
cp tests/data/media/picture.heic "$card/media/IMG_0002.HEIC"
echo '<x:xmpmeta/>' >"$card/media/IMG_0002.xmp"
echo 'no raw file' >"$card/media/IMG_0003.CR2"

# name|source|options of each run compared
runs=(
  "date-folders|$corpus/camera|"
  "flat|$corpus/camera|--no-date-folders"
  "numbered|$corpus/camera|--no-date-folders --pattern Urlaub-FFF --yes"
  "every-type|$card|--types all --on-clash number --undated folder undated"
)
for run in "${runs[@]}"; do
  IFS='|' read -r name source rest <<<"$run"
  read -r -a options <<<"$rest"
  set +e
  "$linux_kalvero" sort "${options[@]}" "$source" "$work/linux-$name" >"$work/linux-$name.out" 2>/dev/null
  linux_status=$?
  "$windows_build/wine-run" "$windows_kalvero" sort "${options[@]}" "$source" "$work/windows-$name" \
    >"$work/windows-$name.out" 2>/dev/null
  windows_status=$?
  set -e
  [ "$linux_status" -eq "$windows_status" ] ||
    fail "$name: exit status $windows_status under Wine, $linux_status on Linux"
  [ -d "$work/linux-$name" ] && [ -n "$(ls -A "$work/linux-$name")" ] || fail "$name: the Linux run copied nothing"
  if diff <(tree_of "$work/linux-$name") <(tree_of "$work/windows-$name") >"$work/$name.diff"; then
    echo "ok: $name: $(tree_of "$work/windows-$name" | wc -l) copies, the same names and bytes as on Linux"
  else
    fail "$name: the trees differ (< Linux, > Windows):"
    head -20 "$work/$name.diff" >&2
  fi
  diff <(tail -n 1 "$work/linux-$name.out") <(tail -n 1 "$work/windows-$name.out") >/dev/null ||
    fail "$name: summary under Wine: $(tail -n 1 "$work/windows-$name.out"); on Linux: $(tail -n 1 "$work/linux-$name.out")"
done

# Runs with a journal, taken back by the Windows undo: identities and change times as Windows keeps
# them, the journal's Windows paths.
for run in "camera|$corpus/camera|" "card|$card|--types all --on-clash number --undated folder undated"; do
  IFS='|' read -r name source rest <<<"$run"
  read -r -a options <<<"$rest"
  set +e
  "$windows_build/wine-run" "$windows_kalvero" sort "${options[@]}" --report "$work/journal-$name.tsv" "$source" \
    "$work/undone-$name" >/dev/null 2>&1
  "$windows_build/wine-run" "$windows_kalvero" undo "$work/journal-$name.tsv" >"$work/undo.out" 2>&1
  undo_status=$?
  set -e
  if [ "$undo_status" -eq 0 ] && [ ! -e "$work/undone-$name" ]; then
    echo "ok: undo: the journal of a run of the $name under Wine takes it back whole"
  else
    fail "undo of the $name: exit status $undo_status, and $(find "$work/undone-$name" 2>/dev/null | wc -l) entries left"
    tail -5 "$work/undo.out" >&2
  fi
done

# The date text of every picture, file by file, named relative to the corpus so that both print the
# same paths. Redirected output is UTF-8 with LF line ends on both.
root="$PWD"
cp -r "$corpus/hostile" "$corpus/tiff" "$card/"
mapfile -t pictures < <(cd "$card" && find . -type f \( -iname '*.jp*g' -o -iname '*.tif*' -o -path './media/*' \) | sort)
(cd "$card" && "$root/$linux_kalvero" date -- "${pictures[@]}") >"$work/linux-dates" 2>&1 || true
(cd "$card" && "$root/$windows_build/wine-run" "$root/$windows_kalvero" date -- "${pictures[@]}") \
  >"$work/windows-dates" 2>&1 || true
if diff "$work/linux-dates" "$work/windows-dates" >"$work/dates.diff"; then
  echo "ok: date: the same date text for all ${#pictures[@]} pictures of the corpus and media files"
else
  fail "date: the texts differ (< Linux, > Windows):"
  head -20 "$work/dates.diff" >&2
fi

if ((failures > 0)); then
  echo "check_windows_sort: $failures checks failed" >&2
  exit 1
fi
echo "check_windows_sort: the Windows command line under Wine does what the Linux one does"
