#!/bin/bash
# Overhead of enc over FFmpeg alone. Converts one H.264 profile ("iPod
# Classic(Excelent Quality)": libx264 640x480 30 fps + AAC) through enc, and
# through the FFmpeg command enc printed as its first line, in alternating
# pairs, and prints the median of the per-pair wall-time ratios (and of the
# CPU-time ratios, which a shared machine disturbs less).
#
# usage: bench/enc_overhead.sh [build folder] [runs per mode]
set -euo pipefail

BUILD=${1:-build}
RUNS=${2:-9}
ENC="$BUILD/bin/enc"
[ -x "$ENC" ] || { echo "no enc at $ENC (build the enc target first)" >&2; exit 1; }

LOAD=$(cut -d ' ' -f 1-3 /proc/loadavg)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
ffmpeg -v error -nostdin -y -f lavfi -i testsrc2=size=640x360:rate=25:duration=15 \
    -f lavfi -i sine=frequency=440:sample_rate=48000:duration=15 \
    -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2 "$WORK/src.mp4"

# The command line the program builds for that profile, after the executable.
LINE=" -async 24 -vsync 24 -i \"$WORK/src.mp4\" -b 2500k -s 640x480 -r 30.00 -scodec copy"
LINE+="  -ab 160.00k  -ac 2 -ar 48000.00 -vol 256 -ss 00:00:00 -t 15 -f mp4  -vcodec libx264"
LINE+=" -acodec libfaac -coder 0 -g 250 -level 30 -qmin 10 -qmax 51 -maxrate 10000k -bufsize 10M "
LINE+=" -y \"$WORK/src_libx264_libfaac.mp4\""
# No argument holds a blank, so dropping the quotes splits it like the runner.
read -r -a ARGS <<< "${LINE//\"/}"

run_enc() {
    "$ENC" quillon-transcode-gates "${ARGS[@]}" < /dev/null > "$WORK/enc.out" 2>&1
}

# The printed FFmpeg command, writing its own output; its progress pipe
# (descriptor 3) goes nowhere.
run_enc
read -r -a DIRECT < "$WORK/enc.out"
if grep -q '"' <(head -n 1 "$WORK/enc.out"); then
    echo "the printed command holds quoted arguments; cannot split it here" >&2
    exit 1
fi
DIRECT[${#DIRECT[@]}-1]="$WORK/direct.mp4"
run_direct() {
    "${DIRECT[@]}" < /dev/null 3> /dev/null > /dev/null 2>&1
}

# "wall cpu" of one run; cpu is user + system time of the run's processes.
measure() {
    local TIMEFORMAT='%R %U %S'
    { time "$@"; } 2>&1 | awk '{ printf "%.3f %.3f", $1, $2 + $3 }'
}

# Pairs in alternating order, so a load that drifts hurts both modes alike.
WALL_RATIOS=()
CPU_RATIOS=()
ENC_TIMES=()
DIRECT_TIMES=()
for ((i = 0; i < RUNS; i++)); do
    if ((i % 2 == 0)); then
        read -r ENC_WALL ENC_CPU <<< "$(measure run_enc)"
        read -r DIRECT_WALL DIRECT_CPU <<< "$(measure run_direct)"
    else
        read -r DIRECT_WALL DIRECT_CPU <<< "$(measure run_direct)"
        read -r ENC_WALL ENC_CPU <<< "$(measure run_enc)"
    fi
    ENC_TIMES+=("$ENC_WALL")
    DIRECT_TIMES+=("$DIRECT_WALL")
    WALL_RATIOS+=("$(awk -v e="$ENC_WALL" -v d="$DIRECT_WALL" 'BEGIN { printf "%.4f", e / d }')")
    CPU_RATIOS+=("$(awk -v e="$ENC_CPU" -v d="$DIRECT_CPU" 'BEGIN { printf "%.4f", e / d }')")
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "command: ${DIRECT[*]}"
echo "runs per mode: $RUNS (load average before: $LOAD)"
echo "enc wall times (s):    ${ENC_TIMES[*]}"
echo "ffmpeg wall times (s): ${DIRECT_TIMES[*]}"
echo "median enc wall $(median "${ENC_TIMES[@]}") s, median ffmpeg wall $(median "${DIRECT_TIMES[@]}") s"
echo "median cpu-time ratio (enc / ffmpeg, per pair): $(median "${CPU_RATIOS[@]}")"
echo "median wall-time ratio (enc / ffmpeg, per pair): $(median "${WALL_RATIOS[@]}")"
