#!/usr/bin/env python3
"""What the models and enumerations cost: compile time per translation unit of the library
(from the build's .ninja_log, so the figures are those of the last build of each unit) and
the size of the shared library by section, per model and per enumeration, with a linear
projection to a given catalogue size.

    scripts/build-cost.py [BUILD_DIR] [--project MODELS]

Compile times are per unit as the build ran them: on a busy machine they grow; the sum is
CPU time spread over the build's parallel jobs, so a clean build on N cores takes at least
sum / N.
"""

import argparse
import glob
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def count(pattern, word):
    return sum(len(re.findall(rf"^{word} ", open(p, encoding="utf-8").read(), re.M))
               for p in glob.glob(os.path.join(ROOT, pattern)))


def unit_times(build):
    last = {}
    with open(os.path.join(build, ".ninja_log"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            start, end, _, target, *_ = line.rstrip("\n").split("\t")
            last[target] = (int(end) - int(start)) / 1000.0
    groups = {"generated serializers": 0.0, "generated models": 0.0, "generated enumerations": 0.0,
              "catalogue": 0.0, "hand-written and framework": 0.0}
    units = {k: 0 for k in groups}
    for target, seconds in last.items():
        if "/presmodel.dir/" not in target or not target.endswith(".o"):
            continue
        if "gen-serializers/" in target:
            g = "generated serializers"
        elif "/models/" in target:
            g = "generated models"
        elif "/enums/" in target:
            g = "generated enumerations"
        elif target.endswith("Catalogue.cpp.o"):
            g = "catalogue"
        else:
            g = "hand-written and framework"
        groups[g] += seconds
        units[g] += 1
    return groups, units


def sections(lib):
    out = subprocess.run(["size", "-A", lib], capture_output=True, text=True, check=True).stdout
    sizes = {}
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 2 and parts[0].startswith(".") and parts[1].isdigit():
            sizes[parts[0]] = int(parts[1])
    return sizes


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default=os.path.join(ROOT, "build"))
    ap.add_argument("--project", type=int, default=370, help="models to project to")
    args = ap.parse_args(argv)
    models = count("descriptions/models/*.models", "model")
    enums = count("descriptions/enums/*.enums", "enum")
    lib = os.path.join(args.build, "lib", "libpresmodel.so")
    groups, units = unit_times(args.build)
    total = sum(groups.values())
    print(f"catalogue: {models} models, {enums} enumerations")
    print("compile time of the library's units (last build of each):")
    for g, s in groups.items():
        print(f"  {g:28s} {units[g]:4d} units {s:8.1f} s")
    print(f"  {'all':28s} {sum(units.values()):4d} units {total:8.1f} s "
          f"(at least {total / 2 / 60:.1f} min on 2 cores)")
    print(f"  per model (models and serializers): "
          f"{(groups['generated serializers'] + groups['generated models']) / models:.2f} s; "
          f"per enumeration: {groups['generated enumerations'] / enums:.2f} s")
    sizes = sections(lib)
    file_size = os.path.getsize(lib)
    symbols = sum(sizes.get(s, 0) for s in (".dynsym", ".dynstr", ".gnu.hash", ".gnu.version"))
    code = sizes.get(".text", 0)
    print(f"{os.path.relpath(lib, ROOT)}: {file_size / 1e6:.1f} MB; code {code / 1e6:.1f} MB, "
          f"exported symbol tables {symbols / 1e6:.1f} MB, relocations {sizes.get('.rela.dyn', 0) / 1e6:.1f} MB, "
          f"unwind tables {(sizes.get('.eh_frame', 0) + sizes.get('.eh_frame_hdr', 0)) / 1e6:.1f} MB")
    per_model = file_size / models
    print(f"  per model (everything over the models): {per_model / 1e3:.1f} KB; code per model "
          f"{code / models / 1e3:.1f} KB")
    print(f"projection at {args.project} models: library {per_model * args.project / 1e6:.1f} MB, "
          f"clean build of the library at least {total * args.project / models / 2 / 60:.1f} min on 2 cores")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
