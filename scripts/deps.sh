#!/usr/bin/env bash
# Installs the Debian packages Lumora needs. Usage: scripts/deps.sh [run|test]
#   run   build tools, Qt, GStreamer plugins, the fonts the program draws with, and the tools that
#         build the sample course (espeak-ng, ffmpeg, a CJK font)
#   test  all of the above plus what the tests use (sox, ImageMagick, Xvfb, PulseAudio) and ccache
set -euo pipefail
mode=${1:-run}
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimediawidgets6 libqt6multimedia6
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  libuemf-dev libaubio-dev
  fonts-dejavu-core fonts-noto-cjk fonts-thai-tlwg fonts-khmeros
  espeak-ng ffmpeg sox
)
if [ "$mode" = "test" ]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev ccache imagemagick xvfb xauth pulseaudio
             gstreamer1.0-tools gstreamer1.0-plugins-base-apps)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
