#!/usr/bin/env bash
# Start-up of the window program: the time from starting kalvero-window to the first paint of its
# main window (the program prints the monotonic clock there when KALVERO_EXIT_AFTER_FIRST_PAINT is
# set, and ends), on a virtual display, median of several runs: once with no stored source folder
# (a first start), once with a tree of N pictures stored as the source, whose scan runs before
# the window shows.
#
#   bench/start_bench.sh [N]     (default: 20000; ROUNDS=9)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

bench_install imagemagick libimage-exiftool-perl python3
bench_build kalvero-window
rounds=${ROUNDS:-9}
count=${1:-20000}
window=$bench_root/build/release/app/kalvero-window
corpus=$(bench_corpus "$count")
bench_warm "$corpus/src"

# Runs the window program ROUNDS times on a virtual display with the settings folder $1; prints the
# median and range of its start-up in milliseconds.
median_start() {
  xvfb-run -a -s "-screen 0 1024x768x24" python3 - "$window" "$1" "$rounds" <<'PYTHON'
import os, statistics, subprocess, sys, time
window, config, rounds = sys.argv[1], sys.argv[2], int(sys.argv[3])
env = dict(os.environ, XDG_CONFIG_HOME=config, KALVERO_EXIT_AFTER_FIRST_PAINT="1", QT_QPA_PLATFORM="xcb")
times = []
for _ in range(rounds):
    start = time.monotonic()
    run = subprocess.run([window], env=env, capture_output=True, text=True, check=True)
    times.append((float(run.stdout.split()[0]) - start) * 1000)
print(f"{statistics.median(times):.0f} (from {min(times):.0f} to {max(times):.0f})")
PYTHON
}

empty=$(mktemp -d)
stored=$(mktemp -d)
trap 'rm -rf "$empty" "$stored"' EXIT
mkdir -p "$stored/Vandrel/Kalvero"
printf '[pref]\r\nlng=German\r\nsource=%s\r\ncb1=1\r\n' "$corpus/src" >"$stored/Vandrel/Kalvero/kalvero.ini"
files=$(find "$corpus/src" -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | wc -l)

echo "start-up to the first paint, median of $rounds runs, ms"
echo "  no stored source folder:          $(median_start "$empty")"
echo "  stored source of $files pictures:  $(median_start "$stored")"
