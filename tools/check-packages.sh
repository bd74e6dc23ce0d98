#!/usr/bin/env bash
# Builds the .deb and the .zip from the already built linux and windows presets and checks what a
# user gets. The .deb unpacks to bin/ferrix-host and lib/vst/Ferrix.so, and that ferrix-host
# renders the demo through that (stripped) Ferrix.so into the same bytes as the build tree's. The
# .zip holds the tested Ferrix.dll byte for byte and a ferrix-host.exe that renders the demo with
# it under wine into the same bytes again (the two platforms' renders are bit-identical).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "check-packages: $*" >&2
  exit 1
}

(cd build/linux && cpack >/dev/null)
deb=$(ls build/linux/packages/ferrix_*_amd64.deb)
dpkg-deb -x "$deb" "$work/deb"
for f in usr/bin/ferrix-host usr/lib/vst/Ferrix.so usr/share/ferrix/ferrix-demo.wav; do
  [ -f "$work/deb/$f" ] || fail "$deb lacks $f"
done
"$work/deb/usr/bin/ferrix-host" --quiet --precision 64 --preset Kick "$work/deb/usr/share/ferrix/ferrix-demo.wav" \
  "$work/installed.wav"
build/linux/ferrix-host --quiet --precision 64 --preset Kick build/linux/ferrix-demo.wav "$work/built.wav"
cmp -s "$work/installed.wav" "$work/built.wav" || fail "the installed Ferrix.so renders differently"
echo "check-packages: $(basename "$deb"): bin/ferrix-host and lib/vst/Ferrix.so render the demo"

(cd build/windows && cpack >/dev/null)
zip=$(ls build/windows/packages/ferrix-*-win64.zip)
unzip -q "$zip" -d "$work/zip"
dir=$(ls -d "$work"/zip/ferrix-*-win64)
cmp -s "$dir/Ferrix.dll" build/windows/Ferrix.dll || fail "$zip holds another Ferrix.dll"
# wine64 is found through the PATH that wine-env.sh sets.
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
# shellcheck source=tools/missing-tool.sh
source tools/missing-tool.sh
need_tools "check-packages: $(basename "$zip") under wine" wine64 || exit 0
wine_prepare_prefix
wine_start_server
wine64 "$dir/ferrix-host.exe" --quiet --precision 64 --preset Kick \
  "$(winepath -w "$dir/ferrix-demo.wav" 2>/dev/null)" "$(winepath -w "$work/zip.wav" 2>/dev/null)" </dev/null
wineserver -k >/dev/null 2>&1 || true
cmp -s "$work/zip.wav" "$work/built.wav" || fail "ferrix-host.exe from $zip renders differently"
echo "check-packages: $(basename "$zip"): the tested Ferrix.dll; its ferrix-host.exe renders the demo"
