#!/usr/bin/python3
"""Compares the final geometry and the normal modes of `zerlant-cli extract
--format json` with cclib, an independent reader, on every .out/.log file of
a folder:

    scripts/peer-agreement.py [--cli build/bin/zerlant-cli] [--tol 1e-5] [--list] [DIR]

For each file cclib reads, the last geometry cclib holds must equal ours atom
by atom (atomic number and x, y, z within the tolerance), and every normal
mode must agree in its frequency and displacement vectors.  Where cclib's last
geometry is an earlier step (a composite job, a failed step, a scan), ours must
be the last orientation block the file prints, read here by a plain pattern.
Files cclib cannot read, or where it holds no geometry, are counted apart.
Exit status 1 when a file disagrees.  Run it with the system's Python, where
python3-cclib is installed."""
import argparse, json, os, re, subprocess, sys, warnings

warnings.filterwarnings("ignore")
try:
    import cclib
    import logging
except ImportError:
    sys.exit("cclib is not installed (Debian: python3-cclib)")

ap = argparse.ArgumentParser()
ap.add_argument("--cli", default="build/bin/zerlant-cli")
ap.add_argument("--tol", type=float, default=1e-5)
ap.add_argument("--list", action="store_true", help="name every disagreement")
ap.add_argument("dir", nargs="?", default="../shared/data")
args = ap.parse_args()

files = sorted(os.path.join(args.dir, f) for f in os.listdir(args.dir)
               if f.endswith((".out", ".log")))
out = subprocess.run([args.cli, "extract", "--select", "file,geometry,freq", "--format",
                      "json", "-j", "2", *files], capture_output=True, text=True)
ours = {r["file"]: r for r in json.loads(out.stdout)}

counts = {"geometry agrees": 0, "ours is the last printed": 0, "geometry differs": 0, "modes agree": 0, "modes differ": 0,
          "cclib cannot read": 0, "no geometry in one reader": 0}
problems = []


def close(a, b):
    return abs(a - b) <= args.tol


ORIENTATION = re.compile(r"(?:Standard|Input|Z-Matrix) orientation:.*?\n -+\n.*?\n.*?\n -+\n(.*?)\n -+",
                         re.S)


def last_printed(path):
    """The atoms (number, x, y, z) of the last orientation block of the file."""
    text = open(path, encoding="latin-1").read()
    blocks = ORIENTATION.findall(text)
    if not blocks:
        return []
    atoms = []
    for line in blocks[-1].splitlines():
        f = line.split()
        atoms.append((int(f[1]), *map(float, f[-3:])))
    return atoms


def same_atoms(geometry, numbers, coords):
    return len(coords) == len(geometry) and all(
        a["atomic_number"] == numbers[i] and close(a["x_angstrom"], coords[i][0])
        and close(a["y_angstrom"], coords[i][1]) and close(a["z_angstrom"], coords[i][2])
        for i, a in enumerate(geometry))


for path in files:
    name = os.path.basename(path)
    record = ours.get(name)
    try:
        data = cclib.io.ccread(path, loglevel=logging.CRITICAL)
    except Exception:
        data = None
    if data is None or record is None:
        counts["cclib cannot read"] += 1
        continue
    geometry = record.get("geometry") or []
    coords = getattr(data, "atomcoords", None)
    if not geometry or coords is None or len(coords) == 0:
        counts["no geometry in one reader"] += 1
    else:
        if same_atoms(geometry, list(getattr(data, "atomnos", [])), coords[-1]):
            counts["geometry agrees"] += 1
        else:
            printed = last_printed(path)
            if same_atoms(geometry, [a[0] for a in printed], [a[1:] for a in printed]):
                counts["ours is the last printed"] += 1
                problems.append(f"{name}: cclib holds another geometry as the last")
            else:
                counts["geometry differs"] += 1
                problems.append(f"{name}: final geometry differs")
    modes = record.get("frequencies") or []
    freqs = getattr(data, "vibfreqs", None)
    disps = getattr(data, "vibdisps", None)
    if modes and freqs is not None and disps is not None:
        same = len(modes) == len(freqs) and all(
            abs(m["frequency_cm-1"] - freqs[i]) <= 1e-3
            and len(m["displacements"]) == len(disps[i])
            and all(close(d["x"], disps[i][j][0]) and close(d["y"], disps[i][j][1])
                    and close(d["z"], disps[i][j][2]) for j, d in enumerate(m["displacements"]))
            for i, m in enumerate(modes))
        counts["modes agree" if same else "modes differ"] += 1
        if not same:
            problems.append(f"{name}: normal modes")
    elif bool(modes) != (freqs is not None):
        counts["modes differ"] += 1
        problems.append(f"{name}: normal modes in one reader only")

for k, v in counts.items():
    print(f"{k:28} {v}")
if args.list:
    print("\n".join(problems))
sys.exit(1 if counts["geometry differs"] or counts["modes differ"] else 0)
