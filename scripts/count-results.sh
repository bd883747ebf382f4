#!/usr/bin/env bash
# count-results.sh <build dir> [ctest arguments]: prints "<passed> <failed>"
# over the GoogleTest result files of the last run of the entries the ctest
# arguments select (all by default). An entry without a result file failed
# whole (it crashed or hung), and so did one that ctest saw fail although its
# file shows no failure (a crash after the file was written, a failing exit
# code): each counts as one failure. Skipped tests count as neither.
dir=$1
pass=0
fail=0
# ctest's list of failed entries, which scripts/test.sh keeps beside the results.
failed_entries=$(sed -n 's/^[0-9]*://p' "$dir/test-results/LastTestsFailed.log" 2>/dev/null)
attribute() { grep -o '<testsuites [^>]*' "$1" | grep -o " $2=\"[0-9]*\"" | grep -o '[0-9]*'; }
for t in $(cd "$dir" && ctest -N "${@:2}" | sed -n 's/^ *Test *#[0-9]*: //p'); do
    xml="$dir/test-results/$t.xml"
    if [ ! -f "$xml" ]; then
        fail=$((fail + 1))
        continue
    fi
    tests=$(attribute "$xml" tests)
    failures=$(attribute "$xml" failures)
    disabled=$(attribute "$xml" disabled)
    skipped=$(grep -c '<skipped' "$xml")
    pass=$((pass + ${tests:-0} - ${failures:-0} - ${disabled:-0} - ${skipped:-0}))
    fail=$((fail + ${failures:-0}))
    if [ "${failures:-0}" -eq 0 ] && grep -qx "$t" <<<"$failed_entries"; then
        fail=$((fail + 1))
    fi
done
echo "$pass $fail"
