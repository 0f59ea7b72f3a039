#!/usr/bin/env bash
# Sorting a tree of pictures: `kalvero sort` into date folders and flat by time, timed in turns
# with `cp -r` of the same tree followed by `sync -f` (the physical reference: the same bytes
# read and written, and on the medium when it ends, as kalvero's copies are) and with exiftool
# making the same date-folder copy. kalvero starts each copy's write-back as it completes and
# flushes once at the end; the row "waiting for each copy" makes every copy wait for its bytes
# instead (KALVERO_WRITE_BACK=wait), the alternative that was measured against it; the rows
# "--report" and "--dry-run" show what keeping a journal costs and how fast a run is planned. Prints
# the medians, the ratios and the peak memory of `kalvero sort`. A second tree, the same pictures
# with half as many raw files, HEIF pictures and videos beside them (bench/add_media.py), is timed
# with `cp -r` and with `kalvero sort --types all`, which walks the tree once more per extension.
#
#   bench/sort_bench.sh [N ...]     (default: 2000 20000; ROUNDS=5, EXIFTOOL_ROUNDS=1)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

bench_install imagemagick libimage-exiftool-perl python3 bc time
bench_build
rounds=${ROUNDS:-5}
exiftool_rounds=${EXIFTOOL_ROUNDS:-1}
sizes=("$@")
((${#sizes[@]})) || sizes=(2000 20000)
out=$bench_dir/sort-out

cp_synced() {
  cp -r "$1" "$2" && sync -f "$2"
}

kalvero_waiting() {
  KALVERO_WRITE_BACK=wait "$kalvero" sort "$@"
}

kalvero_journal() {
  rm -f "$bench_dir/journal.tsv"
  "$kalvero" sort "$@" --report "$bench_dir/journal.tsv"
}

exiftool_sort() {
  exiftool -q -q -r -o "$2/" '-FileName<DateTimeOriginal' -d "$2/%Y.%m.%d/%d.%m.%Y - %H.%M.%S.%%e" "$1"
}

# Runs one timed command into a fresh output folder; prints its seconds.
timed_into() {
  local target=$1
  shift
  rm -rf "$target"
  bench_seconds "$@"
}

printf '%-8s %-22s %10s %10s\n' files command seconds vs-cp
for count in "${sizes[@]}"; do
  corpus=$(bench_corpus "$count")
  src=$corpus/src
  files=$(find "$src" -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | wc -l)
  mkdir -p "$out"
  bench_warm "$src"
  declare -A times=()
  for ((round = 0; round < rounds; ++round)); do
    times[cp]+=" $(timed_into "$out/cp" cp_synced "$src" "$out/cp")"
    times[dates]+=" $(timed_into "$out/dates" "$kalvero" sort "$src" "$out/dates")"
    times[flat]+=" $(timed_into "$out/flat" "$kalvero" sort "$src" "$out/flat" --no-date-folders)"
    times[waiting]+=" $(timed_into "$out/waiting" kalvero_waiting "$src" "$out/waiting")"
    times[journal]+=" $(timed_into "$out/journal" kalvero_journal "$src" "$out/journal")"
    times[plan]+=" $(timed_into "$out/plan" "$kalvero" sort "$src" "$out/plan" --dry-run)"
  done
  for ((round = 0; round < exiftool_rounds; ++round)); do
    times[exiftool]+=" $(timed_into "$out/exiftool" exiftool_sort "$src" "$out/exiftool")"
  done
  # shellcheck disable=SC2086
  cp_median=$(bench_median ${times[cp]})
  commands=(cp dates flat waiting journal plan)
  ((exiftool_rounds > 0)) && commands+=(exiftool)
  for command in "${commands[@]}"; do
    # shellcheck disable=SC2086
    median=$(bench_median ${times[$command]})
    label=$command
    [ "$command" = dates ] && label="kalvero, date folders"
    [ "$command" = flat ] && label="kalvero, flat by time"
    [ "$command" = waiting ] && label="kalvero, each waiting"
    [ "$command" = journal ] && label="kalvero, with --report"
    [ "$command" = plan ] && label="kalvero, --dry-run"
    [ "$command" = cp ] && label="cp -r; sync -f"
    printf '%-8s %-22s %10.3f %10.2f\n' "$files" "$label" "$median" "$(echo "$median / $cp_median" | bc -l)"
  done
  # shellcheck disable=SC2086
  ((exiftool_rounds > 0)) && echo "$files files: exiftool takes $(echo "$(bench_median ${times[exiftool]}) / $(bench_median ${times[dates]})" | bc -l | xargs printf '%.1f') times as long as kalvero into date folders"
  rm -rf "$out/dates"
  /usr/bin/time -o "$bench_dir/peak" -f '%M' "$kalvero" sort "$src" "$out/dates" >/dev/null 2>&1 || true
  peak=$(tail -1 "$bench_dir/peak")
  echo "$files files: peak memory of kalvero sort into date folders: $peak KB"
  unset times

  mixed=$bench_dir/mixed-$count
  if [ ! -d "$mixed" ]; then
    cp -r "$src" "$mixed.part"
    python3 "$bench_root/bench/add_media.py" "$mixed.part" $((count / 2)) "$bench_root/tests/data/media"
    mv "$mixed.part" "$mixed"
  fi
  mixed_files=$(find "$mixed" -type f | wc -l)
  bench_warm "$mixed"
  declare -A times=()
  for ((round = 0; round < rounds; ++round)); do
    times[cp]+=" $(timed_into "$out/cp" cp_synced "$mixed" "$out/cp")"
    times[jpeg]+=" $(timed_into "$out/jpeg" "$kalvero" sort "$mixed" "$out/jpeg")"
    times[all]+=" $(timed_into "$out/all" "$kalvero" sort "$mixed" "$out/all" --types all)"
  done
  # shellcheck disable=SC2086
  cp_median=$(bench_median ${times[cp]})
  for command in cp jpeg all; do
    # shellcheck disable=SC2086
    median=$(bench_median ${times[$command]})
    label="mixed: cp -r; sync -f"
    [ "$command" = jpeg ] && label="mixed: kalvero, JPEGs"
    [ "$command" = all ] && label="mixed: --types all"
    printf '%-8s %-22s %10.3f %10.2f\n' "$mixed_files" "$label" "$median" "$(echo "$median / $cp_median" | bc -l)"
  done
  unset times
  rm -rf "$out"
done
