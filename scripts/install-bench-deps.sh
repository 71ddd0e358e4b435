#!/usr/bin/env bash
# Installs the tools the benchmark scripts compare Kalvo against (never needed by `make test`).
# Safe to run repeatedly: it only calls apt-get when a package is missing. Must run as root (or
# through sudo).
set -euo pipefail

packages=(
  imagemagick
  libjpeg-turbo-progs
  libvips-tools
  libopenjp2-tools
  pngquant
  hyperfine
  mtpaint kolourpaint
  gimp
  xvfb xdotool gcc libx11-dev
)

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
if ! $sudo apt-get install -y --no-install-recommends --dry-run "${missing[@]}" >/dev/null 2>&1; then
  $sudo apt-get update
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
