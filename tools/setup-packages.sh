#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and demo; with the
# argument main-job only those that configuring and building both presets needs (no wine, Xvfb,
# clang or third-party plug-ins). Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config git ca-certificates dpkg-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev libsndfile1-dev libflac-dev libogg-dev libvorbis-dev libopus-dev
  libebur128-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra libpixman-1-dev
  libcairo2-dev
  libx11-dev libxext-dev libxtst-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
)
if [ "${1:-}" != main-job ]; then
  packages+=(
    clang clang-format libclang-rt-dev
    wine64 wine xvfb xauth unzip
    zam-plugins lsp-plugins-vst dpf-plugins-vst
    python3
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "setup-packages: all packages present"
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
