#!/bin/bash
# Several files at once against one at a time: 12 short 720p files through
# an old small profile ("To 3GP" H.263), "MP3, 192 kb/s" and "H.264 MP4, fit
# within 1280x720 (HD)", with --jobs 1 and --jobs auto in turn (interleaved),
# then --jobs auto against GNU parallel -j2 running one kiv-convert per file.
# Prints median wall times, the throughput ratio, the cores kept busy
# (runnable threads of the conversion's processes, sampled every 0.2 s) and
# what Automatic chose. Targets on 2 cores: auto >= 1.2x one at a time for
# the small profile and MP3, >= 0.97x for H.264 HD; auto within 5 % of GNU
# parallel -j2.
#
# usage: bench/files_at_once.sh [build folder] [runs per mode] [seconds per file]
set -euo pipefail

BUILD=${1:-build}
RUNS=${2:-3}
SECONDS_EACH=${3:-6}
BIN="$(cd "$BUILD/bin" && pwd)"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert and enc first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"
mkdir -p "$WORK/src" "$KIV_HOME"
for i in $(seq -w 1 12); do
    ffmpeg -v error -nostdin -y -f lavfi \
        -i "testsrc2=size=1280x720:rate=30:duration=$SECONDS_EACH,noise=alls=12:allf=t" \
        -f lavfi -i "sine=frequency=$((300 + 10#$i * 20)):sample_rate=48000:duration=$SECONDS_EACH" \
        -c:v libx264 -preset veryfast -crf 20 -pix_fmt yuv420p -c:a aac -ac 2 "$WORK/src/clip$i.mp4"
done
FILES=("$WORK"/src/clip*.mp4)

now() { date +%s.%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runnable threads of every process whose command line names the output
# folder ($1), sampled until the file $2 exists; prints their mean.
sample_busy() {
    local out=$1 stop=$2 samples=0 total=0
    while [ ! -e "$stop" ]; do
        local running=0
        for proc in /proc/[0-9]*; do
            grep -qsF -- "$out" "$proc/cmdline" 2>/dev/null || continue
            for task in "$proc"/task/*/stat; do
                state=$(awk '{ sub(/^.*\) /, ""); print $1 }' "$task" 2>/dev/null) || continue
                [ "$state" = R ] && running=$((running + 1))
            done
        done
        samples=$((samples + 1)); total=$((total + running))
        sleep 0.2
    done
    awk -v t="$total" -v s="$samples" 'BEGIN { printf "%.2f", s ? t / s : 0 }'
}

# Runs "$@" converting into $OUT; appends "seconds busy" to the file $TIMES.
measure() {
    rm -rf "$OUT"; mkdir -p "$OUT"
    rm -f "$WORK/stop"
    sample_busy "$OUT" "$WORK/stop" > "$WORK/busy" &
    local sampler=$! start
    start=$(now)
    "$@" > /dev/null 2>&1 || echo "run failed: $*" >&2
    local end; end=$(now)
    touch "$WORK/stop"; wait "$sampler"
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(cat "$WORK/busy")" >> "$TIMES"
    [ "$(ls "$OUT" | wc -l)" -eq 12 ] || echo "expected 12 outputs in $OUT" >&2
}

report() { # label, times file
    local wall busy
    wall=$(awk '{ print $1 }' "$2" | median)
    busy=$(awk '{ print $2 }' "$2" | median)
    printf "  %-34s median %7.2f s, cores kept busy %s\n" "$1" "$wall" "$busy"
    echo "$wall"
}

echo "machine: $(nproc) cores; 12 files of ${SECONDS_EACH} s at 1280x720; $RUNS runs per mode"
"$BIN/files_at_once_choice" 2>/dev/null || true
for case in "8 0 old small profile (3GP H.263)" "10 1 MP3, 192 kb/s" "9 2 H.264 MP4 fit within 1280x720"; do
    read -r FORMAT PROFILE LABEL <<< "$case"
    OUT="$WORK/out-$FORMAT-$PROFILE"
    CONVERT=("$BIN/kiv-convert" --quiet --format "$FORMAT" --profile "$PROFILE" --output-dir "$OUT")
    : > "$WORK/one"; : > "$WORK/auto"; : > "$WORK/parallel"
    for ((i = 0; i < RUNS; i++)); do
        TIMES="$WORK/one" measure "${CONVERT[@]}" --jobs 1 "${FILES[@]}"
        TIMES="$WORK/auto" measure "${CONVERT[@]}" --jobs auto "${FILES[@]}"
        # The log is emptied by the next run: the choice is read now.
        grep -o 'files at once: [0-9]* (Automatic[^)]*)' "$KIV_HOME/kiv-convert.log" \
            > "$WORK/chosen" || true
        if command -v parallel > /dev/null; then
            TIMES="$WORK/parallel" measure parallel -j2 "${CONVERT[@]}" --jobs 1 ::: "${FILES[@]}"
        fi
    done
    CHOSEN=$(tail -n 1 "$WORK/chosen")
    echo "$LABEL: $CHOSEN"
    ONE=$(report "one at a time (--jobs 1)" "$WORK/one" | tee /dev/stderr | tail -n 1)
    AUTO=$(report "automatic (--jobs auto)" "$WORK/auto" | tee /dev/stderr | tail -n 1)
    awk -v a="$ONE" -v b="$AUTO" 'BEGIN { printf "  throughput auto / one at a time: %.2fx\n", a / b }'
    if [ -s "$WORK/parallel" ]; then
        PAR=$(report "GNU parallel -j2, one per file" "$WORK/parallel" | tee /dev/stderr | tail -n 1)
        awk -v a="$AUTO" -v b="$PAR" 'BEGIN { printf "  --jobs auto / GNU parallel -j2 wall time: %.3f\n", a / b }'
    fi
done 2>&1 | grep -v '^[0-9.]*$'
