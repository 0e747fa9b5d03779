#!/bin/bash
# Which denoiser the editor's light, medium and strong use: FFmpeg's hqdn3d
# against nlmeans on a noisy DVD-sized clip (grainy film: a soft picture
# with changing noise added), one row per setting: speed (frames a second
# of CPU time), and how close the cleaned picture comes to the clean one
# (PSNR of Y in dB, and SSIM) against the noisy clip's own figure.
#
# usage: bench/denoise.sh [seconds, default 6] [grain strength, default 14]
set -euo pipefail

SECONDS_LONG=${1:-6}
GRAIN=${2:-14}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
ff() { ffmpeg -v error -nostdin -y "$@"; }

# The clean film and its grainy copy, both lossless so that only the
# filters differ.
ff -f lavfi -i "testsrc2=size=720x576:rate=25:duration=$SECONDS_LONG" \
    -vf "gblur=sigma=1.2,format=yuv420p" -c:v ffv1 "$WORK/clean.mkv"
ff -i "$WORK/clean.mkv" -vf "noise=c0s=$GRAIN:c1s=$((GRAIN / 2)):c2s=$((GRAIN / 2)):allf=t" -c:v ffv1 "$WORK/noisy.mkv"
frames=$((SECONDS_LONG * 25))

score() { # filter -> "psnr ssim"
    local psnr ssim
    psnr=$(ffmpeg -nostdin -i "$WORK/noisy.mkv" -i "$WORK/clean.mkv" -lavfi \
        "[0:v]$1[a];[a][1:v]psnr" -f null - 2>&1 | sed -n 's/.*PSNR y:\([0-9.]*\).*/\1/p')
    ssim=$(ffmpeg -nostdin -i "$WORK/noisy.mkv" -i "$WORK/clean.mkv" -lavfi \
        "[0:v]$1[a];[a][1:v]ssim" -f null - 2>&1 | sed -n 's/.*SSIM Y:\([0-9.]*\).*/\1/p')
    echo "$psnr $ssim"
}

speed() { # filter -> frames per CPU second
    local start end
    start=$(awk '{print $14+$15+$16+$17}' /proc/$$/stat)
    /usr/bin/time -f "%U %S" -o "$WORK/time" ffmpeg -v error -nostdin -threads 1 \
        -filter_threads 1 -i "$WORK/noisy.mkv" -vf "$1" -f null - 
    awk -v f="$frames" '{ printf "%.1f", f / ($1 + $2) }' "$WORK/time"
}

printf '%-8s %-8s %-44s %10s %9s %7s\n' setting filter options "fps(cpu)" "PSNR-Y" SSIM
printf '%-8s %-8s %-44s %10s %9s %7s\n' none - - "$(speed null)" $(score null)
while read -r setting name options; do
    printf '%-8s %-8s %-44s %10s %9s %7s\n' "$setting" "$name" "$options" \
        "$(speed "$name=$options")" $(score "$name=$options")
done <<'EOF'
light    hqdn3d  2:1.5:3:2.25
medium   hqdn3d  4:3:6:4.5
strong   hqdn3d  7:7:7:5
light    nlmeans s=2:p=7:r=9
medium   nlmeans s=3.5:p=7:r=9
strong   nlmeans s=5:p=7:r=9
EOF
