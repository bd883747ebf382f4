#!/usr/bin/env bash
# long-random.sh [seeds] [steps]: the long run of the seeded random tests of the
# list and the tree, outside ctest's time limit, on the GCC build (or the build
# named by MORVA_CONFIGS' first word). Seeds as MORVA_SEEDS takes them (default
# "1-1000"), steps per seed (default 600). A seed that crashes its program is
# reported and the run goes on with the next one. Prints the failed seeds of
# each program and ends with one summary line; the exit code is non-zero when
# any seed failed. Rerun one seed with
#   MORVA_SEEDS=<seed> wine64 build/gcc/bin/<program>.exe --gtest_filter='Seeds/*'
source "$(dirname "$0")/common.sh"

seeds=${1:-1-1000}
export MORVA_STEPS=${2:-600}
read -r config _ <<<"${MORVA_CONFIGS:-gcc}"

ensure_packages
ensure_prefix
start_wineserver
dir=$(build "$config") || { echo "SUMMARY: build ($config) failed"; exit 1; }

# The seeds of a list such as "3,9,20-30", one per line.
expand_seeds() {
    local part
    for part in ${1//,/ }; do
        if [[ $part == *-* ]]; then seq "${part%-*}" "${part#*-}"; else echo "$part"; fi
    done
}

total=0
failed=0
for program in listctrl_tests treectrl_tests; do
    mapfile -t todo < <(expand_seeds "$seeds")
    bad=()
    while [ ${#todo[@]} -gt 0 ]; do
        out=$(MORVA_SEEDS=$(IFS=,; echo "${todo[*]}") "$WINE" "$dir/bin/$program.exe" --gtest_filter='Seeds/*' 2>&1) || true
        # Seeds that ran to their end, and the one a crash stopped in.
        mapfile -t done_seeds < <(sed -n 's/^\[ *\(OK\|FAILED\) *\] Seeds\/[^ ]*\.seed\([0-9]*\).*/\2/p' <<<"$out" | sort -un)
        mapfile -t failed_now < <(sed -n 's/^\[  FAILED  \] Seeds\/[^ ]*\.seed\([0-9]*\).*(.*/\1/p' <<<"$out" | sort -un)
        bad+=("${failed_now[@]}")
        crashed=$(grep -B100000 -m1 '^FATAL' <<<"$out" | tr -d '\r' |
                  sed -n 's/^\[ RUN *\] Seeds\/[^ ]*\.seed\([0-9]*\)$/\1/p' | tail -1 || true)
        if [ -n "$crashed" ]; then
            bad+=("$crashed (crashed)")
            grep -A40 -m1 '^FATAL' <<<"$out" | head -40 >&2 || true
        fi
        # What remains after the seeds that ran and the one that crashed.
        rest=()
        for s in "${todo[@]}"; do
            printf '%s\n' "${done_seeds[@]}" "$crashed" | grep -qx "$s" || rest+=("$s")
        done
        [ -n "$crashed" ] || rest=() # no crash: everything ran
        todo=("${rest[@]}")
    done
    count=$(expand_seeds "$seeds" | wc -l)
    total=$((total + count))
    failed=$((failed + ${#bad[@]}))
    echo "$program: ${#bad[@]} of $count seeds failed${bad[*]:+: ${bad[*]}}"
done
echo "SUMMARY: $((total - failed)) seeds passed, $failed failed ($MORVA_STEPS steps each)"
[ "$failed" -eq 0 ]
