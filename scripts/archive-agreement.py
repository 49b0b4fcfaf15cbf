#!/usr/bin/env python3
"""Compares the METHOD, BASIS SET and METHOD ENERGY columns of `zerlant-cli
extract` with each file's own archive entry of its final step (the last
"1\\1\\ ... \\\\@" block): the header fields name the method and basis that
Gaussian ran, and the energy block stores that method's energy.

    scripts/archive-agreement.py [--cli build/bin/zerlant-cli] [--list] [DIR]

Prints the agreement over every .out/.log file of DIR (default ../shared/data)
that has an archive entry and a normal termination, and with --list every
disagreement."""
import argparse, os, re, subprocess, sys

# The archive key that holds the energy of a method (header spelling, without
# R/U/RO prefix and -FC suffix); any other method stores it under HF.
ENERGY_KEYS = {
    "MP2": "MP2", "MP3": "MP3", "MP4D": "MP4D", "MP4DQ": "MP4DQ", "MP4SDQ": "MP4SDQ",
    "MP4SDTQ": "MP4SDTQ", "MP4": "MP4SDTQ", "MP5": "MP5", "CCD": "CCD", "CCSD": "CCSD",
    "CCSD(T)": "CCSD(T)", "QCISD": "QCISD", "QCISD(T)": "QCISD(T)", "QCISD(TQ)": "QCISD(TQ)",
    "CISD": "CISD", "CIS": "MP2", "BD": "BD", "BD(T)": "BD(T)",
    "G1": "G1", "G2": "G2", "G2MP2": "G2MP2", "G3": "G3", "G3MP2": "G3MP2", "G3B3": "G3B3",
    "G3MP2B3": "G3MP2B3", "G4": "G4", "G4MP2": "G4MP2", "CBS-QB3": "CBSQB3",
    "CBS-4M": "CBS4", "CBS-Q": "CBSQ", "CBS-APNO": "CBSAPNO", "W1BD": "W1BD", "W1U": "W1U",
    "W1RO": "W1RO",
}
DOUBLE_HYBRIDS = re.compile(r"^(B2PLYP|MPW2PLYP|B2GPPLYP|DSDPBEP86|PBE0DH|PBEQIDH)", re.I)
SYNONYMS = {"LSDA": "SVWN", "SVWN": "SVWN", "PBE0": "PBE1PBE", "WB97XD": "WB97XD"}


def archives(data):
    text = data.decode("latin-1").replace("\r\n", "\n").replace("\r", "\n")
    lines = text.split("\n")
    out, i = [], 0
    while i < len(lines):
        if lines[i].startswith(" 1\\1\\"):
            buf = []
            while i < len(lines):
                buf.append(lines[i][1:] if lines[i].startswith(" ") else lines[i])
                if "\\\\@" in "".join(buf[-2:]):
                    break
                i += 1
            out.append("".join(buf).split("\\\\@")[0])
        i += 1
    return out


def norm_method(m):
    m = m.upper().strip().split(" ")[0]
    m = re.sub(r"-FC$|\(FC\)$|-FULL$|\(FULL\)$", "", m)
    m = re.sub(r"^(R|U|RO)?TD-", "", m)
    if not m.startswith("ONIOM"):
        for p in ("RO", "R", "U"):
            rest = m[len(p):]
            if m.startswith(p) and rest and (rest in SYNONYMS or re.match(r"[A-Z0-9]", rest)) \
                    and not re.match(r"^(O|OHF)$", rest) and not m in ("UFF", "RHF"[:0]):
                if m in ("UFF",):
                    break
                m = rest
                break
    m = re.sub(r"-FC$", "", m)
    m = {"MP4": "MP4SDTQ", "MP4(SDTQ)": "MP4SDTQ", "MP4(SDQ)": "MP4SDQ", "MP4(DQ)": "MP4DQ"}.get(m, m)
    return SYNONYMS.get(m, m)


def norm_basis(b):
    b = b.upper().strip().split("/")[0]
    b = b.replace("**", "(D,P)").replace("*", "(D)")
    return b


def expected(arch):
    secs = arch.split("\\\\")
    head = secs[0].split("\\")
    if len(head) < 6:
        return None
    method = head[4]
    basis = head[6] if head[5].upper().startswith("TD") and len(head) > 6 else head[5]
    energies = {}
    for s in secs:
        if "Version=" in s:
            for kv in s.split("\\"):
                if "=" in kv:
                    k, v = kv.split("=", 1)
                    energies.setdefault(k.strip().upper(), v)
    m = norm_method(method)
    key = ENERGY_KEYS.get(m, "MP2" if DOUBLE_HYBRIDS.match(m) else "HF")
    value = energies.get(key) or energies.get("HF")
    try:
        # a relaxed scan stores a list of energies: no one energy to compare
        value = float(value) if value and "," not in value else None
    except ValueError:
        value = None
    if value == 0.0:
        value = None
    return method, basis, value


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dir", nargs="?", default=os.path.join(os.path.dirname(__file__), "../../shared/data"))
    ap.add_argument("--cli", default=os.path.join(os.path.dirname(__file__), "../build/bin/zerlant-cli"))
    ap.add_argument("--list", action="store_true")
    a = ap.parse_args()
    files = sorted(f for f in os.listdir(a.dir) if re.search(r"\.(out|log)$", f, re.I))
    want = {}
    for f in files:
        data = open(os.path.join(a.dir, f), "rb").read()
        arch = archives(data)
        if arch and b"Normal termination" in data:
            e = expected(arch[-1])
            if e:
                want[f] = e
    paths = [os.path.join(a.dir, f) for f in want]
    r = subprocess.run([a.cli, "extract", "--lang", "English", "--decimal-separator", ".",
                        "--select", "file,method,basis,energy-method"] + paths,
                       capture_output=True, text=True, errors="replace")
    got = {}
    for line in r.stdout.splitlines()[1:]:
        c = line.split(";")
        if len(c) >= 4:
            got[c[0]] = c[1:4]
    n = len(want)
    ok = {"method": 0, "basis": 0, "energy": 0}
    energy_n = 0
    for f, (method, basis, value) in want.items():
        g = got.get(f)
        if not g:
            if a.list:
                print(f"{f}: no row (skipped as a scan?)")
            n -= 1
            continue
        gm, gb, ge = g
        good_m = norm_method(gm) == norm_method(method) if gm else False
        good_b = norm_basis(gb) == norm_basis(basis) if gb else False
        try:
            good_e = value is None or abs(float(ge) - value) < 5e-7
        except ValueError:
            good_e = False
        energy_n += value is not None
        ok["method"] += good_m
        ok["basis"] += good_b
        ok["energy"] += good_e and value is not None
        if a.list and not (good_m and good_b and good_e):
            print(f"{f}: method {gm!r} vs {method!r}{'' if good_m else ' X'}; basis {gb!r} vs "
                  f"{basis!r}{'' if good_b else ' X'}; energy {ge} vs {value}{'' if good_e else ' X'}")
    for k, v in ok.items():
        total = energy_n if k == "energy" else n
        print(f"{k:7s} agrees on {v}/{total} files ({100.0 * v / max(total, 1):.1f} %)")
    print(f"({n} files with a final archive entry and a row; energies compared where the entry "
          f"holds one number for the method)")


if __name__ == "__main__":
    main()
