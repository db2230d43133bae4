#!/usr/bin/env bash
# Figures of the Windows build: varnock.exe's size once stripped, its time to window
# under Wine against a minimal Win32 dialog built beside it (alternating runs, medians),
# and varnock-cli.exe's throughput under Wine against the Linux build on the same file.
# Usage: bench/windows_figures.sh [RUNS]   (after the windows and release builds)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build/windows
source scripts/packages.sh
install_missing xvfb xdotool
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
# The prefix's services start on this display, as the programs will.
source scripts/wine_prefix.sh
new_wine_prefix "$work/prefix"

x86_64-w64-mingw32-strip -o "$work/varnock.exe" "$build/win32/varnock.exe"
echo "varnock.exe stripped: $(stat -c %s "$work/varnock.exe") bytes (target 300 KB)"

# one PROGRAM TITLE: milliseconds from the start of the program to its window.
one() {
  local start window
  start=$(date +%s%N)
  wine "$1" &
  local pid=$!
  # Every window that matches, not the first alone: a pipe to head would end xdotool early.
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "$2") || true
  echo $(( ($(date +%s%N) - start) / 1000000 ))
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  [ -n "$window" ]
}
for _ in $(seq "$runs"); do
  one "$build/win32/varnock.exe" '^Varnock v' >> "$work/varnock"
  one "$build/bench/minimal_dialog_win32.exe" '^Minimal dialog$' >> "$work/floor"
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
v=$(median < "$work/varnock") f=$(median < "$work/floor")
awk -v v="$v" -v f="$f" -v n="$runs" 'BEGIN {
  printf "time to window: varnock.exe %d ms, minimal dialog %d ms (medians of %d), ratio %.2f (target 1.25)\n", v, f, n, v / f }'

echo "varnock-cli under Wine:"
VARNOCK_CLI_WRAPPER=wine bench/cli_throughput.sh "$build/cli/varnock-cli.exe" | tail -n 5
echo "varnock-cli on Linux:"
bench/cli_throughput.sh build/release/cli/varnock-cli | tail -n 5

# The throughput figures start the tool five times, once per maker, and a start of Wine
# alone takes longer than a fifth of the work. The ratio is taken as a user meets it: one
# run of each build over the same file of a million Ritek-like codes, turn about.
python3 - "$work/codes.txt" <<'PY'
import random, sys
rng = random.Random(2026)
with open(sys.argv[1], "w") as codes:
    for _ in range(1_000_000):
        codes.write(f"RITEK RI{rng.randint(0, 9)}{rng.randint(1, 12):02d}{rng.randint(1, 31):02d} "
                    f"{rng.choice('ABCDEFGHIJKLMNOPQRSTUVWXYZ')}\n")
PY
seconds() {  # wall-clock seconds of "$@" < codes.txt
  local start
  start=$(date +%s%N)
  "$@" < "$work/codes.txt" > /dev/null
  awk -v n=$(( $(date +%s%N) - start )) 'BEGIN { print n / 1e9 }'
}
for _ in $(seq 7); do
  for format in text csv json; do
    seconds build/release/cli/varnock-cli -m ritek -d 2000 -f "$format" >> "$work/linux.$format"
    seconds wine "$build/cli/varnock-cli.exe" -m ritek -d 2000 -f "$format" >> "$work/wine.$format"
  done
done
for format in text csv json; do
  read -r w wlo whi < <(sort -g "$work/wine.$format" | awk '{ v[NR] = $1 } END { print v[4], v[1], v[NR] }')
  read -r l llo lhi < <(sort -g "$work/linux.$format" | awk '{ v[NR] = $1 } END { print v[4], v[1], v[NR] }')
  awk -v f="$format" -v w="$w" -v l="$l" -v wlo="$wlo" -v whi="$whi" -v llo="$llo" -v lhi="$lhi" 'BEGIN {
    printf "%-4s one file: Wine %.3f s (%.3f-%.3f), Linux %.3f s (%.3f-%.3f): %.2fx (target 1.5)\n",
           f, w, wlo, whi, l, llo, lhi, w / l }'
done
