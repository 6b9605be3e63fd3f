#!/usr/bin/env bash
# Prints every figure of bench/README.md, measured in this one run on one
# synthetic 1,000,000-line bank: in-process load and search (Google
# Benchmark) against `grep -F -c`, wenyuan-cli search and dedup against
# `grep -F -c` and `sort -u`, and peak memory against the file size.
# Usage: bench/run.sh [BUILD_DIR]   (default build/default, built first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cmake --build "$build" --target wenyuan-cli core_bench >/dev/null
mkdir -p build/bench-data
bank=build/bench-data/synthetic_bank.txt
python3 tools/make_synthetic_bank.py "$bank" >/dev/null
python3 bench/compare.py "$build" "$bank"
