#!/usr/bin/env bash
# Writes the expected Extract tables: one file per real output of ../shared/data
# and per bundled example, each the `extract --all` text of that file alone in
# English with "." decimals, and one table of the job health of every real
# output.  Review the diff before committing it.
#   scripts/update-golden.sh [path/to/zerlant-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/bin/zerlant-cli}
data=${ZERLANT_DATA:-../shared/data}
out=tests/golden/extract
mkdir -p "$out"
rm -f "$out"/*.txt
for f in "$data"/*.out "$data"/*.log "$data"/*.LOG "$data"/*.OUT examples/*.out examples/*.log; do
  [ -f "$f" ] || continue
  "$cli" extract --all --lang English "$f" >"$out/$(basename "$f").txt" 2>/dev/null || true
done
ls "$out" | wc -l
# The job health of every real output, one table (the columns --all leaves out).
health=()
for f in "$data"/*.out "$data"/*.log "$data"/*.LOG "$data"/*.OUT; do
  [ -f "$f" ] && health+=("$f")
done
if [ ${#health[@]} -gt 0 ]; then
  "$cli" extract --lang English -j 1 --select file,status,reason,nimag,lowest_freq,s2,converged \
    "${health[@]}" >tests/golden/jobhealth.txt 2>/dev/null || true
fi
# The JSON records of every real output and example, one file each, in
# English (the records do not depend on the language).  Arrays of objects are
# written one element per line, so that a review diff names the atom or mode.
json=tests/golden/json
mkdir -p "$json"
rm -f "$json"/*.json
for f in "$data"/*.out "$data"/*.log "$data"/*.LOG "$data"/*.OUT examples/*.out examples/*.log; do
  [ -f "$f" ] || continue
  "$cli" extract --all --format json --lang English "$f" 2>/dev/null |
    python3 scripts/golden-json.py >"$json/$(basename "$f").json" || true
done
ls "$json" | wc -l
