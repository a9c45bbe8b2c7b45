#!/usr/bin/env bash
# Runs every registered test of a build folder. Tests that need a screen run
# under one Xvfb server with a window manager, started here.
set -euo pipefail
build_dir=${1:-build}
shift || true
source "$(dirname "$0")/virtual-screen.sh"

run() {
    ctest --test-dir "$build_dir" --output-on-failure --timeout 300 "$@"
}

if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null 2>&1; then
    display=:$(free_display_number $(( 90 + RANDOM % 400 )))
    trap stop_virtual_screen EXIT
    start_virtual_screen "$display"
    export ORVANA_TEST_DISPLAY=$display
fi

run "$@"
