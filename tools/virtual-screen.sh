# shellcheck shell=bash
# Helpers for scripts that need an X server: sourced by tools/run-demo.sh and
# tools/run-tests.sh (and tools/host-sim/check-cold-starts.sh).

# Prints the first display number from $1 upwards that no X server holds.
free_display_number() {
    local n=${1:-90}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    echo "$n"
}

# Waits (up to about 30 s) until the X server on display $1 answers; gives up
# early when the server's process ($2, if given) has ended.
wait_for_x_server() {
    for _ in $(seq 300); do
        DISPLAY=$1 xprop -root >/dev/null 2>&1 && return 0
        if [ -n "${2:-}" ] && ! kill -0 "$2" 2>/dev/null; then
            return 1
        fi
        sleep 0.1
    done
    return 1
}

# Waits (up to about 30 s) until a window manager runs on display $1: its
# supporting-WM property on the root window names a window. Windows opened
# before that can meet requests for atoms the server does not know yet.
wait_for_window_manager() {
    for _ in $(seq 300); do
        DISPLAY=$1 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id #" && return 0
        sleep 0.1
    done
    return 1
}

# Starts Xvfb and openbox on display $1 and waits for both; sets
# VIRTUAL_SCREEN_PIDS to their process ids (stop them with stop_virtual_screen).
start_virtual_screen() {
    local display=$1 messages
    messages=$(mktemp)
    # -noreset: by default the server starts afresh each time its last client
    # leaves, and a client connecting just then (the window manager, right
    # after our own check) is turned away.
    Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp -noreset >"$messages" 2>&1 &
    VIRTUAL_SCREEN_PIDS="$!"
    if ! wait_for_x_server "$display" "$!"; then
        echo "The virtual screen $display did not start:" >&2
        cat "$messages" >&2
        rm -f "$messages"
        return 1
    fi
    rm -f "$messages"
    DISPLAY=$display openbox >/dev/null 2>&1 &
    VIRTUAL_SCREEN_PIDS="$! $VIRTUAL_SCREEN_PIDS"
    if ! wait_for_window_manager "$display"; then
        echo "The window manager on $display did not come up; going on without it." >&2
    fi
}

stop_virtual_screen() {
    local pid
    for pid in ${VIRTUAL_SCREEN_PIDS:-}; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in ${VIRTUAL_SCREEN_PIDS:-}; do
        wait "$pid" 2>/dev/null || true
    done
    VIRTUAL_SCREEN_PIDS=""
}
