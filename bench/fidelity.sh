#!/bin/bash
# What comes out of the sources people have: our profiles (through
# kiv-convert) beside HandBrakeCLI's matching presets (package
# handbrake-cli; skipped when it is not installed), one row per output:
# field order and combing (idet: share of pictures it finds interlaced),
# frame intervals, channels, HDR10 side data of the first picture, cover
# picture, duration. Then the cost of deinterlacing: the H.264 profile on
# an interlaced 1080i source against the same profile on its progressive
# twin (median wall time of three runs each; target within 1.15x).
#
# usage: bench/fidelity.sh [build folder] [seconds of the 1080 sources, >= 4]
set -euo pipefail

BUILD=${1:-build}
LONG=${2:-8}
BIN="$BUILD/bin"
[ -x "$BIN/kiv-convert" ] || { echo "build kiv-convert, enc and kiv_media first" >&2; exit 1; }
HANDBRAKE=$(command -v HandBrakeCLI || true)

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export KIV_HOME="$WORK/home"
ff() { ffmpeg -v error -nostdin -y "$@"; }

# --- Sources -----------------------------------------------------------
# The pictures are softened as a camera's are: idet takes the test
# pattern's sharp moving detail for fields.
S="$WORK/sources"
mkdir -p "$S"
tone51="aevalsrc=sin(440*2*PI*t)|sin(550*2*PI*t)|sin(660*2*PI*t)|0.2*sin(50*2*PI*t)|sin(770*2*PI*t)|sin(880*2*PI*t):s=48000:d=6:c=5.1(side)"
# A DVD rip: 576i, bottom field first, MPEG-2 with 5.1 AC-3.
ff -f lavfi -i "testsrc2=size=720x576:rate=50:duration=6" -f lavfi -i "$tone51" \
    -vf "gblur=sigma=1,tinterlace=interleave_bottom,setfield=bff" -c:v mpeg2video -b:v 6M \
    -flags +ildct+ilme -top 0 -c:a ac3 -b:a 384k -f dvd "$S/dvd-576i-bff.mpg"
# The same rip re-encoded by a tool that does not say how it is scanned.
ff -i "$S/dvd-576i-bff.mpg" -map 0:v -map 0:a -c:v mpeg4 -q:v 2 -c:a ac3 -b:a 384k \
    "$S/rip-unflagged.avi"
# Broadcast 1080i (top field first) and its progressive twin, in MPEG-TS.
ff -f lavfi -i "testsrc2=size=1920x1080:rate=50:duration=$LONG" -f lavfi -i "sine=duration=$LONG" \
    -vf "gblur=sigma=1.5,tinterlace=interleave_top,setfield=tff" -c:v mpeg2video -b:v 20M -flags +ildct+ilme \
    -top 1 -c:a mp2 "$S/broadcast-1080i.ts"
ff -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=$LONG" -f lavfi -i "sine=duration=$LONG" \
    -vf "gblur=sigma=1.5" -c:v mpeg2video -b:v 20M -c:a mp2 "$S/broadcast-1080p.ts"
# A phone clip: 3 s at 30 fps, then 3 s at 24 fps, stored to 1/90000 s.
ff -f lavfi -i "testsrc2=size=1280x720:rate=30,gblur=sigma=1.5,settb=1/90000,setpts='if(lt(N,90),N/30,3+(N-90)/24)/TB'" \
    -f lavfi -i "sine=duration=6" -frames:v 162 -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    -fps_mode passthrough -enc_time_base:v 1/90000 -video_track_timescale 90000 -c:a aac \
    -shortest "$S/phone-vfr.mp4"
# A film with 5.1 AC-3.
ff -f lavfi -i "testsrc2=size=1280x720:rate=24:duration=6" -f lavfi -i "$tone51" -vf "gblur=sigma=1.5" \
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a ac3 -b:a 448k "$S/film-5.1.mkv"
# HDR10: 10-bit HEVC with mastering display and light levels.
ff -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=3" -c:v libx265 -preset ultrafast \
    -pix_fmt yuv420p10le -color_primaries bt2020 -color_trc smpte2084 -colorspace bt2020nc \
    -x265-params "log-level=error:hdr10=1:master-display=G(13250,34500)B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,1):max-cll=1000,400" \
    "$S/hdr10.mkv"
# A song with its cover.
ff -f lavfi -i "testsrc2=size=600x600" -frames:v 1 "$WORK/cover.png"
ff -f lavfi -i "sine=frequency=523:duration=6" -i "$WORK/cover.png" -map 0 -map 1 \
    -c:a libmp3lame -b:a 192k -c:v png -disposition:v attached_pic -id3v2_version 3 \
    -metadata title="Morning song" -metadata artist="The Testers" "$S/song-cover.mp3"
