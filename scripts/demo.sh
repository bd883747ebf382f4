#!/usr/bin/env bash
# Runs the demo host application under Wine: it loads the language resource
# library for the language given (a Windows language id such as 1031), or the
# user's default, prints what it loaded, and opens the gallery of the library's
# controls: headless it walks the tour and writes a picture per stop
# (build/gcc/bin/gallery/ unless --tour names a folder); --interactive runs it
# for a person (a display needed).
#   scripts/demo.sh [language] [--tour <folder>] [--results <file.xml>] [--interactive]
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_prefix
dir=$(build "${MORVA_DEMO_CONFIG:-gcc}") || exit 1
start_wineserver
"$WINE" "$dir/bin/MorvaDemo.exe" "$@"
