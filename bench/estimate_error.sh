#!/bin/bash
# How close kiv-convert --dry-run --estimate comes to the real size. A
# 2-minute source with varied content (a moving test picture, a zoom into
# the Mandelbrot set, grainy cellular life, colour bars with a moving
# gradient, each 30 s, with sound) is estimated and then converted with
# three profiles of different kinds; prints the estimate, the real size, the
# error and the seconds each took.
#
# Target: every estimate within 15 % of the real size.
#
# usage: bench/estimate_error.sh [build folder]
set -euo pipefail

BUILD=${1:-build}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert, enc and kiv_media first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"

SOURCE="$WORK/varied.mp4"
ffmpeg -v error -nostdin -y \
    -f lavfi -i "testsrc2=size=1280x720:rate=30:duration=30,hue=H=0.5*t" \
    -f lavfi -i "mandelbrot=size=1280x720:rate=30,trim=duration=30" \
    -f lavfi -i "life=size=1280x720:rate=30:mold=10:death_color=#204060,trim=duration=30,noise=alls=12:allf=t" \
    -f lavfi -i "smptehdbars=size=1280x720:rate=30:duration=30,drawbox=x=mod(t*200\,1280):y=300:w=120:h=120:color=white:t=fill" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=120" \
    -filter_complex "[0:v][1:v][2:v][3:v]concat=n=4:v=1:a=0,format=yuv420p[v]" \
    -map "[v]" -map 4:a -c:v libx264 -preset veryfast -crf 18 -c:a aac -b:a 192k -ac 2 "$SOURCE"

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.1f", end - start }'; }

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-44s %12s %12s %8s %10s %10s\n" profile estimate real error "estimate s" "convert s"
while IFS='|' read -r format profile; do
    start=$(now)
    line=$("$BIN/kiv-convert" --dry-run --estimate --format "$format" --profile "$profile" \
        --output-dir "$WORK/out" "$SOURCE" | tail -n 1)
    estimateSeconds=$(since "$start")
    estimate=$(sed -n 's/.*\testimate=\([0-9]*\)\t.*/\1/p' <<<"$line")
    start=$(now)
    output=$("$BIN/kiv-convert" --quiet --format "$format" --profile "$profile" \
        --output-dir "$WORK/out" "$SOURCE")
    convertSeconds=$(since "$start")
    real=$(stat -c %s "$output")
    error=$(awk -v e="$estimate" -v r="$real" 'BEGIN { printf "%+.1f%%", (e - r) * 100 / r }')
    printf "%-44s %12d %12d %8s %10s %10s\n" "$profile" "$estimate" "$real" "$error" \
        "$estimateSeconds" "$convertSeconds"
    rm -f "$output"
done <<'PROFILES'
To MP4/MKV/WebM (today's devices and the web)|H.264 MP4, fit within 1280x720 (HD)
To iPod/iPhone/AppleTV|iPod Classic(Good Quality)
To DVD/SVCD/VCD/MPEG|PAL DVD Video
PROFILES
