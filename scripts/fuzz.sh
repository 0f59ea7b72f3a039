#!/usr/bin/env bash
# Fuzzes our parsers with libFuzzer: builds the targets of tests/fuzz with clang in build/fuzz and
# runs each target from the committed inputs under tests/data/fuzz/<target>/ (crafted seeds and
# kept findings; the unit tests replay them too) and from seeds made of ../shared/corpus (when it is
# there) for a fixed number of inputs with a fixed seed. libFuzzer runs every seed first, so a
# committed input that fails again fails here at once. New inputs go to a temporary work folder,
# never into the committed one. Fails on any finding; libFuzzer leaves the input in
# build/fuzz/findings/.
#
# FUZZ_RUNS=n sets the inputs per target (default: about 30 seconds each on a 2-core machine);
# FUZZ_SECONDS=n runs each target for n seconds instead, for longer sessions while developing.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/fuzz
targets=(load_file_fuzzer exif_segment_fuzzer raw_date_fuzzer media_date_fuzzer hint_render_fuzzer
  journal_reader_fuzzer)
declare -A defaultRuns=([load_file_fuzzer]=100000 [exif_segment_fuzzer]=110000 [raw_date_fuzzer]=8000
  [media_date_fuzzer]=400000 [hint_render_fuzzer]=50000 [journal_reader_fuzzer]=50000)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALVERO_FUZZ=ON -DKALVERO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
corpus=../shared/corpus
for target in "${targets[@]}"; do mkdir -p "$seeds/$target"; done
if [ -d "$corpus" ]; then
  # load_file_fuzzer: a flag byte (odd: TIFF road) before each file.
  n=0
  for file in "$corpus"/camera/* "$corpus"/tiff/* "$corpus"/hostile/*; do
    case "$file" in
      *.tif | *.tiff | *.nef) flag='\001' ;;
      *) flag='\000' ;;
    esac
    { printf "$flag"; head -c 262144 "$file"; } >"$seeds/load_file_fuzzer/$((n += 1))"
  done
  # exif_segment_fuzzer: an APP1 segment from its length field, around each file's TIFF block.
  for file in "$corpus"/tiff/* "$corpus"/hostile/*.tif*; do
    { printf '\000\000Exif\000\000'; head -c 65000 "$file"; } >"$seeds/exif_segment_fuzzer/$((n += 1))"
  done
  # raw_date_fuzzer: the TIFF files through the reader of TIFF-based raw files (selector 0).
  for file in "$corpus"/tiff/* "$corpus"/hostile/*.tif*; do
    { printf '\000'; head -c 262144 "$file"; } >"$seeds/raw_date_fuzzer/$((n += 1))"
  done
  if command -v exiftool >/dev/null; then
    for file in "$corpus"/camera/*.jpg; do
      { printf '\000\000Exif\000\000'; exiftool -q -q -b -EXIF "$file" | head -c 65000; } \
        >"$seeds/exif_segment_fuzzer/$((n += 1))"
    done
  fi
else
  echo "No corpus at $corpus: fuzzing without seeds."
fi

mkdir -p "$build/findings"
for target in "${targets[@]}"; do
  binary="$build/tests/fuzz/$target"
  kept=tests/data/fuzz/$target
  seedFolders=("$seeds/$target")
  if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
    echo "== $target: $(ls "$kept" | wc -l) committed inputs among the seeds"
    seedFolders+=("$kept")
  else
    echo "No committed inputs in $kept."
  fi
  if [ -n "${FUZZ_SECONDS:-}" ]; then
    limit=(-max_total_time="$FUZZ_SECONDS")
  else
    limit=(-runs="${FUZZ_RUNS:-${defaultRuns[$target]}}")
  fi
  echo "== $target: ${limit[*]}"
  # libFuzzer writes what it finds new into the first corpus folder only: the work folder.
  work=$(mktemp -d -p "$seeds")
  log="$build/findings/$target.log"
  status=0
  "$binary" -seed=1 "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=300000 \
    -artifact_prefix="$build/findings/$target-" -print_final_stats=1 "$work" "${seedFolders[@]}" >"$log" 2>&1 ||
    status=$?
  grep -E '^(INFO: seed corpus|stat::number_of_executed_units|stat::peak_rss_mb|Done|==[0-9]+==ERROR|SUMMARY)' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz.sh: $target found a fault (exit $status); see $log and the input in $build/findings/" >&2
    exit 1
  fi
done
echo "Fuzzing found nothing."
