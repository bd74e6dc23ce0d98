#!/usr/bin/env bash
# Fetches Debian's zlib, libpng, libsndfile and Google Benchmark source packages for the Windows
# build and unpacks them into third_party/src/{zlib,libpng,libsndfile,benchmark} (ignored by
# git). Idempotent: an unpacked package is kept.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
dest="$top/third_party/src"
mkdir -p "$dest"

need=()
[ -f "$dest/zlib/zlib.h" ] || need+=(zlib)
[ -f "$dest/libpng/png.h" ] || need+=(libpng1.6)
[ -f "$dest/libsndfile/include/sndfile.h" ] || need+=(libsndfile)
[ -f "$dest/benchmark/include/benchmark/benchmark.h" ] || need+=(benchmark)
if [ ${#need[@]} -eq 0 ]; then
  echo "fetch-windows-deps: sources present"
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# A temporary deb-src entry, removed again whatever happens.
src_list=/etc/apt/sources.list.d/ferrix-deb-src.sources
cleanup() {
  "${sudo_cmd[@]}" rm -f "$src_list"
  "${sudo_cmd[@]}" apt-get update -q >/dev/null 2>&1 || true
}
trap cleanup EXIT
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
else
  grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
    | "${sudo_cmd[@]}" tee "${src_list%.sources}.list" >/dev/null
  src_list="${src_list%.sources}.list"
fi
"${sudo_cmd[@]}" apt-get update -q >/dev/null

work=$(mktemp -d)
for pkg in "${need[@]}"; do
  # Security-suite versions answer 404: try every listed version until one downloads.
  got=""
  for ver in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -u -r -V); do
    if (cd "$work" && apt-get source -q --download-only "$pkg=$ver" >/dev/null 2>&1); then
      got=$ver
      break
    fi
  done
  [ -n "$got" ] || { echo "fetch-windows-deps: no version of $pkg could be downloaded" >&2; exit 1; }
  dsc=$(ls "$work"/"${pkg}"_*.dsc | head -1)
  case $pkg in
    libpng1.6) name=libpng ;;
    *) name=$pkg ;;
  esac
  rm -rf "$dest/$name"
  (cd "$work" && dpkg-source --no-check -x "$dsc" "$dest/$name" >/dev/null)
  echo "fetch-windows-deps: $pkg $got -> third_party/src/$name"
done
rm -rf "$work"
