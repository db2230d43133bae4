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

work=$(mktemp -d)
chmod 700 "$work"
# Xvfb picks a free display and says which.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display") XDG_RUNTIME_DIR=$work

# one PROGRAM TITLE: prints "milliseconds-to-window peak-KiB" for one run.
one() {
  local program=$1 title=$2 start now window=""
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/rss" "$program" &
  local pid=$!
  while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] || sleep 0.002
    if [ $(( $(date +%s%N) - start )) -gt 20000000000 ]; then
      echo "$program showed no window in 20 s" >&2
      kill "$pid" 2>/dev/null
      exit 1
    fi
  done
  now=$(date +%s%N)
  xdotool windowfocus --sync "$window" key --clearmodifiers Escape 2>/dev/null || true
  for _ in $(seq 250); do kill -0 "$pid" 2>/dev/null || break; sleep 0.02; done
  kill -0 "$pid" 2>/dev/null && { echo "Escape did not close $program" >&2; kill "$pid"; }
  wait "$pid" || true
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
