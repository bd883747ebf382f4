#!/usr/bin/env bash
# Runs the benchmarks under Wine: each workload on this library's control and
# on the platform's native control in the same process, in an optimised build.
# --quick uses the smallest sizes only.
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_prefix
dir=$(build "${MORVA_BENCH_CONFIG:-gcc-release}") || exit 1
start_wineserver
"$WINE" "$dir/bin/list_bench.exe" "$@"
"$WINE" "$dir/bin/tree_bench.exe" "$@"
