#!/usr/bin/env python3
"""Writes a synthetic catalogue of model descriptions at the application's full scale: today's
families, then variants of them under fresh model names and parameter ids, until the
catalogue holds the number of models asked for. It measures what the library costs at that
scale (scripts/build-cost.py, the scale-library target); it is made at build time and never
committed.

    scripts/synthetic-catalogue.py OUT_DIR [--models 1150] [--list-outputs]

Variant k of a family renames each of its models X...PresModel to X...S<k>PresModel and maps
every parameter id it uses (default, member, item and type ids) to a fresh id of the same
block, the same fresh id wherever the family used the same id, so that the variant keeps the
family's shape: its hierarchies, shared ids and dispatch values. A variant refers to the
enumerations and to the models of other families as they are. Hand-written operations do not
exist for variants: their `method` lines and hook options are left out.
"""

import argparse
import glob
import hashlib
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "generator"))
import descriptions as d  # noqa: E402

HOOK_OPTIONS = ("write-hook=", "read-hook=", "unless=")
ID = re.compile(r"0x([0-9a-fA-F]{8})")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def family_files():
    return sorted(glob.glob(os.path.join(ROOT, "descriptions", "models", "*.models")))


def models_of(path):
    return [m.group(1) for m in re.finditer(r"^model\s+(\w+)", read(path), re.M)]


def fresh_ids(text, variant, taken):
    """A fresh id per id of the family's text, in the same block, unused elsewhere."""
    mapping = {}
    for old in sorted({int(h, 16) for h in ID.findall(text)}):
        block = old & 0xFF000000
        if block not in (0xD6000000, 0xD9000000, 0xF1000000):
            continue
        salt = 0
        while True:
            digest = hashlib.sha256(f"{variant}:{old:08x}:{salt}".encode()).digest()
            new = block | int.from_bytes(digest[:3], "big")
            if new not in taken:
                break
            salt += 1
        taken.add(new)
        mapping[old] = new
    return mapping


def variant_text(path, variant, taken):
    text = read(path)
    names = models_of(path)
    ids = fresh_ids(text, variant, taken)
    rename = {n: n[: -len("PresModel")] + f"S{variant}PresModel" for n in names}
    name_re = re.compile(r"\b(" + "|".join(map(re.escape, sorted(names, key=len, reverse=True))) + r")\b")
    out = [f"# Variant {variant} of {os.path.relpath(path, ROOT)}, made by scripts/synthetic-catalogue.py.\n"]
    for line in text.splitlines(keepends=True):
        if re.match(r"\s+method\s", line):
            continue
        code = d.strip_comment(line.rstrip("\n"))
        if not code.strip():
            continue
        words = [w for w in code.split(" ") if not w.startswith(HOOK_OPTIONS)]
        code = " ".join(words)
        code = name_re.sub(lambda m: rename[m.group(1)], code)
        code = ID.sub(lambda m: f"0x{ids.get(int(m.group(1), 16), int(m.group(1), 16)):08x}", code)
        out.append(code + "\n")
    return "".join(out)


def plan(target):
    """[(variant, family file)] of the variants needed to reach `target` models, largest
    families first in each round."""
    files = family_files()
    counts = {p: len(models_of(p)) for p in files}
    total = sum(counts.values())
    out, variant = [], 0
    while total < target:
        variant += 1
        for p in sorted(files, key=lambda p: (-counts[p], p)):
            if total >= target:
                break
            out.append((variant, p))
            total += counts[p]
    return out, total


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--models", type=int, default=1150)
    ap.add_argument("--list-outputs", action="store_true")
    args = ap.parse_args(argv)
    variants, total = plan(args.models)
    outputs = [os.path.join(args.out, f"s{v}-{os.path.basename(p)}") for v, p in variants]
    if args.list_outputs:
        print("\n".join(o.replace("\\", "/") for o in outputs))
        return 0
    taken = {int(h, 16) for p in family_files() for h in ID.findall(read(p))}
    os.makedirs(args.out, exist_ok=True)
    for stale in set(glob.glob(os.path.join(args.out, "s*-*.models"))) - set(outputs):
        os.remove(stale)
    for (v, p), o in zip(variants, outputs):
        text = variant_text(p, v, taken)
        if not os.path.exists(o) or read(o) != text:
            with open(o, "w", encoding="utf-8") as f:
                f.write(text)
    print(f"{total} models: {len(family_files())} families and {len(variants)} variants of them", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
