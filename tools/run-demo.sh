#!/usr/bin/env bash
# Starts the host simulator with the orchestral demo score and its window, and
# the suite beside it (host-sim launches it). Without a screen, a virtual one
# (Xvfb) is started. Type host-sim commands here (help lists them); quit or
# closing the window ends the simulator, and the suite follows within a second.
set -euo pipefail
build_dir=${1:-build}
suite="$build_dir/suite/App/OrvanaSuite"
sim="$build_dir/bin/host-sim"

if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: starting a virtual screen (Xvfb :77). Screenshot with: DISPLAY=:77 import -window root shot.png"
    Xvfb :77 -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    sleep 1
    export DISPLAY=:77
    openbox >/dev/null 2>&1 &
fi

if [ ! -x "$sim" ]; then
    echo "The host simulator ($sim) is not built yet."
    echo "Starting the suite alone: it waits for a running host and, finding none, greets you and quits."
    exec "$suite"
fi

echo "Event log: $build_dir/host-sim-demo.jsonl"
exec "$sim" --suite "$build_dir/suite" --score data/scores/orchestral.json --launch-suite \
    --log "$build_dir/host-sim-demo.jsonl"
