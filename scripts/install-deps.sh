#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# A machine that already has every package installs nothing.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev clang-format
  # libraries
  qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libpng-dev libgif-dev libtiff-dev libwebp-dev
  libcups2-dev libqpdf-dev libglib2.0-dev
  # runtime and checks
  fonts-noto-cjk xvfb xauth x11-utils qpdf poppler-utils ghostscript libjpeg-turbo-progs
  bzip2 xz-utils  # unpacking the test pictures of libpng and libtiff (fetch-image-corpus.sh)
  cups cups-bsd cups-client printer-driver-cups-pdf xdg-utils
  # benchmarks (bench/merge_bench.sh)
  time
  # documents exported or printed headless (the full programs: the -nogui builds print nothing)
  libreoffice-writer libreoffice-calc libreoffice-impress fonts-ipafont
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