# A film with text subtitles, trimmed to 0:02-0:05 below.
printf '1\n00:00:00,500 --> 00:00:03,000\nHello\n\n2\n00:00:03,500 --> 00:00:05,000\nAgain\n' >"$WORK/cues.srt"
ff -f lavfi -i "testsrc2=size=1280x720:rate=25:duration=8" -f lavfi -i "sine=duration=8" \
    -i "$WORK/cues.srt" -map 0 -map 1 -map 2 -vf "gblur=sigma=1.5" -c:v libx264 -preset veryfast -pix_fmt yuv420p \
    -c:a aac -c:s srt "$S/film-subtitled.mkv"

# --- What an output kept -----------------------------------------------
fields() {
    ffprobe -v error -select_streams V:0 -show_entries stream=field_order -of csv=p=0 "$1" |
        head -n 1 | cut -d , -f 1
}
combing() { # share of pictures idet finds interlaced
    ffmpeg -nostdin -i "$1" -map 0:V:0 -vf idet -an -sn -f null - 2>&1 |
        sed -n 's/.*Multi frame detection: TFF: *\([0-9]*\) BFF: *\([0-9]*\) Progressive: *\([0-9]*\).*/\1 \2 \3/p' |
        tail -n 1 | awk '{ t = $1 + $2 + $3; if (t) printf "%d%%", 100 * ($1 + $2) / t; else print "-" }'
}
intervals() { # the three commonest frame intervals in ms, with their counts
    ffprobe -v error -select_streams V:0 -show_entries packet=pts_time -of csv=p=0 "$1" |
        sort -g | awk 'NR > 1 { c[sprintf("%.0f", ($1 - p) * 1000)]++ } { p = $1 }
            END { for (k in c) print c[k], k }' | sort -rn | head -n 3 |
        awk '{ printf "%s%sx%s", (NR > 1 ? " " : ""), $2, $1 }'
}
channels() { # of every audio track: "2+6"
    ffprobe -v error -select_streams a -show_entries stream=channels -of csv=p=0 "$1" |
        cut -d , -f 1 | grep . | paste -sd +
}
hdr() { # HDR10 side data of the first picture
    local info
    info=$(ffmpeg -hide_banner -nostdin -i "$1" -map 0:V:0 -frames:v 1 -vf showinfo -f null - 2>&1)
    local out=""
    grep -q "mastering display" <<<"$info" && out="MDCV"
    grep -q "Content Light Level" <<<"$info" && out="${out:+$out+}CLL"
    echo "${out:-none}"
}
cover() {
    ffprobe -v error -show_entries stream_disposition=attached_pic -of csv=p=0 "$1" |
        grep -q '^1' && echo yes || echo no
}
duration() {
    ffprobe -v error -show_entries format=duration -of csv=p=0 "$1" | awk '{ printf "%.2f", $1 }'
}
row() { # source, who, output
    local f="$3"
    if [ ! -s "$f" ]; then
        printf "%-22s %-38s %s\n" "$1" "$2" "(no output)"
        return
    fi
    local video="" audio="-"
    if ffprobe -v error -select_streams V:0 -show_entries stream=index -of csv=p=0 "$f" | grep -q .; then
        video=1
    fi
    [ -n "$(channels "$f")" ] && audio=$(channels "$f")
    printf "%-22s %-38s %-12s %-6s %-22s %-5s %-9s %-5s %s\n" "$1" "$2" \
        "${video:+$(fields "$f")}" "${video:+$(combing "$f")}" "${video:+$(intervals "$f")}" \
        "$audio" "${video:+$(hdr "$f")}" "$(cover "$f")" "$(duration "$f")"
}

# --- Conversions -------------------------------------------------------
ours() { # source, format, profile, name, extra options...
    local source="$1" format="$2" profile="$3" name="$4"
    shift 4
    local out="$WORK/out/$name"
    mkdir -p "$out"
    "$BIN/kiv-convert" --quiet --format "$format" --profile "$profile" --output-dir "$out" \
        "$@" "$S/$source" | tail -n 1
}
theirs() { # source, preset, name, extra options...
    local source="$1" preset="$2" name="$3"
    shift 3
    [ -n "$HANDBRAKE" ] || return 0
    local out="$WORK/out/hb-$name.mp4"
    case "$preset" in *MKV*) out="$WORK/out/hb-$name.mkv" ;; esac
    "$HANDBRAKE" --preset "$preset" -i "$S/$source" -o "$out" "$@" >/dev/null 2>&1 || true
    echo "$out"
}

printf "%-22s %-38s %-12s %-6s %-22s %-5s %-9s %-5s %s\n" source output "field order" combed \
    "frame intervals (ms)" ch "HDR10" cover seconds
both() { # source, label of ours, our output, label of theirs, their output
    row "$1" "$2" "$3"
    [ -n "$HANDBRAKE" ] && row "" "$4" "$5"
    return 0
}
both dvd-576i-bff.mpg "ours: H.264 MP4, same size" "$(ours dvd-576i-bff.mpg 9 0 dvd-h264)" \
    "HandBrake: Fast 576p25" "$(theirs dvd-576i-bff.mpg "Fast 576p25" dvd)"
