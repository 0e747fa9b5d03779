#!/bin/sh
# Installs the build into a temporary root as a package would (DESTDIR, prefix
# /usr), checks the installed files, validates the desktop entry and the
# AppStream data (and their translations), and converts a clip with the
# installed kiv-convert run through its bin/ link: its data goes to the XDG
# folders, nothing into the install tree.
# Arguments: the source folder, the build folder, 1 when the window program
# is built.
set -eu
source=$1
build=$2
has_window=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kivtest-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log"; fail "cmake --install"; }
usr=$root/usr
lib=$usr/lib/kiv-video-converter

# The programs and their files, nothing else.
programs="kiv-convert"
[ "$has_window" = 1 ] && programs="kiv-video-converter kiv-convert"
for file in enc $programs; do
    [ -x "$lib/$file" ] || fail "$lib/$file is missing"
done
[ -f "$lib/libkiv_media.so" ] || fail "$lib/libkiv_media.so is missing"
for file in "$lib"/*; do
    case ${file##*/} in
    kiv-video-converter | kiv-convert | enc | libkiv_media.so | help | images | translations | bg.jpg | LightBlue.smf) ;;
    *) fail "$file should not be installed" ;;
    esac
done
[ "$(ls "$usr/bin" | xargs)" = "$(printf '%s\n' $programs | sort | xargs)" ] ||
    fail "bin/ holds $(ls "$usr/bin" | xargs)"
for program in $programs; do
    [ "$(readlink "$usr/bin/$program")" = "../lib/kiv-video-converter/$program" ] ||
        fail "bin/$program is not a link to the program"
done
manual=$usr/share/man/man1/kiv-convert.1
grep -q '^\.TH KIV-CONVERT "1"' "$manual" && grep -q '^\.B KIV_HOME' "$manual" ||
    fail "the manual page is missing or lacks its environment section"

# Desktop entry and AppStream data: installed with the window program, and
# valid in any case.
desktop=$source/packaging/kiv-video-converter.desktop
metainfo=$(ls "$build"/packaging/*.metainfo.xml)
if [ "$has_window" = 1 ]; then
    desktop=$usr/share/applications/kiv-video-converter.desktop
    metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml)
    [ -f "$usr/share/icons/hicolor/scalable/apps/kiv-video-converter.svg" ] || fail "no icon"
    for language in en de fr es zh_CN; do
        [ -s "$lib/translations/kiv_$language.qm" ] || fail "no translation kiv_$language.qm"
    done
else
    [ ! -e "$usr/share/applications" ] || fail "a desktop entry without the window program"
fi
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
# A German session shows the German name; every language names itself.
grep -qx 'Name\[de\]=Kiv Videokonverter' "$desktop" || fail "no German name in $desktop"
for language in de es fr zh_CN; do
    grep -q "<summary xml:lang=\"$language\">" "$metainfo" || fail "no $language summary"
done
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" ||
    { cat "$work/appstream.log"; fail "appstreamcli validate $metainfo"; }

# A conversion with the installed kiv-convert: the settings are read from
# XDG_CONFIG_HOME (their output folder is used), the log lands in XDG_STATE_HOME.
ffmpeg -v error -f lavfi -i testsrc2=size=176x144:rate=15:duration=1 \
    -f lavfi -i sine=frequency=440:duration=1 -c:v mpeg4 -c:a mp2 "$work/clip.avi"
mkdir -p "$work/config/kiv-video-converter" "$work/home"
printf '[Options]\nFolder=%s\n' "$work/out" >"$work/config/kiv-video-converter/kivinfo.ini"
before=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)
env -u KIV_HOME HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" \
    "$usr/bin/kiv-convert" --quiet --format 8 --profile 0 "$work/clip.avi" \
    >"$work/convert.out" 2>"$work/convert.err" </dev/null ||
    { cat "$work/convert.err"; fail "kiv-convert through bin/ failed"; }
output=$(cat "$work/convert.out")
case $output in
"$work/out/"*) [ -s "$output" ] || fail "$output is missing or empty" ;;
*) fail "the output '$output' is not in the folder the settings name" ;;
esac
grep -q "clip.avi" "$work/state/kiv-video-converter/kiv-convert.log" || fail "no log in XDG_STATE_HOME"
[ -z "$(ls -A "$work/home")" ] || fail "files in HOME although the XDG variables are set"

# Without the XDG variables the data goes below HOME, and without an output
# folder in the settings the converted file goes to ~/Videos.
mkdir "$work/home/Videos"
env -u KIV_HOME -u XDG_CONFIG_HOME -u XDG_STATE_HOME -u XDG_VIDEOS_DIR HOME="$work/home" \
    "$usr/bin/kiv-convert" --quiet --format 8 --profile 0 "$work/clip.avi" \
    >"$work/convert.out" 2>"$work/convert.err" </dev/null ||
    { cat "$work/convert.err"; fail "kiv-convert without XDG variables failed"; }
[ "$(cat "$work/convert.out")" = "$work/home/Videos/clip_h263_libfaac.3gp" ] ||
    fail "converted into '$(cat "$work/convert.out")' instead of ~/Videos"
[ -f "$work/home/.local/state/kiv-video-converter/kiv-convert.log" ] || fail "no log in ~/.local/state"
[ -d "$work/home/.config/kiv-video-converter" ] || fail "no settings folder in ~/.config"

after=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the programs wrote into the install tree"
echo "install test passed"
