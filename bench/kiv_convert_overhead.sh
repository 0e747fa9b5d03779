#!/bin/bash
# Overhead of kiv-convert (probe, runner, enc) over the FFmpeg command enc
# runs for the same file. Alternates the two and prints the median wall time
# of each and their ratio (target: at most 1.01).
#
# usage: bench/kiv_convert_overhead.sh [build folder] [runs per mode]
set -euo pipefail

BUILD=${1:-build}
RUNS=${2:-7}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert and enc first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"
ffmpeg -v error -nostdin -y -f lavfi -i testsrc2=size=640x360:rate=25:duration=30 \
    -f lavfi -i sine=frequency=440:sample_rate=48000:duration=30 \
    -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2 "$WORK/src.avi"

# "iPod Classic(Excelent Quality)": libx264 640x480 and AAC.
CONVERT=("$BIN/kiv-convert" --quiet --format 5 --profile 0 --output-dir "$WORK/out" "$WORK/src.avi")
mkdir -p "$WORK/out"

# The FFmpeg command enc prints first, for the command line kiv-convert builds.
ENC_LINE=$("$BIN/kiv-convert" --dry-run --format 5 --profile 0 --output-dir "$WORK/out" \
    "$WORK/src.avi")
FFMPEG_LINE=$(eval "$ENC_LINE" < /dev/null 2>&1 | head -n 1)
rm -f "$WORK"/out/*

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.3f", end - start }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: > "$WORK/tool.times"
: > "$WORK/direct.times"
for ((i = 0; i < RUNS; i++)); do
    start=$(now); "${CONVERT[@]}" > /dev/null; since "$start" >> "$WORK/tool.times"; echo >> "$WORK/tool.times"
    rm -f "$WORK"/out/*
    start=$(now); eval "$FFMPEG_LINE" < /dev/null > /dev/null 2>&1 3>/dev/null; since "$start" >> "$WORK/direct.times"; echo >> "$WORK/direct.times"
    rm -f "$WORK"/out/* "$WORK"/out/.*kivtmp* 2>/dev/null || true
done

TOOL=$(grep . "$WORK/tool.times" | median)
DIRECT=$(grep . "$WORK/direct.times" | median)
echo "kiv-convert median wall time: ${TOOL} s over $RUNS runs"
echo "FFmpeg direct median wall time: ${DIRECT} s over $RUNS runs"
awk -v a="$TOOL" -v b="$DIRECT" 'BEGIN { printf "ratio kiv-convert / FFmpeg: %.3f (target <= 1.01)\n", a / b }'
