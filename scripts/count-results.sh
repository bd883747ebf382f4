#!/usr/bin/env bash
# count-results.sh <build dir>: prints "<passed> <failed>" over the GoogleTest
# result files of the last run; a test program without a result file failed whole.
dir=$1
pass=0
fail=0
for t in $(cd "$dir" && ctest -N | sed -n 's/^ *Test *#[0-9]*: //p'); do
    xml="$dir/test-results/$t.xml"
    if [ ! -f "$xml" ]; then
        fail=$((fail + 1))
        continue
    fi
    tests=$(grep -o '<testsuites [^>]*' "$xml" | grep -o ' tests="[0-9]*"' | grep -o '[0-9]*')
    failures=$(grep -o '<testsuites [^>]*' "$xml" | grep -o ' failures="[0-9]*"' | grep -o '[0-9]*')
    disabled=$(grep -o '<testsuites [^>]*' "$xml" | grep -o ' disabled="[0-9]*"' | grep -o '[0-9]*')
    pass=$((pass + ${tests:-0} - ${failures:-0} - ${disabled:-0}))
    fail=$((fail + ${failures:-0}))
done
echo "$pass $fail"
