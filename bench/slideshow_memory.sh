#!/bin/bash
# Peak memory and time of slideshows of 10, 100 and 500 generated
# 12-megapixel JPEGs (4000 x 3000, noisy like a photo, every fifth stored
# lying on its side with EXIF orientation 6) on the PAL DVD profile, made
# by kiv-convert --slideshow; and, where it fits in memory, the same show
# made by one hand-written FFmpeg command (every picture an input, scaled,
# padded and joined by xfade), for the time ratio.
#
# Peak memory is the largest sum of the resident sizes of the run's whole
# process tree, sampled every 50 ms from /proc; GNU time's figure (the
# largest single process) is printed beside it. Run by hand; not a test.
#
# usage: bench/slideshow_memory.sh [build folder] [sizes] [hand-written up to N]
#   e.g. bench/slideshow_memory.sh build "10 100 500" 100
set -euo pipefail

BUILD=${1:-build}
SIZES=${2:-10 100 500}
HAND_UP_TO=${3:-100}
HOLD=2          # seconds a picture is held
TRANSITION=0.5  # seconds of a transition
CONVERT="$BUILD/bin/kiv-convert"
[ -x "$CONVERT" ] || { echo "no kiv-convert at $CONVERT (build it first)" >&2; exit 1; }
command -v /usr/bin/time > /dev/null || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"
mkdir -p "$KIV_HOME" "$WORK/pictures"
LARGEST=$(printf '%s\n' $SIZES | sort -n | tail -n 1)

# An EXIF block saying "turned clockwise when shown" (orientation 6), put
# after the JPEG's first two bytes.
exif6() {
    local file=$1
    { head -c 2 "$file"
      printf '\xff\xe1\x00\x22Exif\x00\x00MM\x00\x2a\x00\x00\x00\x08\x00\x01'
      printf '\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00\x00\x00\x00\x00'
      tail -c +3 "$file"; } > "$file.exif" && mv "$file.exif" "$file"
}

echo "making $LARGEST pictures of 4000 x 3000 ..." >&2
ffmpeg -v error -nostdin -f lavfi -i "testsrc2=size=4000x3000:rate=1,noise=alls=12:allf=t" \
    -frames:v "$LARGEST" -q:v 3 "$WORK/pictures/p%04d.jpg"
for ((i = 5; i <= LARGEST; i += 5)); do
    exif6 "$(printf '%s/pictures/p%04d.jpg' "$WORK" "$i")"
done
echo "pictures: $(du -sh "$WORK/pictures" | cut -f 1) for $LARGEST" >&2