row "" "ours: PAL DVD Video" "$(ours dvd-576i-bff.mpg 4 0 dvd-dvd)"
both rip-unflagged.avi "ours: H.264 MP4, same size" "$(ours rip-unflagged.avi 9 0 rip-h264)" \
    "HandBrake: Fast 576p25" "$(theirs rip-unflagged.avi "Fast 576p25" rip)"
both broadcast-1080i.ts "ours: H.264 MP4, same size" "$(ours broadcast-1080i.ts 9 0 tv-h264)" \
    "HandBrake: Fast 1080p30" "$(theirs broadcast-1080i.ts "Fast 1080p30" tv)"
row "" "ours: H.265 MP4, same size" "$(ours broadcast-1080i.ts 9 4 tv-h265)"
both phone-vfr.mp4 "ours: H.264 MP4, same size" "$(ours phone-vfr.mp4 9 0 phone-h264)" \
    "HandBrake: Fast 1080p30" "$(theirs phone-vfr.mp4 "Fast 1080p30" phone)"
row "" "ours: iPod Classic(Normal Quality)" "$(ours phone-vfr.mp4 5 2 phone-ipod)"
both film-5.1.mkv "ours: H.264 MP4, same size" "$(ours film-5.1.mkv 9 0 film-h264)" \
    "HandBrake: Fast 1080p30" "$(theirs film-5.1.mkv "Fast 1080p30" film)"
both film-5.1.mkv "ours: AV1 MKV with Opus" "$(ours film-5.1.mkv 9 6 film-av1)" \
    "HandBrake: HQ 1080p30 Surround" "$(theirs film-5.1.mkv "HQ 1080p30 Surround" film-hq)"
row "" "ours: FLAC (lossless)" "$(ours film-5.1.mkv 10 3 film-flac)"
row "" "ours: MP3, 192 kb/s" "$(ours film-5.1.mkv 10 1 film-mp3)"
both hdr10.mkv "ours: H.265 MP4, same size" "$(ours hdr10.mkv 9 4 hdr-h265)" \
    "HandBrake: H.265 MKV 1080p30" "$(theirs hdr10.mkv "H.265 MKV 1080p30" hdr)"
row "" "ours: AV1 MKV with Opus" "$(ours hdr10.mkv 9 6 hdr-av1)"
row song-cover.mp3 "ours: AAC in M4A" "$(ours song-cover.mp3 10 2 song-m4a)"
row "" "ours: FLAC (lossless)" "$(ours song-cover.mp3 10 3 song-flac)"
row "" "ours: MP3, 192 kb/s" "$(ours song-cover.mp3 10 1 song-mp3)"
[ -n "$HANDBRAKE" ] && printf "%-22s %-38s %s\n" "" "HandBrake" "(makes no sound-only files)"
both "film-subtitled.mkv" "ours: H.264 MP4, 0:02-0:05" \
    "$(ours film-subtitled.mkv 9 0 subs-h264 --start 00:00:02 --end 00:00:05)" \
    "HandBrake: Fast 1080p30, 2 s + 3 s" \
    "$(theirs film-subtitled.mkv "Fast 1080p30" subs --start-at seconds:2 --stop-at seconds:3 --all-subtitles)"
row "" "ours: MKV, same streams, 0:02-0:05" \
    "$(ours film-subtitled.mkv 9 8 subs-copy --start 00:00:02 --end 00:00:05)"
[ -n "$HANDBRAKE" ] || echo "HandBrakeCLI not installed (package handbrake-cli): its rows skipped"

# --- The cost of deinterlacing -----------------------------------------
# Wall and CPU seconds (of kiv-convert, enc and FFmpeg together) of one
# conversion with the H.264 profile.
timed() {
    local out="$WORK/cost"
    rm -rf "$out"
    local TIMEFORMAT="%R %U %S"
    { time "$BIN/kiv-convert" --quiet --format 9 --profile 0 --output-dir "$out" "$S/$1" \
        >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }'
}
median() { sort -g -k "$1" | sed -n 2p | cut -d " " -f "$1"; }
for source in broadcast-1080i.ts broadcast-1080p.ts; do
    timed "$source" >"$WORK/$source.times"
    timed "$source" >>"$WORK/$source.times"
    timed "$source" >>"$WORK/$source.times"
done
wall_i=$(median 1 <"$WORK/broadcast-1080i.ts.times")
wall_p=$(median 1 <"$WORK/broadcast-1080p.ts.times")
cpu_i=$(median 2 <"$WORK/broadcast-1080i.ts.times")
cpu_p=$(median 2 <"$WORK/broadcast-1080p.ts.times")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo
echo "H.264 MP4 profile, 1920x1080 25 fps, $LONG s (median of 3):"
echo "  wall: interlaced 1080i (deinterlaced) $wall_i s, progressive twin $wall_p s," \
    "ratio $(ratio "$wall_i" "$wall_p")x (target <= 1.15x)"
echo "  CPU:  interlaced 1080i (deinterlaced) $cpu_i s, progressive twin $cpu_p s," \
    "ratio $(ratio "$cpu_i" "$cpu_p")x"
