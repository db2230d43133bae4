#!/usr/bin/env bash
# Peak memory of varnock-cli on the inputs that once held everything in memory: a line of
# 1 GB in each format, and 4 MB of empty lines decoded under every decade as JSON.
# Targets: text under 16 MiB whatever the line; CSV, JSON and catalogues the longest line
# or row once plus a few MiB. Usage: bench/cli_memory.sh [path/to/varnock-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/release/cli/varnock-cli}
[ -x "$cli" ] || { echo "build the release preset first ($cli is missing)" >&2; exit 2; }
source scripts/packages.sh
install_missing time

# peak NAME INPUT_COMMAND CLI_ARGS...: the tool's peak resident memory on that input.
peak() {
  local name=$1 input=$2
  shift 2
  local kib
  kib=$( { bash -c "$input" | /usr/bin/time -f %M "$cli" "$@" > /dev/null || true; } 2>&1 | tail -n 1)
  awk -v n="$name" -v k="$kib" 'BEGIN { printf "%-40s %8.1f MiB\n", n, k / 1024 }'
}
gigabyte_line="head -c 1073741824 /dev/zero | tr '\\0' K; echo"
empty_lines="head -c 4194304 /dev/zero | tr '\\0' '\\n'"
peak "1 GB line, text" "$gigabyte_line" -m cmc
peak "1 GB line, CSV" "$gigabyte_line" -m cmc -f csv
peak "1 GB line, JSON" "$gigabyte_line" -m cmc -f json
peak "4 MB of empty lines, -d all -f json" "$empty_lines" -m mbi -d all -f json
peak "1 GB row of a catalogue" "echo code; $gigabyte_line" -m cmc --input csv
