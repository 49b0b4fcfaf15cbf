#!/usr/bin/env bash
# Writes the expected outputs of runs.tsv with the zerlant-cli given (default
# build/bin/zerlant-cli), for review: tests/golden/stream/update.sh [CLI]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
cli=$(realpath "${1:-$root/build/bin/zerlant-cli}")
data=$(realpath "${ZERLANT_DATA:-$root/../shared/data}")
examples=$root/examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=()
while read -r f; do
  f=${f/#DATA\//$data/}
  files+=("${f/#EXAMPLES\//$examples/}")
done < "$here/files.txt"
grep -v '^#' "$here/runs.tsv" | while IFS=$'\t' read -r want status args; do
  out=$work/out.${want##*.}
  # shellcheck disable=SC2086
  set -- ${args//OUT/$work/out}
  got=0
  (cd "$work" && "$cli" extract "$@" "${files[@]}" >"$work/stdout" 2>"$work/stderr") || got=$?
  [[ "$got" == "$status" ]] || echo "$want: exit status $got, not $status" >&2
  if [[ "$args" == *OUT* ]]; then mv "$out" "$here/$want"; else mv "$work/stdout" "$here/$want"; fi
  sed -e "s|$data/|DATA/|g" -e "s|$examples/|EXAMPLES/|g" "$work/stderr" > "$here/$want.err"
done
