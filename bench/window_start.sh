#!/bin/bash
# Start-up of the window program with a full list. Starts kiv-video-converter
# with 30 generated clips on its command line, waits until all 30 are in the
# list (the log names every added file), and prints (a) the time from start
# to the full list and (b) the resident memory (VmRSS) once idle. Targets:
# under 1 s, at most 75 MB.
#
# Runs under Xvfb (xvfb-run) when there is no display; --offscreen uses Qt's
# offscreen platform instead.
# usage: bench/window_start.sh [--offscreen] [build folder] [runs]
set -euo pipefail

if [ "${1:-}" = "--offscreen" ]; then
    export QT_QPA_PLATFORM=offscreen
    shift
elif [ -z "${DISPLAY:-}" ] && [ -z "${KIV_BENCH_INNER:-}" ]; then
    exec env KIV_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
BUILD=${1:-build}
RUNS=${2:-3}
PROGRAM="$BUILD/bin/kiv-video-converter"
[ -x "$PROGRAM" ] || { echo "no window program at $PROGRAM" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
ffmpeg -v error -nostdin -y -f lavfi -i testsrc2=size=320x240:rate=25:duration=5 \
    -f lavfi -i sine=frequency=440:duration=5 -c:v mpeg4 -c:a aac -shortest "$WORK/clip.mp4"
FILES=()
for i in $(seq -w 1 30); do
    cp "$WORK/clip.mp4" "$WORK/clip$i.mp4"
    FILES+=("$WORK/clip$i.mp4")
done

echo "platform: ${QT_QPA_PLATFORM:-xcb}; load: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for run in $(seq 1 "$RUNS"); do
    export KIV_HOME="$WORK/home$run"
    mkdir -p "$KIV_HOME"
    start=$(date +%s%N)
    DBUS_SESSION_BUS_ADDRESS=disabled: "$PROGRAM" "${FILES[@]}" </dev/null >/dev/null 2>&1 &
    pid=$!
    while true; do
        added=$(grep -c '^Added ' "$KIV_HOME/kiv.dmp" 2>/dev/null) || added=${added:-0}
        [ "$added" -lt 30 ] || break
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "the program ended before the list was full" >&2
            exit 1
        fi
        if [ $(( ($(date +%s%N) - start) / 1000000 )) -gt 60000 ]; then
            echo "the list was not full after 60 s" >&2
            kill "$pid"
            exit 1
        fi
        sleep 0.005
    done
    full=$(( ($(date +%s%N) - start) / 1000000 ))
    sleep 2
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    printf 'run %d: start to full list of 30 files %d ms; idle VmRSS %.1f MB\n' \
        "$run" "$full" "$(awk -v kb="$rss" 'BEGIN { print kb / 1024 }')"
done
