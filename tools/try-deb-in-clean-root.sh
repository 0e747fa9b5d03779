#!/bin/sh
# Installs a built .deb into a clean Debian 12 root (made with debootstrap on
# first use) with apt-get, as on a machine that has only the runtime packages,
# then runs the installed programs there as an ordinary user. For checking a
# package by hand; needs root, debootstrap and Debian's package mirror.
# Usage: sh tools/try-deb-in-clean-root.sh ROOT PACKAGE.deb
set -eu
root=$1
deb=$2
mirror=http://deb.debian.org/debian
[ -d "$root/usr" ] || debootstrap --variant=minbase bookworm "$root" "$mirror"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/package.deb"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

in_root sh -c 'export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --reinstall /tmp/package.deb >/tmp/apt.log 2>&1 ||
        { cat /tmp/apt.log; exit 1; }
    echo "Depends: $(dpkg-query -W -f "\${Depends}" kiv-video-converter)"'

in_root sh -c 'id tester >/dev/null 2>&1 || useradd -m tester
    rm -rf /home/tester/*
    su tester -c "cd && ffmpeg -v error -f lavfi -i testsrc2=size=176x144:rate=15:duration=2 \
        -f lavfi -i sine=duration=2 -c:v mpeg4 -c:a mp2 clip.avi && mkdir -p Videos &&
        kiv-convert --quiet --format \"To 3GP/MP4\" --profile \"3GP(h263/amr)\" clip.avi &&
        find . -path ./.bashrc -prune -o -newer clip.avi -type f -print"'

if in_root test -x /usr/bin/kiv-video-converter; then
    echo "kiv-video-converter without a display:"
    in_root su tester -c "kiv-video-converter; echo \"exit status \$?\""
fi
