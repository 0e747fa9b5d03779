#!/bin/bash
# VP9 and H.264 against HandBrake's matching presets on grainy 1080p: a
# photograph panned with film grain (5 s, 30 fps, stored at a high quality as
# a camera would). Our "VP9 WebM with Opus, same size" and "H.264 MP4, same
# size" profiles go through kiv-convert (probe, runner and enc included);
# HandBrakeCLI's "VP9 MKV 1080p30" and "Fast 1080p30" presets take the same
# source. Prints CPU seconds (user + system of everything started), wall
# seconds, size and SSIM against the source for each. Skipped when
# HandBrakeCLI is absent (package handbrake-cli).
#
# Targets: our VP9 file no larger than HandBrake's at no lower SSIM and no
# more CPU; our H.264 at least HandBrake's SSIM, no larger, at most 0.6x its
# CPU.
#
# usage: bench/handbrake_presets.sh [build folder]
set -euo pipefail

BUILD=${1:-build}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert, enc and kiv_media first" >&2; exit 1; }
command -v HandBrakeCLI >/dev/null || { echo "HandBrakeCLI is not installed: skipped"; exit 0; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"
mkdir -p "$WORK/ours"

SOURCE="$WORK/grain.mp4"
ffmpeg -v error -nostdin -y -f lavfi -i "mandelbrot=size=3840x2160:rate=1" -frames:v 1 \
    "$WORK/picture.png"
ffmpeg -v error -nostdin -y -loop 1 -framerate 30 -t 5 -i "$WORK/picture.png" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=5" \
    -filter_complex "[0:v]crop=1920:1080:x='mod(n*12,1900)':y='mod(n*5,1000)',noise=alls=18:allf=t,format=yuv420p[v]" \
    -map "[v]" -map 1:a -t 5 -r 30 -c:v libx264 -preset veryfast -crf 12 -c:a aac -b:a 192k \
    "$SOURCE"

ssim() {
    ffmpeg -nostdin -i "$1" -i "$SOURCE" -lavfi "[0:v][1:v]ssim" -f null - 2>&1 |
        sed -n 's/.*SSIM.* All:\([0-9.]*\).*/\1/p' | tail -n 1
}
# Runs a command; prints "CPU wall" in seconds.
measure() {
    /usr/bin/time -f "%U %S %e" -o "$WORK/time" "$@" >/dev/null 2>&1
    awk '{ printf "%.1f %.1f", $1 + $2, $3 }' "$WORK/time"
}
report() { # name, "cpu wall", file
    read -r cpu wall <<<"$2"
    printf "%-36s CPU %7.1f s  wall %7.1f s  %10d bytes  SSIM %s\n" "$1" "$cpu" "$wall" \
        "$(stat -c %s "$3")" "$(ssim "$3")"
}

echo "source: 1920x1080 30 fps, 5 s, $(stat -c %s "$SOURCE") bytes; load: $(cut -d' ' -f1-3 /proc/loadavg)"
for pair in "5|VP9 MKV 1080p30|webm" "0|Fast 1080p30|mp4"; do
    IFS='|' read -r profile preset extension <<<"$pair"
    rm -f "$WORK"/ours/*
    times=$(measure "$BIN/kiv-convert" --quiet --format 9 --profile "$profile" \
        --output-dir "$WORK/ours" "$SOURCE")
    report "kiv-convert format 9 profile $profile" "$times" "$(ls "$WORK"/ours/*."$extension")"
    times=$(measure HandBrakeCLI -i "$SOURCE" -Z "$preset" -o "$WORK/handbrake.$extension")
    report "HandBrakeCLI $preset" "$times" "$WORK/handbrake.$extension"
done
