#!/bin/bash
# Today's formats against HandBrake and plain FFmpeg. One 1080p source with
# motion and grain goes through our "H.264 MP4, same size" profile (through
# kiv-convert, so the probe, the runner and enc count too), through
# HandBrakeCLI's "Fast 1080p30" preset when HandBrakeCLI is installed
# (package handbrake-cli; skipped otherwise), and through plain FFmpeg with
# the options our line gives it. Prints wall time, output size and SSIM
# against the source for each, then the seconds a "same streams" remux of
# the source takes.
#
# Targets: SSIM within 0.005 of HandBrake's, size and time no more than
# HandBrake's; the remux of a 20 s file under 1 s.
#
# usage: bench/modern_formats.sh [build folder] [seconds of source, >= 20]
set -euo pipefail

BUILD=${1:-build}
SECONDS_OF_SOURCE=${2:-20}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert, enc and kiv_media first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"
mkdir -p "$WORK/ours" "$WORK/remux"

# A moving test picture with a little film grain and shifting colours, so
# that the encoders have detail and motion to spend bits on; stored at a high
# quality, as a camera would.
SOURCE="$WORK/source.mp4"
ffmpeg -v error -nostdin -y \
    -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=$SECONDS_OF_SOURCE" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=$SECONDS_OF_SOURCE" \
    -vf "noise=alls=4:allf=t,hue=H=0.4*t" -c:v libx264 -preset veryfast -crf 16 \
    -pix_fmt yuv420p -c:a aac -b:a 192k -ac 2 "$SOURCE"

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.2f", end - start }'; }
ssim() {
    ffmpeg -nostdin -i "$1" -i "$SOURCE" -lavfi "[0:v][1:v]ssim" -f null - 2>&1 |
        sed -n 's/.*SSIM.* All:\([0-9.]*\).*/\1/p' | tail -n 1
}
report() { # name, seconds, file
    printf "%-34s %8s s %10d bytes  SSIM %s\n" "$1" "$2" "$(stat -c %s "$3")" "$(ssim "$3")"
}

echo "source: 1920x1080 30 fps, $SECONDS_OF_SOURCE s, $(stat -c %s "$SOURCE") bytes"

start=$(now)
"$BIN/kiv-convert" --quiet --format 9 --profile 0 --output-dir "$WORK/ours" "$SOURCE" > /dev/null
OURS_TIME=$(since "$start")
OURS=$(ls "$WORK"/ours/*.mp4)
report "kiv-convert H.264 MP4, same size" "$OURS_TIME" "$OURS"

# The same FFmpeg options, without the program around them.
start=$(now)
ffmpeg -v error -nostdin -y -i "$SOURCE" -map 0:V:0? -map 0:a? -c:v libx264 -preset fast \
    -crf 23 -pix_fmt yuv420p -vf "crop=trunc(iw/2)*2:trunc(ih/2)*2" -fps_mode:v vfr \
    -enc_time_base:v -1 -c:a aac -b:a 160k -movflags +faststart "$WORK/ffmpeg.mp4"
report "plain FFmpeg, same options" "$(since "$start")" "$WORK/ffmpeg.mp4"

if command -v HandBrakeCLI > /dev/null; then
    start=$(now)
    HandBrakeCLI --preset "Fast 1080p30" -i "$SOURCE" -o "$WORK/handbrake.mp4" > /dev/null 2>&1
    report "HandBrakeCLI Fast 1080p30" "$(since "$start")" "$WORK/handbrake.mp4"
else
    echo "HandBrakeCLI not installed (package handbrake-cli): skipped"
fi

start=$(now)
"$BIN/kiv-convert" --quiet --format 9 --profile 9 --output-dir "$WORK/remux" "$SOURCE" > /dev/null
echo "kiv-convert MP4, same streams: $(since "$start") s for $SECONDS_OF_SOURCE s (target < 1 s)"
