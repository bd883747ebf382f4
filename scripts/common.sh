# Shared by the Quick start commands: installs what is missing, keeps a Wine
# prefix of the project's own with the headless driver, and builds what is stale.
# A second run skips everything that is already done.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${MORVA_BUILD_ROOT:-$ROOT/build}
export WINEPREFIX=${MORVA_WINEPREFIX:-$BUILD_ROOT/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev
          wine64 fonts-wine googletest clang)

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

ensure_prefix() {
    [ -f "$WINEPREFIX/.morva-ready" ] && return 0
    log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    # Headless graphics: windows, messages and GDI work without a display.
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # No debugger for crashing test programs: they must fail, not wait.
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$WINESERVER" -w
    # Wine's own fonts, so that "Tahoma" and "MS Shell Dlg" resolve as on Windows.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.morva-ready"
}

# build <config>: config is gcc or clang (debug builds, with the debug checks),
# or gcc-release / clang-release (optimised, as hosts ship it); prints the build
# folder.
build() {
    local config=$1 dir="$BUILD_ROOT/$1" type=Debug
    case "$config" in *-release) type=Release ;; esac
    if [ ! -f "$dir/build.ninja" ]; then
        log "configuring $config build in $dir"
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=$type \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-${config%-release}.cmake" >/dev/null
    fi
    log "building ($config)"
    # The full compiler output only when something fails.
    if ! cmake --build "$dir" -- -j"$(nproc)" >"$dir/build.log" 2>&1; then
        grep -v 'duplicate section' "$dir/build.log" | tail -60 >&2
        log "build ($config) failed; full log: $dir/build.log"
        return 1
    fi
    echo "$dir"
}

# A persistent server, with Wine's background processes started here, detached
# from our output: ctest waits for every process that holds a test's output pipe.
start_wineserver() {
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE" wineboot </dev/null >/dev/null 2>&1 || true
    trap stop_wineserver EXIT
}

stop_wineserver() {
    "$WINESERVER" -k 2>/dev/null || true
}
