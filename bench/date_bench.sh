#!/usr/bin/env bash
# Reading capture dates: files per second of `kalvero date` beside exiv2 and exiftool on the same
# files, and the cost against the read floor (open, read 64 KB, close). kalvero and exiv2 get
# their files through xargs, so process start-up counts; exiftool reads them in one process.
#
#   bench/date_bench.sh [N ...]     (default: 2000 20000)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

bench_install imagemagick libimage-exiftool-perl exiv2 python3 bc gcc
bench_build
mkdir -p "$bench_dir"
gcc -O2 -o "$bench_dir/readhead" "$corpus_tools/readhead.c"
rounds=${ROUNDS:-5}
sizes=("$@")
((${#sizes[@]})) || sizes=(2000 20000)

printf '%-8s %-10s %12s %12s %10s\n' files reader seconds files/s vs-kalvero
for count in "${sizes[@]}"; do
  corpus=$(bench_corpus "$count")
  list=$bench_dir/list-$count
  find "$corpus/src" -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | sort >"$list"
  files=$(wc -l <"$list")
  bench_warm "$corpus/src"
  declare -A times=()
  for ((round = 0; round < rounds; ++round)); do
    times[kalvero]+=" $(bench_seconds xargs -d '\n' -a "$list" "$kalvero" date)"
    times[exiv2]+=" $(bench_seconds xargs -d '\n' -a "$list" exiv2 -q -K Exif.Photo.DateTimeOriginal -K Exif.Image.DateTime -Pv)"
    times[exiftool]+=" $(bench_seconds exiftool -q -q -fast2 -s3 -DateTimeOriginal -DateTime -@ "$list")"
    times[floor]+=" $(bench_seconds "$bench_dir/readhead" "$corpus/src")"
  done
  # shellcheck disable=SC2086
  base=$(bench_median ${times[kalvero]})
  for reader in kalvero exiv2 exiftool floor; do
    # shellcheck disable=SC2086
    median=$(bench_median ${times[$reader]})
    printf '%-8s %-10s %12.3f %12.0f %10.2f\n' "$files" "$reader" "$median" \
      "$(echo "$files / $median" | bc -l)" "$(echo "$median / $base" | bc -l)"
  done
  unset times
done
echo "vs-kalvero: the reader's time divided by kalvero's (above 1: kalvero is faster; the floor's is below 1)."
