#!/usr/bin/env bash
# Runs every registered test of a build folder. Tests that need a screen run
# under one Xvfb server with a window manager, started here.
set -euo pipefail
build_dir=${1:-build}
shift || true

run() {
    ctest --test-dir "$build_dir" --output-on-failure --timeout 300 "$@"
}

if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null 2>&1; then
    display=:$(( 90 + RANDOM % 400 ))
    Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $wm_pid $xvfb_pid 2>/dev/null || true' EXIT
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X${display#:}" ] && break
        sleep 0.1
    done
    DISPLAY=$display openbox >/dev/null 2>&1 &
    wm_pid=$!
    export ORVANA_TEST_DISPLAY=$display
fi

run "$@"
