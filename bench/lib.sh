# Shared steps of the benchmarks; sourced, not run.
#
#   KALVERO_BENCH_DIR  where corpora and outputs go (default /tmp/kalvero-bench)
#   KALVERO_CORPUS_TOOLS  the folder with make-corpus.sh and readhead.c (default ../shared/bench
#                      beside the project)

bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench_dir=${KALVERO_BENCH_DIR:-/tmp/kalvero-bench}
corpus_tools=${KALVERO_CORPUS_TOOLS:-$bench_root/../shared/bench}
kalvero=$bench_root/build/release/app/kalvero

# Installs what is missing: what scripts/setup.sh installs for building, and the packages named
# (the corpus generator's tools, the peers, GNU time).
bench_install() { "$bench_root/scripts/setup.sh" "$@" >/dev/null; }

# Builds the programs named (default: kalvero) with the release preset: optimised, without
# sanitizers. After bench_install.
bench_build() {
  cmake -S "$bench_root" --preset release >/dev/null
  cmake --build "$bench_root/build/release" --target "${@:-kalvero}" >/dev/null
}

# Prints the folder of a corpus of N files, generating it once.
bench_corpus() {
  local n=$1 out=$bench_dir/corpus-$1
  [ -d "$corpus_tools" ] || { echo "no corpus generator at $corpus_tools (set KALVERO_CORPUS_TOOLS)" >&2; exit 1; }
  if [ ! -f "$out/manifest.tsv" ]; then
    mkdir -p "$bench_dir"
    "$corpus_tools/make-corpus.sh" "$n" "$out" >/dev/null
  fi
  echo "$out"
}

# Reads every file of a tree once, so that the timings that follow see a warm cache.
bench_warm() { find "$1" -type f -exec cat {} + >/dev/null; }

# Runs a command and prints its wall-clock seconds; its output is dropped.
bench_seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

# The median of the numbers given.
bench_median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
