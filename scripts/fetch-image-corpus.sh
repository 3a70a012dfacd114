#!/usr/bin/env bash
# Fetches the test pictures that libpng and libtiff ship in their Debian source packages and
# keeps them in a cache folder, so that the plug-ins can be tried on real-world files.
#   fetch-image-corpus.sh [cache folder]     (default: ${XDG_CACHE_HOME:-~/.cache}/korvent-corpus)
# Prints the folder holding the pictures. Exits with 2 when the packages cannot be reached.
# A private apt state under the cache folder is used, so neither root nor a deb-src line in the
# system's sources is needed, and nothing outside the cache folder changes.
set -euo pipefail

cache="${1:-${XDG_CACHE_HOME:-$HOME/.cache}/korvent-corpus}"
images="$cache/images"
if [ -f "$images/.complete" ]; then
  echo "$images"
  exit 0
fi

apt_root="$cache/apt"
mkdir -p "$apt_root/lists/partial" "$apt_root/archives/partial" "$apt_root/etc" "$cache/src"
cat >"$apt_root/etc/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
apt_options=(
  -o "Dir::Etc::SourceList=$apt_root/etc/sources.list"
  -o "Dir::Etc::SourceParts=/nonexistent"
  -o "Dir::State::Lists=$apt_root/lists"
  -o "Dir::Cache=$apt_root"
  -o "Debug::NoLocking=1"
  -o "APT::Sandbox::User=$(id -un)"
  -o "Acquire::Retries=1"
  -o "Acquire::http::Timeout=30"
)

if ! apt-get "${apt_options[@]}" -qq update >/dev/null 2>&1; then
  echo "cannot reach the Debian source archive" >&2
  exit 2
fi
cd "$cache/src"
if ! apt-get "${apt_options[@]}" -qq source --download-only libpng1.6 tiff >/dev/null 2>&1; then
  echo "cannot download the libpng1.6 and tiff source packages" >&2
  exit 2
fi

# Only the picture folders are unpacked from the upstream archives.
rm -rf "$images.partial"
mkdir -p "$images.partial"
unpack() {  # archive, destination name, folders inside the archive's top folder...
  local archive="$1" name="$2"
  shift 2
  local top
  top=$(tar -tf "$archive" | sed -n '1s,/.*,,p')
  local members=()
  for folder in "$@"; do members+=("$top/$folder"); done
  mkdir -p "$images.partial/$name"
  tar -xf "$archive" -C "$images.partial/$name" --strip-components=1 --wildcards "${members[@]}"
}
unpack libpng1.6_*.orig.tar.* libpng contrib/pngsuite contrib/testpngs
unpack tiff_*.orig.tar.[gbx]z* libtiff test/images
touch "$images.partial/.complete"
rm -rf "$images"
mv "$images.partial" "$images"
echo "$images"
