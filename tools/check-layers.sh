#!/bin/sh
# The engine's rooms include downwards only. A room names what it includes
# by folder ("files/PlainPaths.h"); this lists the rooms each may reach.
# Lower rooms may take the job record from the top of COMMON/, nothing else.
set -e
cd "$(dirname "$0")/../COMMON"
allowed() {
    case "$1" in
    files) echo "files" ;;
    process) echo "process files" ;;
    media) echo "media process files" ;;
    commandline) echo "commandline files" ;;
    slideshow) echo "slideshow commandline files" ;;
    top) echo "files process media commandline slideshow" ;;
    runs) echo "runs files process media commandline slideshow" ;;
    esac
}
failed=0
for file in *.h *.cpp */*.h */*.cpp; do
    room=${file%%/*}
    [ "$room" = "$file" ] && room=top
    [ "$room" = protocol ] && continue
    for name in $(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file"); do
        case "$name" in
        */*)
            target=${name%%/*}
            case " $(allowed "$room") " in
            *" $target "*) ;;
            *) echo "COMMON/$file: $room may not include $name" >&2; failed=1 ;;
            esac
            ;;
        *)
            if [ -f "$name" ] && [ "$room" != top ] && [ "$room" != runs ] &&
                [ "$name" != ConversionJob.h ]; then
                echo "COMMON/$file: $room may not include the top's $name" >&2
                failed=1
            fi
            ;;
        esac
    done
done
exit $failed
