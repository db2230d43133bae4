#!/usr/bin/env bash
# Start-up figures of the dialog, measured from outside: the time from starting the
# program until its window is on a virtual X display, and its peak memory, against a
# minimal Qt dialog as the floor of the toolkit, alternating runs of the two.
# Usage: bench/startup.sh [RUNS]   (after building the release preset)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build/release
source scripts/packages.sh
install_missing xvfb xdotool time

display=:77
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display XDG_RUNTIME_DIR=$work
chmod 700 "$work"
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done

# one PROGRAM TITLE: prints "milliseconds-to-window peak-KiB" for one run.
one() {
  local program=$1 title=$2 start now window=""
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/rss" "$program" &
  local pid=$!
  while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] || sleep 0.002
  done
  now=$(date +%s%N)
  xdotool windowfocus --sync "$window" key --clearmodifiers Escape 2>/dev/null || true
  wait "$pid"
  echo "$(( (now - start) / 1000000 )) $(cat "$work/rss")"
}

for _ in $(seq "$runs"); do
  one "$build/ui/varnock" '^Varnock v' >> "$work/varnock"
  one "$build/bench/minimal_dialog" '^Minimal dialog$' >> "$work/floor"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
vt=$(cut -d' ' -f1 "$work/varnock" | median); vm=$(cut -d' ' -f2 "$work/varnock" | median)
ft=$(cut -d' ' -f1 "$work/floor" | median); fm=$(cut -d' ' -f2 "$work/floor" | median)
echo "medians of $runs runs each"
printf '%-16s %6s ms to window %8s KiB peak\n' varnock "$vt" "$vm" "minimal dialog" "$ft" "$fm"
awk -v vt="$vt" -v ft="$ft" -v vm="$vm" -v fm="$fm" 'BEGIN {
  printf "time ratio %.2f (target <= 1.25); memory difference %.2f MiB (target <= 5)\n",
         vt / ft, (vm - fm) / 1024 }'
