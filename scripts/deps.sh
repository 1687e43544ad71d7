#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev libsqlcipher-dev sqlcipher fonts-liberation libhpdf-dev libjpeg-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libqrencode-dev qrencode libzxing-dev zbar-tools libgif-dev libcgif-dev giflib-tools libucl-dev libssl-dev
  poppler-utils imagemagick xvfb xauth libx11-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
