#!/usr/bin/env bash
# Extraction speed and memory beside the peers, in one run:
#   bench/compare.sh [build/bin/zerlant-cli]
# Builds a ~300 MB optimisation log by repeating one optimisation step of a
# real output (from one "Standard orientation" to the next, with the file's
# own head and tail), then prints wall time and peak memory of Zerlant,
# Open Babel (obabel), cclib (when installed) and one `grep -c` pass; then the
# whole ../shared/data folder with -j 1 and -j N, and four large files with
# -j 1 and -j 2.  Nothing is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/bin/zerlant-cli}")
data=$(realpath "${ZERLANT_DATA:-../shared/data}")
seed=$data/cclib_g16_dvb_gopt.out
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
big=$work/big_gopt.log
target=${BENCH_BYTES:-300000000}

python3 - "$seed" "$big" "$target" <<'PY'
import sys
seed, out, target = sys.argv[1], sys.argv[2], int(sys.argv[3])
data = open(seed, 'rb').read()
mark = b'Standard orientation'
first = data.find(mark)
second = data.find(mark, first + 1)
head, step, tail = data[:first], data[first:second], data[second:]
with open(out, 'wb') as f:
    f.write(head)
    n = len(head) + len(tail)
    while n < target:
        f.write(step)
        n += len(step)
    f.write(tail)
PY

measure() {  # label, command...
  local label=$1; shift
  # Not /dev/null: GNU grep stops at the first match when it writes there.
  /usr/bin/time -v "$@" >"$work/out" 2>"$work/time" || true
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2/1024}' "$work/time")
  printf '| %-52s | %10s | %8s MiB |\n' "$label" "$wall" "$rss"
}

size=$(stat -c %s "$big")
echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(uname -m)"
echo "File: $((size / 1000000)) MB optimisation log built from $(basename "$seed")"
echo
printf '| %-52s | %10s | %12s |\n' "reader" "wall" "peak memory"
printf '|%s|%s|%s|\n' "------------------------------------------------------" "------------" "--------------"
measure "zerlant-cli extract --all" "$cli" extract --all --lang English "$big"
measure "zerlant-cli convergence (every step)" "$cli" convergence "$big"
if command -v obabel >/dev/null; then
  measure "Open Babel obabel -ig09 FILE -oxyz" obabel -ig09 "$big" -oxyz
fi
if /usr/bin/python3 -c 'import cclib' 2>/dev/null; then
  measure "cclib ccread" /usr/bin/python3 -c 'import sys, cclib; cclib.io.ccread(sys.argv[1])' "$big"
fi
measure "grep -c \"Standard orientation\" (one pass)" grep -c "Standard orientation" "$big"
# Memory stays bounded by the blocks kept, whatever the size: the log seven
# times over (about 2 GB).
for _ in 1 2 3 4 5 6 7; do cat "$big"; done >"$work/huge.log"
measure "zerlant-cli extract --all, $(($(stat -c %s "$work/huge.log") / 1000000)) MB" \
  "$cli" extract --all --lang English "$work/huge.log"
rm -f "$work/huge.log"
# Line ends mixed: the first half of the log in CR LF, the rest in LF.
python3 - "$big" "$work/mixed.log" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
half = data.find(b'\n', len(data) // 2) + 1
with open(sys.argv[2], 'wb') as f:
    f.write(data[:half].replace(b'\n', b'\r\n'))
    f.write(data[half:])
PY
measure "zerlant-cli extract --all, half CR LF, half LF" \
  "$cli" extract --all --lang English "$work/mixed.log"
rm -f "$work/mixed.log"

echo
jobs=$(nproc)
printf '| %-52s | %10s | %12s |\n' "whole ../shared/data folder" "wall" "peak memory"
printf '|%s|%s|%s|\n' "------------------------------------------------------" "------------" "--------------"
mapfile -t outputs < <(find "$data" -maxdepth 1 -type f \( -iname '*.out' -o -iname '*.log' \) | sort)
measure "zerlant-cli extract --all -j 1 (${#outputs[@]} files)" "$cli" extract --all -j 1 "${outputs[@]}"
measure "zerlant-cli extract --all -j $jobs" "$cli" extract --all -j "$jobs" "${outputs[@]}"

for i in 2 3 4; do ln "$big" "$work/big_$i.log" 2>/dev/null || cp "$big" "$work/big_$i.log"; done
measure "four ~300 MB files, -j 1" "$cli" extract --all -j 1 "$big" "$work"/big_[234].log
measure "four ~300 MB files, -j 2" "$cli" extract --all -j 2 "$big" "$work"/big_[234].log
