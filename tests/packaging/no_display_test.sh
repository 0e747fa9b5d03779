#!/bin/sh
# The window program started without a display prints one line pointing to
# kiv-convert and exits with status 1, instead of the toolkit's abort.
# Argument: the window program; empty when this build has none (skipped).
set -u
program=$1
if [ -z "$program" ]; then
    echo "no window program in this build"
    exit 77
fi
home=$(mktemp -d "${TMPDIR:-/tmp}/kivtest-nodisplay-XXXXXX")
trap 'rm -rf "$home"' EXIT
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM \
    KIV_HOME="$home" DBUS_SESSION_BUS_ADDRESS=disabled: "$program" 2>&1 >/dev/null </dev/null)
status=$?
expected="kiv-video-converter: no display found; kiv-convert converts files without one"
if [ "$status" != 1 ] || [ "$err" != "$expected" ]; then
    echo "FAIL: exit status $status, standard error:" >&2
    echo "$err" >&2
    exit 1
fi
echo "no-display test passed"
