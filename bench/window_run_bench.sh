#!/usr/bin/env bash
# A copy run in the window against `kalvero sort` on the same tree, into date folders: the window
# program on a virtual display with a window manager, the stored settings naming the tree as its
# source and a fresh target, a click on "Dateien kopieren" by xdotool, and the run's end taken
# inside the program (KALVERO_EXIT_AFTER_RUN prints the monotonic clock at the run's first report
# box, or at its end when it shows none, and ends the program); `kalvero sort` timed as a whole
# process. In turns, medians of ROUNDS runs, in seconds, with their ratio.
#
#   bench/window_run_bench.sh [N ...]     (default: 2000 20000; ROUNDS=5)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

bench_install imagemagick libimage-exiftool-perl python3 openbox wmctrl xdotool
bench_build kalvero kalvero-window
rounds=${ROUNDS:-5}
sizes=("$@")
((${#sizes[@]})) || sizes=(2000 20000)
window=$bench_root/build/release/app/kalvero-window
out=$bench_dir/window-out
config=$(mktemp -d)
trap 'rm -rf "$config" "$out"' EXIT

printf '%-8s %10s %10s %8s\n' files window sort ratio
for count in "${sizes[@]}"; do
  corpus=$(bench_corpus "$count")
  bench_warm "$corpus/src"
  mkdir -p "$config/Vandrel/Kalvero"
  printf '[pref]\r\nlng=German\r\nsource=%s\r\ntarget=%s\r\ncb1=1\r\ncb2=1\r\n' "$corpus/src" "$out/window" \
    >"$config/Vandrel/Kalvero/kalvero.ini"
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" python3 - "$window" "$kalvero" "$config" "$corpus/src" "$out" \
    "$rounds" "$count" <<'PYTHON'
import os, shutil, statistics, subprocess, sys, time
window, kalvero, config, source, out, rounds, count = sys.argv[1:8]
subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
for _ in range(100):
    if subprocess.run(["wmctrl", "-m"], capture_output=True).returncode == 0:
        break
    time.sleep(0.1)
env = dict(os.environ, XDG_CONFIG_HOME=config, KALVERO_EXIT_AFTER_RUN="1", QT_QPA_PLATFORM="xcb")

def window_run():
    # An empty target that exists: a missing one would be announced in a box first.
    shutil.rmtree(f"{out}/window", ignore_errors=True)
    os.makedirs(f"{out}/window")
    program = subprocess.Popen([window], env=env, stdout=subprocess.PIPE, text=True)
    # The main window, once shown; Button1 lies at 376, 284 of its client area.
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Kalvero 1.3"],
                           capture_output=True, text=True, check=True).stdout.split()[0]
    time.sleep(0.5)
    subprocess.run(["xdotool", "mousemove", "--window", found, "376", "284"], check=True)
    start = time.monotonic()
    subprocess.run(["xdotool", "click", "1"], check=True)
    end = float(program.communicate(timeout=900)[0].split()[0])
    return end - start

def sort_run():
    shutil.rmtree(f"{out}/sort", ignore_errors=True)
    start = time.monotonic()
    subprocess.run([kalvero, "sort", source, f"{out}/sort"], env=env, capture_output=True)
    return time.monotonic() - start

windows, sorts = [], []
for _ in range(int(rounds)):
    windows.append(window_run())
    sorts.append(sort_run())
w, s = statistics.median(windows), statistics.median(sorts)
print(f"{count:<8} {w:10.3f} {s:10.3f} {w / s:7.2f}x")
PYTHON
done
