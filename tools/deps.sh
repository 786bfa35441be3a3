#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those missing.
# Usage: tools/deps.sh [--test]   (--test adds what the headless test run needs)
# help2man writes the manual pages and dpkg-dev computes the Debian package's dependencies.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qtbase5-dev qtmultimedia5-dev libqt5multimedia5-plugins qtwebengine5-dev libqt5webchannel5-dev
    libqt5opengl5-dev
    libqt5svg5-dev qttools5-dev qttools5-dev-tools
    libavformat-dev libavcodec-dev libavfilter-dev libavutil-dev libswscale-dev libswresample-dev
    ffmpeg libjs-leaflet fonts-noto-core fonts-noto-cjk iputils-ping libgl1-mesa-dri
    libexif-dev fonts-liberation2 help2man dpkg-dev qttranslations5-l10n
)
if [ "${1:-}" = "--test" ]; then
    packages+=(xvfb xauth mesa-utils pulseaudio pulseaudio-utils clang libclang-rt-14-dev clang-format mpv
        exif poppler-utils gpsbabel desktop-file-utils appstream xdotool python3)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "deps: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
