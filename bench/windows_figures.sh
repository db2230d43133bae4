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
VARNOCK_CLI_WRAPPER=wine bench/cli_throughput.sh "$build/cli/varnock-cli.exe" | tail -n 5 |
  tee "$work/wine"
echo "varnock-cli on Linux:"
bench/cli_throughput.sh build/release/cli/varnock-cli | tail -n 5 | tee "$work/linux"
# The throughput figures start the tool once per maker, five times; how much of Wine's
# time is its own start shows in the same five starts on empty input.
start=$(date +%s%N)
for _ in 1 2 3 4 5; do wine "$build/cli/varnock-cli.exe" -m cmc < /dev/null > /dev/null; done
starts=$(( ($(date +%s%N) - start) / 1000000 ))
text_seconds() { awk '$2 == "text" { print $3 }' "$1"; }
awk -v w="$(text_seconds "$work/wine")" -v l="$(text_seconds "$work/linux")" -v s="$starts" 'BEGIN {
  printf "text under Wine: %.2fx the Linux build'"'"'s time (target 1.5); five starts of Wine alone %d ms\n", w / l, s }'
