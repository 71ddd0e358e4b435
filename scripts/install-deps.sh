#!/usr/bin/env bash
# Installs the Debian packages Kalvo needs to build, run and test. Safe to run repeatedly:
# it only calls apt-get when a package is missing. Must run as root (or through sudo).
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libopenjp2-7-dev libpng-dev zlib1g-dev libgif-dev
  libpixman-1-dev
  libwebp-dev libtiff-dev
  # libheif1 on Debian 12 carries its HEVC (libde265) and AV1 (dav1d, aom) decoders built in.
  libheif-dev libde265-0 libdav1d6 libaom3
  # Reference decoders and encoders of the format tests and benchmarks.
  webp libheif-examples imagemagick libvips-tools hyperfine
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool python3
  xclip desktop-file-utils strace clang-format
  fonts-ipafont-gothic qt6-translations-l10n
  breeze-icon-theme libqt6svg6
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
stamp=/var/lib/apt/periodic/kalvo-update-stamp
if [ ! -d /var/lib/apt/lists ] || [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v lock)" ] \
   || ! $sudo apt-get install -y --no-install-recommends --dry-run "${missing[@]}" >/dev/null 2>&1; then
  $sudo apt-get update
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
