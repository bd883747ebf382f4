#!/usr/bin/env bash
# Runs the demo host application under Wine: it loads the language resource
# library for the language given (a Windows language id such as 1031), or the
# user's default, prints what it loaded, and shows the library's controls.
#   scripts/demo.sh [language] [--folder <path>] [--snapshot <file.png>]
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_prefix
dir=$(build "${MORVA_DEMO_CONFIG:-gcc}") || exit 1
start_wineserver
"$WINE" "$dir/bin/MorvaDemo.exe" "$@"
