#!/usr/bin/env python3
"""What the models and enumerations cost: compile time per translation unit of the library
(from the build's .ninja_log, so the figures are those of the last build of each unit) and
the size of the shared library by section, per model and per enumeration, with a linear
projection to a given catalogue size.

    scripts/build-cost.py [BUILD_DIR] [--project MODELS]
    scripts/build-cost.py [BUILD_DIR] --scale

With --scale it builds the library and the library of the synthetic catalogue at the
application's full scale (target presmodel_scale, scripts/synthetic-catalogue.py) from
clean, one after the other, and prints the figures of both, the wall time of each clean
build and what each model beyond today's catalogue adds.

Compile times are per unit as the build ran them, beside the build's other jobs: on a busy
machine, or with two jobs on two hardware threads of one core, they grow, so their sum is
more than the wall time of the build times its jobs; --scale measures that wall time.
"""

import argparse
import glob
import os
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def count(pattern, word):
    return sum(len(re.findall(rf"^{word} ", open(p, encoding="utf-8").read(), re.M))
               for p in glob.glob(os.path.join(ROOT, pattern)))


def unit_times(build, target="presmodel"):
    last = {}
    with open(os.path.join(build, ".ninja_log"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            start, end, _, unit, *_ = line.rstrip("\n").split("\t")
            last[unit] = (int(end) - int(start)) / 1000.0
    groups = {"generated serializers": 0.0, "generated models": 0.0, "generated enumerations": 0.0,
              "catalogue": 0.0, "hand-written and framework": 0.0}
    units = {k: 0 for k in groups}
    for unit, seconds in last.items():
        if f"/{target}.dir/" not in unit or not unit.endswith(".o"):
            continue
        if "gen-serializers/" in unit:
            g = "generated serializers"
        elif "/models/" in unit:
            g = "generated models"
        elif "/enums/" in unit:
            g = "generated enumerations"
        elif unit.endswith("Catalogue.cpp.o"):
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


def report(build, target, models, enums, wall=None):
    """Prints the figures of one library; returns (file size, compile time of its units)."""
    lib = os.path.join(build, "lib", f"lib{target}.so")
    groups, units = unit_times(build, target)
    total = sum(groups.values())
    print(f"{target}: {models} models, {enums} enumerations")
    if wall is not None:
        print(f"  clean build of the library: {wall / 60:.1f} min wall time "
              f"({os.cpu_count()} hardware threads)")
    print("  compile time of the library's units (last build of each):")
    for g, sec in groups.items():
        print(f"    {g:28s} {units[g]:4d} units {sec:8.1f} s")
    print(f"    {'all':28s} {sum(units.values()):4d} units {total:8.1f} s "
          f"(each unit's time as it ran beside the others)")
    print(f"    per model (models and serializers): "
          f"{(groups['generated serializers'] + groups['generated models']) / models:.2f} s; "
          f"per enumeration: {groups['generated enumerations'] / enums:.2f} s")
    sizes = sections(lib)
    file_size = os.path.getsize(lib)
    symbols = sum(sizes.get(x, 0) for x in (".dynsym", ".dynstr", ".gnu.hash", ".gnu.version"))
    code = sizes.get(".text", 0)
    loaded = sum(v for k, v in sizes.items() if k not in (".symtab", ".strtab", ".shstrtab", ".comment")
                 and not k.startswith(".debug"))
    print(f"  {os.path.relpath(lib, build)}: {file_size / 1e6:.1f} MB ({loaded / 1e6:.1f} MB loaded); "
          f"code {code / 1e6:.1f} MB, exported symbol tables {symbols / 1e6:.1f} MB, "
          f"relocations {(sizes.get('.rela.dyn', 0) + sizes.get('.relr.dyn', 0)) / 1e6:.1f} MB, "
          f"unwind tables {(sizes.get('.eh_frame', 0) + sizes.get('.eh_frame_hdr', 0)) / 1e6:.1f} MB, "
          f"read-only data {(sizes.get('.rodata', 0) + sizes.get('.data.rel.ro', 0)) / 1e6:.1f} MB")
    print(f"    per model (everything over the models): {file_size / models / 1e3:.1f} KB; code per model "
          f"{code / models / 1e3:.1f} KB")
    return file_size, total


def clean_build(build, target):
    """Removes the library's objects and builds it again; returns the wall time."""
    for o in glob.glob(os.path.join(build, "**", f"{target}.dir", "**", "*.o"), recursive=True):
        os.remove(o)
    lib = os.path.join(build, "lib", f"lib{target}.so")
    if os.path.exists(lib):
        os.remove(lib)
    subprocess.run(["ninja", "-C", build, "vqxplatform"], check=True, stdout=subprocess.DEVNULL)
    start = time.monotonic()
    subprocess.run(["ninja", "-C", build, target], check=True, stdout=subprocess.DEVNULL)
    return time.monotonic() - start


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default=os.path.join(ROOT, "build"))
    ap.add_argument("--project", type=int, default=1150, help="models to project to")
    ap.add_argument("--scale", action="store_true", help="build both libraries from clean and compare")
    args = ap.parse_args(argv)
    models = count("descriptions/models/*.models", "model")
    enums = count("descriptions/enums/*.enums", "enum")
    if not args.scale:
        size, total = report(args.build, "presmodel", models, enums)
        print(f"projection at {args.project} models: library {size / models * args.project / 1e6:.1f} MB, "
              f"units' compile time {total * args.project / models / 60:.1f} min")
        return 0
    print(f"load average before: {' '.join(f'{x:.2f}' for x in os.getloadavg())}")
    walls = {t: clean_build(args.build, t) for t in ("presmodel", "presmodel_scale")}
    scale_models = models + sum(
        len(re.findall(r"^model ", open(p, encoding="utf-8").read(), re.M))
        for p in glob.glob(os.path.join(args.build, "scale", "descriptions", "*.models")))
    size, total = report(args.build, "presmodel", models, enums, walls["presmodel"])
    scale_size, scale_total = report(args.build, "presmodel_scale", scale_models, enums, walls["presmodel_scale"])
    added = scale_models - models
    print(f"each model beyond today's catalogue adds {(scale_size - size) / added / 1e3:.1f} KB to the library, "
          f"{(scale_total - total) / added:.2f} s of compile time and "
          f"{(walls['presmodel_scale'] - walls['presmodel']) / added:.2f} s of wall time")
    print(f"load average after: {' '.join(f'{x:.2f}' for x in os.getloadavg())}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
