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
  # the Windows build (MinGW-w64; its libraries from Debian's sources, scripts/build-mingw-deps.sh)
  # and its tests under Wine, in Japanese
  g++-mingw-w64-x86-64-posix googletest dpkg-dev wine wine64 locales
)

# Debian's source packages, from which the Windows build's libraries are made.
ensure_sources() {
  local list=/etc/apt/sources.list.d/korvent-src.sources
  [ -e "$list" ] && return 0
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
    "${SUDO[@]}" tee "$list" >/dev/null
  "${SUDO[@]}" apt-get update -qq
}

# The Japanese locale the Wine tests run in (code page 932).
ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$' && return 0
  "${SUDO[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'ja_JP.UTF-8 UTF-8' | "${SUDO[@]}" tee -a /etc/locale.gen >/dev/null
  "${SUDO[@]}" locale-gen >/dev/null
}

SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
ensure_sources
ensure_locale
