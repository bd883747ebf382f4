#!/usr/bin/env bash
# Runs the whole test suite under Wine: the GCC build, then the Clang build.
# Ends with one summary line of passed and failed tests.
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_prefix
start_wineserver

total_pass=0
total_fail=0
status=0
for config in ${MORVA_CONFIGS:-gcc clang}; do
    dir=$(build "$config") || { echo "SUMMARY: build ($config) failed"; exit 1; }
    rm -rf "$dir/test-results"
    mkdir -p "$dir/test-results"
    log "running tests ($config)"
    (cd "$dir" && ctest --output-on-failure -j"$(nproc)" ${MORVA_CTEST_ARGS:-}) || status=1
    # Count GoogleTest cases from the result files; a program that died without
    # writing its file counts as one failure.
    read -r pass fail < <("$ROOT/scripts/count-results.sh" "$dir")
    total_pass=$((total_pass + pass))
    total_fail=$((total_fail + fail))
done

[ "$total_fail" -eq 0 ] || status=1
echo "SUMMARY: $total_pass passed, $total_fail failed"
exit $status
