#!/usr/bin/env bash
# Throughput of varnock-cli over one million realistic hub codes of five makers, in its
# text, CSV and JSON formats, against mawk upper-casing the same lines: the floor of what a
# line-by-line Unix tool can do. Usage: bench/cli_throughput.sh [path/to/varnock-cli]
# (VARNOCK_CLI_WRAPPER=wine for the Windows build)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/release/cli/varnock-cli}
[ -f "$cli" ] || { echo "build the release preset first ($cli is missing)" >&2; exit 2; }
read -ra wrapper <<< "${VARNOCK_CLI_WRAPPER:-}"
source scripts/packages.sh
install_missing mawk python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
makers=(cmc daxon ritek tdk mbi)

# One million codes, 200,000 of each maker, shaped like the hub codes collectors copy:
# mostly decodable, a few per cent mistyped.
python3 - "$work" "${makers[@]}" <<'PY'
import random, sys
work, makers = sys.argv[1], sys.argv[2:]
rng = random.Random(2026)
L = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
def cmc():    return f"CMC MAG {rng.choice(L)}{rng.choice(L[:12])}{rng.randint(1,31):02d}"
def daxon():  return f"D{rng.choice(L)}{rng.randint(1,12):02d}{rng.choice(L)}{rng.randint(100,999)}{rng.randint(1,31):02d}"
def ritek():  return f"RITEK RI{rng.randint(0,9)}{rng.randint(1,12):02d}{rng.randint(1,31):02d} {rng.choice(L)}"
def tdk():    return f"T{rng.randint(0,9)}{rng.choice(L)}{rng.randint(100,999)}"
def mbi():    return f"{rng.randint(0,9)}{rng.randint(1,365):03d} MBI {rng.choice(L)}{rng.randint(10,99)}"
gen = dict(cmc=cmc, daxon=daxon, ritek=ritek, tdk=tdk, mbi=mbi)
# The same codes as an archivist's catalogue, maker by maker in a column of its own.
with open(f"{work}/all.txt", "w") as everything, open(f"{work}/catalogue.csv", "w") as catalogue:
    catalogue.write("shelf,hub code,maker\n")
    for maker in makers:
        with open(f"{work}/{maker}.txt", "w") as part:
            for _ in range(200_000):
                code = gen[maker]()
                if rng.random() < 0.03:
                    code = code[:3]  # mistyped: too short to hold a date
                part.write(code + "\n")
                everything.write(code + "\n")
                catalogue.write(f"S{rng.randint(1, 999)},{code},{maker}\n")
PY

lines=$(wc -l < "$work/all.txt")
rounds=${VARNOCK_BENCH_ROUNDS:-7}
seconds() {  # wall-clock seconds of "$@"
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}
run_cli() {
  local maker
  for maker in "${makers[@]}"; do
    "${wrapper[@]}" "$cli" -m "$maker" -d 2000 -f "$1" < "$work/$maker.txt" || true
  done
}

# The contestants take turns, round after round, so that a machine busier in one moment
# than the next weighs on all of them alike.
run_catalogue() {
  "${wrapper[@]}" "$cli" --input csv --maker-column maker -d 2000 "$work/catalogue.csv" || true
}
names=(mawk text csv json catalogue)
for _ in $(seq "$rounds"); do
  seconds mawk '{print toupper($0)}' "$work/all.txt" >> "$work/mawk.s"
  for format in text csv json; do seconds run_cli "$format" >> "$work/$format.s"; done
  seconds run_catalogue >> "$work/catalogue.s"
done

# median NAME: the median of NAME's rounds, then the fastest and the slowest.
median() { sort -g "$work/$1.s" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1], v[NR] }'; }
read -r floor _ < <(median mawk)
echo "$lines codes, medians of $rounds rounds (fastest-slowest)"
for name in "${names[@]}"; do
  read -r s low high < <(median "$name")
  label=$([ "$name" = mawk ] && echo "mawk toupper" || echo "varnock-cli $name")
  awk -v name="$label" -v s="$s" -v lo="$low" -v hi="$high" -v n="$lines" -v floor="$floor" \
    'BEGIN { printf "%-18s %6.3f s (%.3f-%.3f)  %5.2f M codes/s  %5.2fx the time of mawk\n",
             name, s, lo, hi, n / s / 1e6, s / floor }'
done
