#!/bin/sh
# Builds the Debian package with cpack and checks its control data: the
# library dependencies dpkg-shlibdeps found, FFmpeg and the extra codecs, and
# the files it holds.
# Arguments: the build folder, 1 when the window program is built.
set -eu
build=$1
has_window=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kivtest-deb-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$work"/kiv-video-converter_*.deb)
echo "$(basename "$deb"): Depends: $(dpkg-deb -f "$deb" Depends)"

# One dependency per line, without version constraints.
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/(.*)//; s/^ *//; s/ *$//' >"$work/depends"
expected="ffmpeg libavcodec-extra libc6 libstdc++6 libavformat59 libavutil57"
[ "$has_window" = 1 ] && expected="$expected libqt6widgets6 libmpv2"
for package in $expected; do
    grep -qx "$package" "$work/depends" || grep -q "^$package |" "$work/depends" ||
        fail "Depends lacks $package"
done
[ "$(dpkg-deb -f "$deb" Package)" = kiv-video-converter ] || fail "wrong package name"

dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' >"$work/contents"
grep -qx "./usr/bin/kiv-convert -> ../lib/kiv-video-converter/kiv-convert" "$work/contents" ||
    fail "no bin/kiv-convert link in the package"
grep -qx "./usr/lib/kiv-video-converter/enc" "$work/contents" || fail "no enc in the package"
if grep -q "portable\|_tests\|demo" "$work/contents"; then
    fail "the package holds files of the build tree: $(grep "portable\|_tests\|demo" "$work/contents")"
fi
echo "deb test passed"
