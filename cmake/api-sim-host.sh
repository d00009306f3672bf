#!/bin/sh
# Runs tools/api-sim on the build machine for a test program that runs under Wine. Wine
# starts a Linux program only detached (no output, no exit status), so the Windows test
# cannot start the simulator itself: CTest starts it before the program and stops it
# after (a fixture per program), and the program reads where it listens from DIR/state.
#
#   api-sim-host.sh start DIR   start it on loopback, write DIR/state and DIR/pid
#   api-sim-host.sh stop DIR    stop the one started there
#
# DIR/state holds "PORT n", "HTTP_PORT n" and "CA path" (the CA file as Wine's Z: path).
set -eu
action=${1:?usage: api-sim-host.sh start|stop DIR}
dir=${2:?usage: api-sim-host.sh start|stop DIR}
here=$(cd "$(dirname "$0")" && pwd)
sim="$here/../tools/api-sim/api_sim.py"

stop() {
    if [ -f "$dir/pid" ]; then
        pid=$(cat "$dir/pid")
        kill "$pid" 2>/dev/null || true
        # Wait for it to go, so that the next start never finds the old one listening (a
        # zombie no longer listens: its reaper is not this shell).
        tries=0
        while ps -o stat= -p "$pid" 2>/dev/null | grep -qv '^Z' && [ "$tries" -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        kill -9 "$pid" 2>/dev/null || true
        rm -f "$dir/pid"
    fi
}

case $action in
start)
    stop
    rm -rf "$dir"
    mkdir -p "$dir"
    # Never outlives a run that was cut off before its stop: an hour is far longer than
    # any test program takes.
    timeout 3600 /usr/bin/python3 "$sim" --tls-dir "$dir/tls" --port 0 --http-port 0 \
        </dev/null >"$dir/out" 2>"$dir/err" &
    echo $! >"$dir/pid"
    tries=0
    while ! grep -q '^HTTP_PORT ' "$dir/out" 2>/dev/null; do
        if ! kill -0 "$(cat "$dir/pid")" 2>/dev/null || [ "$tries" -ge 300 ]; then
            echo "the simulator did not report its ports" >&2
            cat "$dir/err" >&2
            stop
            exit 1
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    { grep -E '^(HTTP_)?PORT ' "$dir/out"; echo "CA Z:$dir/tls/ca.pem"; } >"$dir/state.tmp"
    mv "$dir/state.tmp" "$dir/state"
    cat "$dir/state"
    ;;
stop)
    stop
    ;;
*)
    echo "usage: api-sim-host.sh start|stop DIR" >&2
    exit 2
    ;;
esac
