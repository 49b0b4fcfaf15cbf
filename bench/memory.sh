#!/usr/bin/env bash
# Peak memory and time of zerlant-cli on many small outputs and on one huge
# log:   bench/memory.sh [build/bin/zerlant-cli]
#   FILES=100000  the number of small outputs (hard links to one real output;
#                 0 for the huge log alone)
#   SEED=FILE     the optimisation output to repeat (cclib_g16_dvb_gopt.out)
#   BYTES=2e9     the size of the huge log: the optimisation steps of a real
#                 optimisation output repeated between its own head and tail
# Everything is made in a temporary folder and removed at the end.  Prints
# one line per run: wall seconds, peak resident MiB, exit status and
# processor seconds (user + system: steadier than wall on a busy machine).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/bin/zerlant-cli}")
data=$(realpath "${ZERLANT_DATA:-../shared/data}")
small=$data/cclib_g16_water_mp3.log
seed=${SEED:-$data/cclib_g16_dvb_gopt.out}
files=${FILES:-100000}
bytes=${BYTES:-2000000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {  # label, command...
  local label=$1; shift
  local status=0
  /usr/bin/time -f '%e %M %U %S' -o "$work/time" "$@" >/dev/null 2>"$work/err" || status=$?
  read -r seconds kib user sys < <(tail -1 "$work/time")
  printf '%-44s %8.2f s %8.0f MiB  exit %s  (cpu %.2f s)\n' "$label" "$seconds" \
    "$((kib / 1024))" "$status" "$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')"
}

# Many small outputs: hard links, so that the disk holds few files.
if [ "$files" -gt 0 ]; then
python3 - "$small" "$work" "$files" <<'PY'
import os, sys
small, work, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
os.mkdir(work + "/many")
data = open(small, "rb").read()
with open(work + "/list", "w") as names:
    for i in range(n):
        name = "%s/many/job%06d.log" % (work, i)
        if i % 60000 == 0:  # a file system allows some 65,000 links
            source = "%s/seed%d.log" % (work, i)
            open(source, "wb").write(data)
        os.link(source, name)
        names.write(name + "\n")
PY
measure "extract $files files, file,energy,status" \
  "$cli" extract --select file,energy,status --files-from "$work/list"
measure "extract $files files, -o CSV" \
  "$cli" extract --select file,energy,status --files-from "$work/list" -o "$work/out.csv"
rm -rf "$work/many" "$work/out.csv"
fi

# One huge optimisation log.
python3 - "$seed" "$work/big.log" "$bytes" <<'PY'
import sys
seed, out, target = sys.argv[1], sys.argv[2], int(float(sys.argv[3]))
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
big=$work/big.log
printf 'huge log: %s MiB\n' "$(($(stat -c %s "$big") / 1048576))"
cat "$big" >/dev/null  # into the page cache, for every run alike
measure "extract --all" "$cli" extract --all "$big"
measure "extract job health" "$cli" extract \
  --select file,status,reason,nimag,lowest_freq,s2,converged "$big"
measure "thermo" "$cli" thermo "$big"
measure "plot ir (curve CSV)" "$cli" plot ir "$big" -o "$work/ir.csv"
measure "plot uv (curve CSV)" "$cli" plot uv "$big" -o "$work/uv.csv"
measure "scan (not a scan job)" "$cli" scan "$big"