# Runs a command; prints "wall_s cpu_s tree_peak_MB largest_process_MB".
measure() {
    local samples="$WORK/samples" timing="$WORK/timing"
    /usr/bin/time -f '%e %U %S %M' -o "$timing" "$@" > "$WORK/run.out" 2> "$WORK/run.err" &
    local top=$! peak=0
    while kill -0 "$top" 2> /dev/null; do
        # The resident size of every process below the timer, summed.
        local sum
        sum=$(ps -e -o pid=,ppid=,rss= | awk -v top="$top" '
            { parent[$1] = $2; rss[$1] = $3 }
            END { for (p in rss) { q = p; while (q in parent && q != top && q > 1) q = parent[q];
                                   if (q == top) total += rss[p] } print total + 0 }')
        ((sum > peak)) && peak=$sum
        sleep 0.05
    done
    wait "$top" || { echo "failed: $*" >&2; tail -n 5 "$WORK/run.err" >&2; return 1; }
    awk -v peak="$peak" '{ printf "%.1f %.1f %.0f %.0f\n", $1, $2 + $3, peak / 1024, $4 / 1024 }' \
        "$timing"
}

pictures() { for ((i = 1; i <= $1; i++)); do printf '%s/pictures/p%04d.jpg\n' "$WORK" "$i"; done; }

# The same show as one FFmpeg command: each picture decoded whole, fitted
# into 576 x 460 on a 720 x 576 frame shown at 4:3, held, and joined to
# the next by a cross-fade, encoded as the DVD profile does.
hand_written() {
    local count=$1 length=$2 graph="$WORK/hand.graph" inputs=()
    local hold; hold=$(awk -v s="$length" -v n="$count" -v t="$TRANSITION" 'BEGIN { print (s + (n - 1) * t) / n }')
    : > "$graph"
    for ((i = 0; i < count; i++)); do
        inputs+=(-i "$(printf '%s/pictures/p%04d.jpg' "$WORK" $((i + 1)))")
        printf '[%d:v]scale=576:460:force_original_aspect_ratio=decrease:flags=lanczos,pad=720:576:(ow-iw)/2:(oh-ih)/2:color=0x5a7590,setsar=16/15,format=yuv420p,loop=loop=%d:size=1:start=0,setpts=N/25/TB[v%d];\n' \
            "$i" "$(awk -v h="$hold" 'BEGIN { printf "%d", h * 25 - 1 }')" "$i" >> "$graph"
    done
    local last="[v0]" offset=0
    for ((i = 1; i < count; i++)); do
        offset=$(awk -v o="$offset" -v h="$hold" -v t="$TRANSITION" 'BEGIN { print o + h - t }')
        printf '%s[v%d]xfade=transition=fade:duration=%s:offset=%s[x%d];\n' "$last" "$i" "$TRANSITION" "$offset" "$i" >> "$graph"
        last="[x$i]"
    done
    printf '%snull[v];anullsrc=r=48000:cl=stereo,atrim=duration=%s[a]\n' "$last" "$length" >> "$graph"
    measure ffmpeg -v error -nostdin -y "${inputs[@]}" -filter_complex_script "$graph" \
        -map '[v]' -map '[a]' -b:v 6000k -s 720x576 -r 25 -aspect 4:3 -b:a 448k -ac 2 \
        -target pal-dvd -c:a ac3 "$WORK/hand.mpg"
}

echo "load average before: $(cut -d ' ' -f 1-3 /proc/loadavg); $(nproc) cores; show: ${HOLD} s a picture, ${TRANSITION} s transitions, PAL DVD"
printf '%-9s %-28s %9s %9s %11s %13s %11s\n' pictures run wall_s cpu_s peak_tree_MB largest_proc_MB show_s
for count in $SIZES; do
    rm -rf "$WORK/out"
    mapfile -t files < <(pictures "$count")
    read -r wall cpu peak largest < <(measure "$CONVERT" --slideshow --quiet --format 4 --profile 0 \
        --output-dir "$WORK/out" --picture-seconds "$HOLD" --transition-seconds "$TRANSITION" \
        "${files[@]}")
    show=$(head -n 1 "$WORK/run.out")
    length=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$show")
    printf '%-9s %-28s %9s %9s %11s %13s %11.1f\n' "$count" "kiv-convert --slideshow" "$wall" "$cpu" "$peak" "$largest" "$length"
    printf '%-9s %-28s %9s %9s\n' "" "  per picture" "$(awk -v w="$wall" -v n="$count" 'BEGIN { printf "%.2f", w / n }')" \
        "$(awk -v c="$cpu" -v n="$count" 'BEGIN { printf "%.2f", c / n }')"
    if ((count <= HAND_UP_TO)); then
        read -r hwall hcpu hpeak hlargest < <(hand_written "$count" "$length")
        hlength=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$WORK/hand.mpg")
        printf '%-9s %-28s %9s %9s %11s %13s %11.1f\n' "" "hand-written ffmpeg" "$hwall" "$hcpu" "$hpeak" "$hlargest" "$hlength"
        printf '%-9s %-28s %9s %9s\n' "" "  ratio (kiv / hand-written)" \
            "$(awk -v a="$wall" -v b="$hwall" 'BEGIN { printf "%.2f", a / b }')" \
            "$(awk -v a="$cpu" -v b="$hcpu" 'BEGIN { printf "%.2f", a / b }')"
    fi
done
