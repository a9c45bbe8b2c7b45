#!/usr/bin/env bash
# Starts the demo again and again as a new user would on a headless machine:
# each time without DISPLAY, so tools/run-demo.sh starts a fresh virtual
# screen, then checks that host-sim reports "listening", that its window
# shows, and that "quit" ends the simulator, the suite and the screen.
#   flock /tmp/orvana-e2e.lock tools/host-sim/check-cold-starts.sh [COUNT] [DISPLAY] [BUILD_DIR] [SCORE]
# (the demo uses port 1898 and the host's process name: run it under the
# shared lock). Prints one line per start and a summary; exits 1 if any
# start failed.
set -uo pipefail
count=${1:-20}
display=${2:-:134}
build_dir=${3:-build}
score=${4:-data/scores/orchestral.json}
root="$(cd "$(dirname "$0")/../.." && pwd)"
suite_exe="$root/$build_dir/suite/App/OrvanaSuite"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$root" || exit 2

# Waits up to $1 tenths of a second for the command in the other arguments to succeed.
wait_until() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

window_shown() { DISPLAY=$display xdotool search --onlyvisible --name "host-sim" >/dev/null; }
suite_running() { pgrep -f -x "$suite_exe.*" >/dev/null; }

passed=0
for i in $(seq "$count"); do
    if [ -e "/tmp/.X11-unix/X${display#:}" ] || [ -e "/tmp/.X${display#:}-lock" ]; then
        echo "start $i: display $display is taken; stopping" >&2
        break
    fi

    log="$work/demo-$i.txt"
    mkfifo "$work/in-$i"
    started=$(date +%s%N)
    env -u DISPLAY DEMO_DISPLAY="$display" bash tools/run-demo.sh "$build_dir" "$score" <"$work/in-$i" >"$log" 2>&1 &
    demo=$!
    exec 7>"$work/in-$i" # keeps the demo's standard input open until "quit"

    problem=""
    # The demo itself waits up to 30 s for the screen and 30 s for its window manager.
    if ! wait_until 700 grep -q "host-sim: listening on 127.0.0.1:" "$log"; then
        problem="no 'listening' line"
    elif ! wait_until 300 window_shown; then
        problem="no window"
    fi
    ready=$(date +%s%N)

    echo quit >&7
    exec 7>&-
    if ! wait_until 200 bash -c "! kill -0 $demo 2>/dev/null"; then
        problem="${problem:-the demo did not end on quit}"
        kill "$demo" 2>/dev/null
    fi
    wait "$demo"
    code=$?
    [ -z "$problem" ] && [ "$code" -ne 0 ] && problem="the demo ended with code $code"
    if ! wait_until 100 bash -c "! pgrep -f -x '$suite_exe.*' >/dev/null"; then
        problem="${problem:-the suite did not follow the host}"
        for pid in $(pgrep -f -x "$suite_exe.*"); do kill "$pid" 2>/dev/null; done
    fi
    if ! wait_until 100 test ! -e "/tmp/.X11-unix/X${display#:}" -a ! -e "/tmp/.X${display#:}-lock"; then
        problem="${problem:-the virtual screen stayed}"
    fi
    if grep -q "X error:" "$log"; then
        echo "start $i: an X request failed and was survived (log follows)"
        sed 's/^/    /' "$log"
    fi

    if [ -z "$problem" ]; then
        passed=$((passed + 1))
        echo "start $i: ok, window after $(( (ready - started) / 1000000 )) ms"
    else
        echo "start $i: FAILED: $problem (log follows)"
        sed 's/^/    /' "$log"
    fi
done

echo "$passed of $count cold starts reached \"listening\" and showed the window"
[ "$passed" -eq "$count" ]
