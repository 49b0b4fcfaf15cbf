#!/usr/bin/env python3
"""Writes the JSON of `extract --format json` (standard input) in the layout of
tests/golden/json: one key of a record per line, each element of an array on
a line of its own, compact."""
import json
import sys

records = json.load(sys.stdin)


def compact(value):
    return json.dumps(value, ensure_ascii=False, separators=(",", ":"))


out = ["["]
for r, record in enumerate(records):
    out.append(" {")
    keys = list(record)
    for k, key in enumerate(keys):
        value = record[key]
        end = "," if k + 1 < len(keys) else ""
        if isinstance(value, list) and value:
            out.append(f"  {compact(key)}: [")
            for i, item in enumerate(value):
                out.append("   " + compact(item) + ("," if i + 1 < len(value) else ""))
            out.append("  ]" + end)
        else:
            out.append(f"  {compact(key)}: {compact(value)}{end}")
    out.append(" }" + ("," if r + 1 < len(records) else ""))
out.append("]")
sys.stdout.write("\n".join(out) + "\n")
