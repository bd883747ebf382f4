#!/usr/bin/env bash
# Builds the host project in examples/ twice, against the installed package
# (cmake --install into a prefix whose path has a space, then find_package) and
# with the checkout as a subproject (add_subdirectory), and runs each example
# under Wine with --check. Also runs the host's mistakes: no resource library
# loaded, and a program copied without its culture folders; both must end with
# a clear text, not a crash. Ends with "examples: <n> passed, <m> failed";
# the exit code is non-zero on any failure.
#
#   scripts/examples.sh [config]    config: the library build to install (default gcc)
#
# scripts/test.sh runs it after the suite (MORVA_EXAMPLES=0 skips it there).
source "$(dirname "$0")/common.sh"

config=${1:-gcc}
toolchain="$ROOT/cmake/mingw-${config%-release}.cmake"
work="$BUILD_ROOT/examples"
prefix="$work/install root"
pass=0
fail=0

if [ -z "${MORVA_EXAMPLES_NESTED:-}" ]; then
    ensure_packages
    ensure_prefix
    start_wineserver
fi

check() { # check <description> <command>...: one passed or failed entry
    local what=$1
    shift
    if "$@"; then
        pass=$((pass + 1))
    else
        local rc=$?
        fail=$((fail + 1))
        log "FAILED: $what (exit code $rc)"
    fi
}

# example <exe>: runs it with --check; when it fails, runs it once more with
# the platform's error and exception traces on, so that a failure seen once
# (a crash leaves no text of its own) says where it happened. The first
# result counts either way.
example() {
    local exe=$1 rc
    "$WINE" "$exe" --check
    rc=$?
    if [ $rc -ne 0 ]; then
        log "$(basename "$exe") ended with exit code $rc; once more with traces:"
        WINEDEBUG=err+all,+seh "$WINE" "$exe" --check 2>&1 | tail -40 >&2
    fi
    return $rc
}

# build_host <mode> <dir>: configures and builds examples/ in that mode.
build_host() {
    local mode=$1 dir=$2
    if [ ! -f "$dir/build.ninja" ]; then
        # One translation unit per few dozen sources: the subproject compiles
        # the whole library again, in under a minute this way instead of
        # several (the suite's own builds keep one unit per source).
        cmake -S "$ROOT/examples" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
              -DCMAKE_UNITY_BUILD=ON -DMORVA_EXAMPLES_USE="$mode" -DCMAKE_PREFIX_PATH="$prefix" >"$dir.configure.log" 2>&1 ||
            { tail -30 "$dir.configure.log" >&2; return 1; }
    fi
    cmake --build "$dir" -- -j"$(nproc)" >"$dir.build.log" 2>&1 || { tail -40 "$dir.build.log" >&2; return 1; }
}

# run_examples <dir>: each example with --check, from its build folder.
run_examples() {
    local dir=$1 exe
    for exe in list_example tree_example message_example; do
        check "$exe ($dir)" example "$dir/$exe.exe"
    done
}

has_layout() {
    local f
    for f in bin/MorvaCommonU.dll bin/en-US/MorvaCommonResU.dll bin/de-DE/MorvaCommonResU.dll \
             lib/libMorvaCommonU.dll.a include/MorvaCommon/listctrl/SECListCtrl.h \
             include/MorvaCommon/treectrl/SECTreeStyles.h include/MorvaCommon/resources/MorvaResourceIds.h \
             lib/cmake/MorvaCommon/MorvaCommonConfig.cmake lib/cmake/MorvaCommon/MorvaCommonConfigVersion.cmake \
             lib/cmake/MorvaCommon/MorvaCommonTargets.cmake; do
        [ -f "$prefix/$f" ] || { log "not installed: $f"; return 1; }
    done
}

# A program whose culture folders were left behind answers with the lookup's
# text naming the file it looked for.
missing_cultures_are_reported() {
    local lonely="$work/no cultures" out
    rm -rf "$lonely"
    mkdir -p "$lonely"
    cp "$1/list_example.exe" "$1/MorvaCommonU.dll" "$lonely/"
    out=$("$WINE" "$lonely/list_example.exe" --check 2>&1)
    [ $? -eq 1 ] && grep -q 'Resource not found\.' <<<"$out"
}

mkdir -p "$work"
lib_dir=$(build "$config") || { echo "examples: 0 passed, 1 failed"; exit 1; }
rm -rf "$prefix"
log "installing the $config build into '$prefix'"
check "cmake --install" cmake --install "$lib_dir" --prefix "$prefix"
check "installed layout" has_layout

log "building examples/ against the installed package"
if build_host package "$work/package"; then
    pass=$((pass + 1))
    run_examples "$work/package"
    check "message_example without resources" "$WINE" "$work/package/message_example.exe" --check --no-resources
    check "list_example without culture folders" missing_cultures_are_reported "$work/package"
else
    fail=$((fail + 1))
fi

log "building examples/ with the library as a subproject"
if build_host subproject "$work/subproject"; then
    pass=$((pass + 1))
    # Taken in by a host, the project builds no tests, benchmarks or demo.
    check "subproject builds the library only" test ! -e "$work/subproject/MorvaCommon/bin/listctrl_tests.exe" \
          -a ! -e "$work/subproject/MorvaCommon/bin/MorvaDemo.exe"
    run_examples "$work/subproject"
else
    fail=$((fail + 1))
fi

echo "examples: $pass passed, $fail failed"
[ "$fail" -eq 0 ]
