#!/usr/bin/env bash
# Runs the benchmarks under Wine in an optimised build: each workload on this
# library's control and on the platform's native control in the same process,
# with the goals, the scaling series and their growth orders, and one SUMMARY
# line at the end.
# --quick: small sizes only (about a minute); --full: also the sizes predicted
# to exceed the per-run budget and the native paths known to be quadratic.
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_prefix
dir=$(build "${MORVA_BENCH_CONFIG:-gcc-release}") || exit 1
start_wineserver
for program in list_bench tree_bench; do
    # Each program ends with a TALLY line for the summary below; it is kept
    # out of the printed output.
    "$WINE" "$dir/bin/$program.exe" "$@" | tee "$dir/$program.out" | grep --line-buffered -v '^TALLY '
done
# TALLY <program> <goals met> <goals> <orders above the limit> <orders> <worst order> <worst series...>
tr -d '\r' <"$dir/list_bench.out" | cat - <(tr -d '\r' <"$dir/tree_bench.out") | awk '
    $1 == "TALLY" {
        met += $3; goals += $4; over += $5; orders += $6
        name = $8; for (i = 9; i <= NF; i++) name = name " " $i
        if ($7 != "-" && (worst == "" || $7 + 0 > worst + 0)) { worst = $7; worstName = name }
        programs++
    }
    END {
        if (programs != 2) { print "SUMMARY: incomplete, " programs + 0 " of 2 programs reported"; exit 1 }
        printf "SUMMARY: %d of %d workloads at goal; growth orders of this library: %d of %d series above 1.2, worst %s (%s)\n",
               met, goals, over, orders, worst, worstName
    }'
