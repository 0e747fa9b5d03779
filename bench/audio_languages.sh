#!/bin/bash
# The size saved by keeping one sound language of five: a film-like file
# (DVD-sized H.264 picture, five 5.1 AC-3 dubs at 448 kb/s as DVDs carry
# them, two subtitles) converted by kiv-convert with the streams copied
# (MKV, same streams) and as H.264 MP4, each with every track and with
# --audio-tracks de. Prints one row per output: size, sound tracks, and
# the share saved.
#
# usage: bench/audio_languages.sh [build folder] [minutes, default 3]
set -euo pipefail

BUILD=${1:-build}
MINUTES=${2:-3}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert, enc and kiv_media first" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
LENGTH=$((MINUTES * 60))

printf '1\n00:00:01,000 --> 00:00:03,000\nHello\n\n' > "$WORK/en.srt"
inputs=(-f lavfi -i "testsrc2=size=720x576:rate=25:duration=$LENGTH,gblur=sigma=1")
maps=(-map 0)
languages=(eng ger fre spa ita)
for i in 0 1 2 3 4; do
    inputs+=(-f lavfi -i "sine=frequency=$((300 + 110 * i)):duration=$LENGTH,aformat=channel_layouts=5.1")
    maps+=(-map $((i + 1)))
done
inputs+=(-i "$WORK/en.srt" -i "$WORK/en.srt")
maps+=(-map 6 -map 7)
metadata=()
for i in 0 1 2 3 4; do metadata+=(-metadata:s:a:$i "language=${languages[$i]}"); done
ffmpeg -v error -nostdin -y "${inputs[@]}" "${maps[@]}" -c:v libx264 -preset veryfast -crf 22 \
    -c:a ac3 -b:a 448k -c:s srt "${metadata[@]}" "$WORK/film.mkv"

sound_tracks() { ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$1" | wc -l; }
printf '%-40s %10s %7s %7s\n' output bytes sound saved
for profile in "8:MKV, same streams" "0:H.264 MP4"; do
    number=${profile%%:*}
    whole=0
    for choice in all de; do
        out="$WORK/out-$number-$choice"
        HOME_DIR="$WORK/home-$number-$choice"
        KIV_HOME="$HOME_DIR" "$BIN/kiv-convert" --quiet --format 9 --profile "$number" \
            --audio-tracks "$choice" --output-dir "$out" "$WORK/film.mkv" > "$WORK/path"
        file=$(tail -n 1 "$WORK/path")
        bytes=$(stat -c %s "$file")
        [ "$choice" = all ] && whole=$bytes
        saved=$(awk -v a="$whole" -v b="$bytes" 'BEGIN { printf "%.1f%%", 100 * (a - b) / a }')
        printf '%-40s %10d %7d %7s\n' "${profile#*:}, --audio-tracks $choice" "$bytes" \
            "$(sound_tracks "$file")" "$saved"
    done
done
