#!/usr/bin/env bash
# Window figures: start-up time, resident memory, searches, loading, saving
# and duplicate removal of a 1,000,000-line bank, with `sort -u` of the same
# file for comparison. Usage: bench/window.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bank="$work/synthetic_bank.txt"
python3 tools/make_synthetic_bank.py "$bank" >/dev/null
echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(uname -sr)"
echo "bank: $(wc -l < "$bank") lines, $(stat -c %s "$bank") bytes"

# Start-up: process start to the window painted with the built-in bank listed.
export QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox
times=()
for _ in $(seq 9); do
  start=$(date +%s%N)
  xvfb-run -a -s "-screen 0 1280x800x24" "$build/app/wenyuan" --quit-when-shown 2>/dev/null
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
done
startup=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 5p)
# xvfb-run itself takes time to start the X server: time it alone.
xtimes=()
for _ in $(seq 9); do
  start=$(date +%s%N)
  xvfb-run -a -s "-screen 0 1280x800x24" true
  end=$(date +%s%N)
  xtimes+=($(( (end - start) / 1000000 )))
done
xvfb=$(printf '%s\n' "${xtimes[@]}" | sort -n | sed -n 5p)
echo "startup_ms_median $((startup - xvfb)) (xvfb-run with the program $startup, xvfb-run alone $xvfb)"

QT_QPA_PLATFORM=offscreen "$build/bench/window_bench" "$bank" "$work"

start=$(date +%s%N)
LC_ALL=C sort -u "$bank" > /dev/null
end=$(date +%s%N)
echo "sort_u_ms $(( (end - start) / 1000000 ))"
