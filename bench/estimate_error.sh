#!/bin/bash
# How close kiv-convert --dry-run --estimate comes to the real size. A
# 2-minute source with varied content (a moving test picture, a zoom into
# the Mandelbrot set, grainy cellular life, colour bars with a moving
# gradient, each 30 s, with sound) is estimated and then converted with
# three profiles of different kinds; then a 20 s clip of the same four kinds
# of picture (5 s each). Prints the estimate, the real size, the error, the
# seconds each took and the CPU the estimate cost against the conversion's.
#
# Targets: every estimate within 10 % of the real size; for the 20 s clip,
# the estimate's CPU at most 0.3x the conversion's.
#
# usage: bench/estimate_error.sh [build folder]
set -euo pipefail

BUILD=${1:-build}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert, enc and kiv_media first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"

# Four kinds of picture of PART seconds each, with sound, into $1.
MakeVaried() {
    local part=$2
    ffmpeg -v error -nostdin -y \
        -f lavfi -i "testsrc2=size=1280x720:rate=30:duration=$part,hue=H=0.5*t" \
        -f lavfi -i "mandelbrot=size=1280x720:rate=30,trim=duration=$part" \
        -f lavfi -i "life=size=1280x720:rate=30:mold=10:death_color=#204060,trim=duration=$part,noise=alls=12:allf=t" \
        -f lavfi -i "smptehdbars=size=1280x720:rate=30:duration=$part,drawbox=x=mod(t*200\,1280):y=300:w=120:h=120:color=white:t=fill" \
        -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=$((4 * part))" \
        -filter_complex "[0:v][1:v][2:v][3:v]concat=n=4:v=1:a=0,format=yuv420p[v]" \
        -map "[v]" -map 4:a -c:v libx264 -preset veryfast -crf 18 -c:a aac -b:a 192k -ac 2 "$1"
}
MakeVaried "$WORK/varied.mp4" 30
MakeVaried "$WORK/clip20.mp4" 5

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.1f", end - start }'; }

# Runs a command with its output in $WORK/stdout; prints the CPU seconds
# (user and system) of what it started.
Cpu() {
    ( "$@" >"$WORK/stdout"; times ) | awk 'NR == 2 {
        split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%.2f", u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-8s %-44s %12s %12s %8s %10s %10s %9s\n" source profile estimate real error \
    "estimate s" "convert s" "CPU ratio"
for SOURCE in "$WORK/varied.mp4" "$WORK/clip20.mp4"; do
    while IFS='|' read -r format profile; do
        start=$(now)
        estimateCpu=$(Cpu "$BIN/kiv-convert" --dry-run --estimate --format "$format" \
            --profile "$profile" --output-dir "$WORK/out" "$SOURCE")
        estimateSeconds=$(since "$start")
        estimate=$(tail -n 1 "$WORK/stdout" | sed -n 's/.*\testimate=\([0-9]*\)\t.*/\1/p')
        start=$(now)
        convertCpu=$(Cpu "$BIN/kiv-convert" --quiet --format "$format" --profile "$profile" \
            --output-dir "$WORK/out" "$SOURCE")
        convertSeconds=$(since "$start")
        output=$(cat "$WORK/stdout")
        real=$(stat -c %s "$output")
        error=$(awk -v e="$estimate" -v r="$real" 'BEGIN { printf "%+.1f%%", (e - r) * 100 / r }')
        ratio=$(awk -v e="$estimateCpu" -v c="$convertCpu" 'BEGIN { printf "%.2fx", e / c }')
        printf "%-8s %-44s %12d %12d %8s %10s %10s %9s\n" "$(basename "$SOURCE" .mp4)" \
            "$profile" "$estimate" "$real" "$error" "$estimateSeconds" "$convertSeconds" "$ratio"
        rm -f "$output"
    done <<'PROFILES'
To MP4/MKV/WebM (today's devices and the web)|H.264 MP4, fit within 1280x720 (HD)
To iPod/iPhone/AppleTV|iPod Classic(Good Quality)
To DVD/SVCD/VCD/MPEG|PAL DVD Video
PROFILES
done
