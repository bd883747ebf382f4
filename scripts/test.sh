#!/usr/bin/env bash
# Runs the whole test suite under Wine: the GCC build, then the Clang build,
# then the programs of the first build once more under Wine's heap checking.
# Ends with one summary line of passed and failed tests and of the heap
# checker's reports; any failure or report makes the exit code non-zero.
#
#   MORVA_CONFIGS      builds to test (default "gcc clang")
#   MORVA_HEAP_CONFIG  build of the heap-checked pass (default: the first of
#                      MORVA_CONFIGS; empty: no such pass)
#   MORVA_CTEST_ARGS   further ctest arguments, e.g. "-R listctrl"
#   MORVA_SEEDS, MORVA_STEPS  seeds and steps of the random runs (see
#                      tests/support/RandomRuns.h; scripts/long-random.sh runs
#                      many seeds without ctest's time limit)
#   MORVA_EXAMPLES     0 skips the host projects of examples/ (scripts/examples.sh:
#                      built against the installed package and as a subproject,
#                      and run); on by default
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_prefix
start_wineserver

configs=${MORVA_CONFIGS:-gcc clang}
read -r first_config _ <<<"$configs"
heap_config=${MORVA_HEAP_CONFIG-$first_config}

total_pass=0
total_fail=0
heap_reports=0
status=0

# run_pass <build dir> <label> [ctest arguments]: runs the ctest entries and adds the counts of
# the GoogleTest result files to the totals; a program that died without
# writing its file, or failed though its file shows no failure, counts as one
# failure.
run_pass() {
    local dir=$1 label=$2 pass fail
    rm -rf "$dir/test-results"
    mkdir -p "$dir/test-results"
    # ctest leaves the list of failed entries of an earlier run when all pass.
    rm -f "$dir/Testing/Temporary/LastTestsFailed.log"
    log "running tests ($label)"
    (cd "$dir" && ctest --output-on-failure -j"$(nproc)" ${MORVA_CTEST_ARGS:-} "${@:3}") || status=1
    # Kept before any other ctest call (count-results.sh lists the tests) rewrites them.
    cp "$dir/Testing/Temporary/LastTest.log" "$dir/Testing/Temporary/LastTestsFailed.log" "$dir/test-results/" \
        2>/dev/null || true
    read -r pass fail < <("$ROOT/scripts/count-results.sh" "$dir" ${MORVA_CTEST_ARGS:-} "${@:3}")
    log "$label: $pass passed, $fail failed"
    total_pass=$((total_pass + pass))
    total_fail=$((total_fail + fail))
}

for config in $configs; do
    dir=$(build "$config") || { echo "SUMMARY: build ($config) failed"; exit 1; }
    run_pass "$dir" "$config"
done

# The host projects: each example, and each host mistake, counts as one test.
if [ "${MORVA_EXAMPLES:-1}" != 0 ]; then
    log "building and running the examples (host projects)"
    examples_out=$(MORVA_EXAMPLES_NESTED=1 "$ROOT/scripts/examples.sh" "$first_config") || status=1
    printf '%s\n' "$examples_out" | grep -v '^-- ' >&2 || true
    if read -r _ pass _ fail _ < <(printf '%s\n' "$examples_out" | grep '^examples: ' | tail -1); then
        total_pass=$((total_pass + pass))
        total_fail=$((total_fail + fail))
    else
        total_fail=$((total_fail + 1))
    fi
fi

# The heap-checked pass. Wine then fills freed blocks and guards the ends of
# used ones, and the test programs validate every heap after each test (the
# random runs after each step), so an overrun or a write after free fails the
# test that made it; Wine also reports frees of blocks already freed. Its
# reports are read back from ctest's log, since a report in a test that passed
# fails nothing by itself.
# One build is enough: the faults it finds are the library's, not a
# compiler's. Two entries are left out, for time: the timing tests (their
# bounds would measure the checker: the scale test takes minutes under it) and
# the leak test (it counts GDI and USER objects, not memory, and its 200
# windows and paints would double the pass).
if [ -n "$heap_config" ]; then
    dir=$(build "$heap_config") || { echo "SUMMARY: build ($heap_config) failed"; exit 1; }
    quiet=$WINEDEBUG
    export WINEDEBUG=-all,err+heap,warn+heap
    run_pass "$dir" "$heap_config, heap-checked" -E '_(timing|leak)$'
    export WINEDEBUG=$quiet
    # Wine's "err:heap:" and "warn:heap:" lines and the programs' "HEAP CHECK:"
    # lines, each with the ctest entry it came from.
    reports=$(awk '/^[0-9]+\/[0-9]+ Test: /{test=$3} /:(err|warn):heap:|^HEAP CHECK:/{print test ": " $0}' \
                  "$dir/test-results/LastTest.log")
    if [ -n "$reports" ]; then
        heap_reports=$(printf '%s\n' "$reports" | wc -l)
        status=1
        echo "== heap checker reports ($heap_config):"
        printf '%s\n' "$reports" | head -50 || true
        [ "$heap_reports" -le 50 ] || echo "   ... $((heap_reports - 50)) more in $dir/test-results/LastTest.log"
    fi
fi

[ "$total_fail" -eq 0 ] || status=1
echo "SUMMARY: $total_pass passed, $total_fail failed, $heap_reports heap reports"
exit $status
