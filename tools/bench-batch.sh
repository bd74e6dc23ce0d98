#!/usr/bin/env bash
# Times --batch: 20 stereo files of 30 s each through Ferrix with --jobs 1 and --jobs 2, in the
# same run. Usage: tools/bench-batch.sh [BUILD_DIR] (default build/linux). Prints wall-clock
# seconds per run and the ratio.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/linux}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in/a" "$work/in/b"
# One 30 s file of tones and noise bursts (16-bit stereo, 44.1 kHz), copied 20 times.
python3 - "$work/in/a/f00.wav" <<'PY'
import array, math, random, sys, wave
rate, seconds = 44100, 30
random.seed(1)
samples = array.array('h')
for i in range(rate * seconds):
    t = i / rate
    hit = math.exp(-20.0 * (t % 0.5)) * (random.random() * 2 - 1)
    tone = 0.5 * math.sin(2 * math.pi * 55 * t) + 0.3 * math.sin(2 * math.pi * 220 * t)
    v = max(-1.0, min(1.0, 0.9 * (tone + hit)))
    samples.append(int(v * 32767))
    samples.append(int(v * 0.9 * 32767))
with wave.open(sys.argv[1], 'wb') as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate); w.writeframes(samples.tobytes())
PY
for i in $(seq 1 19); do
  cp "$work/in/a/f00.wav" "$work/in/$([ $((i % 2)) -eq 0 ] && echo a || echo b)/f$i.wav"
done
run() {
  local start end
  start=$(date +%s.%N)
  "$build/ferrix-host" --quiet --preset Kick --batch "$work/in" "$work/out$1" --jobs "$1"
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
one=$(run 1)
two=$(run 2)
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf -- '--jobs 1: %.2f s\n--jobs 2: %.2f s\nspeed-up: %.2fx\n' "$one" "$two" "$(echo "$one / $two" | bc -l)"
