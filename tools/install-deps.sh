#!/bin/sh
# Installs every Debian 12 package the build, the programs, the tests, the
# Debian package and tools/suite-under-load.sh need.
# Runs as root, or through sudo when not root.
set -e
SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    cmake ninja-build g++ pkg-config clang-format \
    qt6-base-dev qt6-svg-dev libgl-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
    libmpv-dev libjack-jackd2-dev \
    ffmpeg libavcodec-extra libavformat-dev libavcodec-dev libavutil-dev \
    libgtest-dev libgmock-dev \
    xvfb xauth imagemagick x11-apps fonts-dejavu-core fonts-wqy-microhei dbus \
    help2man desktop-file-utils appstream dpkg-dev file stress-ng python3 parallel >/dev/null
