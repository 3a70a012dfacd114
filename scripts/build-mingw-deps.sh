#!/usr/bin/env bash
# Builds the libraries of the Windows build (static, x86_64-w64-mingw32) from Debian's own
# source packages, which Debian does not ship built for MinGW. Each package is pinned by
# version and by the SHA-256 of its .dsc; dpkg-source then checks every tarball against the
# .dsc. The results live outside any build folder, in a prefix named after this script's
# checksum (a changed pin or flag builds afresh), and ~/.cache/korvent-mingw/prefix points at
# the current one, which cmake/mingw-w64-x86_64.cmake reads. A filled prefix costs nothing.
#   scripts/build-mingw-deps.sh [core]   core: only what korventpdf.exe and the tests link
#   scripts/build-mingw-deps.sh --cached builds nothing; succeeds when every library is cached
set -euo pipefail

PINS=(
  # name          version                 SHA-256 of the .dsc
  "zlib           1:1.2.13.dfsg-1         3fa1e6b2fc525062aa88207dda52fed8e045373c809d362fe8a2bfbf7cf515a8"
  "libjpeg-turbo  1:2.1.5-2               d718ead0dfbcbc8523665c02a7f7152e31039ded641d022868722623bb3b486d"
  "qpdf           11.3.0-1+deb12u1        ecc031498331265c118c477eb88dab969ece147f4a9f9b0a616cb217df58fddb"
  "libpng1.6      1.6.39-2+deb12u5        7b86211030a34deb6b0a2cd7e1d9db0fe92443fd30cab537fb89b1e7f7c9f188"
  "tiff           4.5.0-6+deb12u4         b32082304d725936078d687303fcf771c9ecf738b505f9a66a29e8ba282c8615"
  "libwebp        1.2.4-0.2+deb12u1       d9ed0b59e2010f255c28d0869fd15b31f9b08aed757bfc91862d43aa9ec1aa99"
  "giflib         5.2.1-2.5+deb12u1       5206a92fd4a057768f429033a3a80bc1e06453f6c60dfec243d8188fa6ade3f4"
)
CORE=(zlib libjpeg-turbo qpdf)

HERE=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${KORVENT_MINGW_CACHE:-$HOME/.cache/korvent-mingw}
KEY=$(cat "$0" "$HERE/cmake/mingw-w64-x86_64.cmake" <(x86_64-w64-mingw32-g++-posix --version) |
      sha256sum | cut -c1-16)
PREFIX=$CACHE/deps-$KEY
TOOLCHAIN=$HERE/cmake/mingw-w64-x86_64.cmake
HOST=x86_64-w64-mingw32
JOBS=2

cmake_build() {  # source folder, then -D options
  local src=$1
  shift
  nice cmake -S "$src" -B "$src/_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DKORVENT_MINGW_PREFIX="$PREFIX" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" >/dev/null
}

# Libraries with no cross-build of their own: their C files into one archive.
archive() {  # source folder, library name, header, C files without ".c"
  local src=$1 lib=$2 header=$3
  shift 3
  local objs=()
  for c in "$@"; do
    nice $HOST-gcc-posix -O2 -c "$src/$c.c" -o "$src/$c.o"
    objs+=("$src/$c.o")
  done
  $HOST-ar rcs "$src/lib$lib.a" "${objs[@]}"
  install -D -m644 -t "$PREFIX/include" "$src/$header"
  install -D -m644 -t "$PREFIX/lib" "$src/lib$lib.a"
}

build_zlib() {
  archive "$1" z zlib.h adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback \
    inffast inflate inftrees trees uncompr zutil
  install -D -m644 -t "$PREFIX/include" "$1/zconf.h"
}

build_libjpeg_turbo() {
  cmake_build "$1" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
  nice cmake --build "$1/_build" -j"$JOBS" --target jpeg-static >/dev/null
  cmake --install "$1/_build" --component lib >/dev/null 2>&1 || true
  install -D -m644 -t "$PREFIX/include" "$1/jpeglib.h" "$1/jerror.h" "$1/jmorecfg.h" \
    "$1/_build/jconfig.h"
  install -D -m644 "$1/_build/libjpeg.a" "$PREFIX/lib/libjpeg.a"
}

build_qpdf() {
  # Its configure checks name the library as on Windows, whose file names ignore case.
  sed -i 's/Advapi32/advapi32/' "$1/CMakeLists.txt"
  cmake_build "$1" -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_DOC=OFF \
    -DUSE_IMPLICIT_CRYPTO=OFF -DREQUIRE_CRYPTO_NATIVE=ON -DINSTALL_EXAMPLES=OFF
  nice cmake --build "$1/_build" -j"$JOBS" --target libqpdf >/dev/null
  cmake --install "$1/_build" --component dev >/dev/null
}

build_libpng1_6() {
  cmake_build "$1" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
  nice cmake --build "$1/_build" -j"$JOBS" --target png_static >/dev/null
  cmake --install "$1/_build" >/dev/null
}

build_tiff() {
  cmake_build "$1" -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF -Djbig=OFF -Dlzma=OFF -Dzstd=OFF \
    -Dwebp=OFF -Dlerc=OFF -Dlibdeflate=OFF -Djpeg=ON -Dzlib=ON
  nice cmake --build "$1/_build" -j"$JOBS" >/dev/null
  cmake --install "$1/_build" >/dev/null
}

build_libwebp() {
  local off=()
  for t in ANIM_UTILS CWEBP DWEBP GIF2WEBP IMG2WEBP VWEBP WEBPINFO WEBPMUX EXTRAS; do
    off+=("-DWEBP_BUILD_$t=OFF")
  done
  cmake_build "$1" -DBUILD_SHARED_LIBS=OFF "${off[@]}"
  nice cmake --build "$1/_build" -j"$JOBS" >/dev/null
  cmake --install "$1/_build" >/dev/null
}

build_giflib() {
  archive "$1" gif gif_lib.h dgif_lib egif_lib gifalloc gif_err gif_font gif_hash \
    openbsd-reallocarray quantize
}

build_one() {  # name version dsc-sha256
  local name=$1 version=$2 sum=$3
  local stamp=$PREFIX/.built-$name
  [ -e "$stamp" ] && return 0
  local start=$SECONDS work
  work=$(mktemp -d "${TMPDIR:-/tmp}/korvent-mingw-$name.XXXXXX")
  (
    cd "$work"
    apt-get source --download-only -qq "$name=$version" >/dev/null 2>&1
    local dsc
    dsc=$(ls ./*.dsc)
    echo "$sum  $dsc" | sha256sum --check --quiet
    dpkg-source -x "$dsc" src >/dev/null 2>&1
  )
  "build_${name//[-.]/_}" "$work/src"
  rm -rf "$work"
  touch "$stamp"
  echo "built $name $version in $((SECONDS - start)) s"
}

if [ "${1:-}" = --cached ]; then
  for pin in "${PINS[@]}"; do
    read -r name _ <<<"$pin"
    [ -e "$PREFIX/.built-$name" ] || exit 1
  done
  exit 0
fi

wanted=("${CORE[@]}")
[ "${1:-}" = core ] || wanted=()
mkdir -p "$PREFIX"
for pin in "${PINS[@]}"; do
  read -r name version sum <<<"$pin"
  if [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $name "* ]]; then
    build_one "$name" "$version" "$sum"
  fi
done
ln -sfn "deps-$KEY" "$CACHE/prefix"
