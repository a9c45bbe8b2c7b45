#!/usr/bin/env bash
# Starts the host simulator with a demo score (default the orchestral one) and
# its window, and the suite beside it (host-sim launches it):
#   tools/run-demo.sh [BUILD_DIR] [SCORE]        (make demo SCORE=data/scores/lead-sheet.json)
# Without a screen, a virtual one (Xvfb with openbox) is started on a free
# display (DEMO_DISPLAY=:N picks one) and stopped at the end. Type host-sim
# commands here (help lists them); quit or closing the window ends the
# simulator, and the suite follows within a second.
set -euo pipefail
build_dir=${1:-build}
score=${2:-data/scores/orchestral.json}
suite="$build_dir/suite/App/OrvanaSuite"
sim="$build_dir/bin/host-sim"
source "$(dirname "$0")/virtual-screen.sh"

if [ ! -f "$score" ]; then
    echo "No score $score (the demo scores are in data/scores/)." >&2
    exit 2
fi

# The simulator works on a copy in the build folder: what the products write
# beside the score (Tessel's parts and PDFs, saves) stays out of data/.
work="$build_dir/demo-score"
mkdir -p "$work"
copy="$work/$(basename "$score")"
if [ "$(realpath "$score")" != "$(realpath -m "$copy")" ]; then
    cp "$score" "$copy"
fi
score=$copy

if [ -z "${DISPLAY:-}" ]; then
    display=${DEMO_DISPLAY:-:$(free_display_number 77)}
    echo "No DISPLAY: starting a virtual screen (Xvfb $display). Screenshot with: DISPLAY=$display import -window root shot.png"
    trap stop_virtual_screen EXIT
    start_virtual_screen "$display"
    export DISPLAY=$display
fi

if [ ! -x "$sim" ]; then
    echo "The host simulator ($sim) is not built yet."
    echo "Starting the suite alone: it waits for a running host and, finding none, greets you and quits."
    "$suite"
    exit $?
fi

echo "Event log: $build_dir/host-sim-demo.jsonl"
"$sim" --suite "$build_dir/suite" --score "$score" --launch-suite --log "$build_dir/host-sim-demo.jsonl"
