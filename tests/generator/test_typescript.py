"""The generated TypeScript declarations type a reader of the wire text: the reader
compiles with tsc --strict (and the misuses it marks do not), runs under node, and finds
in written samples what Python finds in them."""

import json
import os
import shutil
import subprocess
import unittest

PMTOOL = os.environ.get("PMTOOL")
TSC = os.environ.get("TSC")
NODE = os.environ.get("NODE")
WORK = os.environ.get("WORK_DIR")
READER = os.path.join(os.path.dirname(__file__), "..", "typescript", "reader.ts")


def run(*args):
    r = subprocess.run(args, capture_output=True, text=True)
    if r.returncode != 0:
        raise AssertionError(f"{' '.join(args)}:\n{r.stdout}\n{r.stderr}")
    return r.stdout


def expected(lines):
    """What the reader prints, found by reading the samples here."""
    out, models = [], 0
    for line in lines:
        bag = json.loads(line)
        models += len(bag)
        if z := bag.get("ZoneVisibilityFromFieldPresModel"):
            name = z["SelectedFieldNameAndCaption"]["FieldName"]
            units = len(name.encode("utf-16-le", "surrogatepass")) // 2
            out.append(f"zone {int(z['ZoneID'])} {str(z['IsZoneVisibilityFromFieldChecked'] == 'true').lower()} {units}")
        if b := bag.get("StyledBoxPresModel"):
            out.append(f"box {b['BorderStyle']} {b.get('BorderStyleTop', 'unset')} {b['FillColor']}")
        if s := bag.get("DataSourcePresModel"):
            out.append(f"source {len(s['Fields'])} [{','.join(f['Type'] for f in s['Fields'])}]"
                       f" {len(s['CustomOrders'])}")
    return out + [f"models {models}"]


@unittest.skipUnless(PMTOOL and WORK, "PMTOOL names the built tool, WORK_DIR a folder to work in")
class Reader(unittest.TestCase):
    def test_reader_compiles_strict_and_reads_samples(self):
        self.assertTrue(TSC and os.path.exists(TSC), "tsc not found: scripts/setup.sh installs node-typescript")
        self.assertTrue(NODE and os.path.exists(NODE), "node not found: scripts/setup.sh installs nodejs")
        shutil.rmtree(WORK, ignore_errors=True)
        os.makedirs(WORK)
        with open(os.path.join(WORK, "presmodel.d.ts"), "w", encoding="utf-8") as f:
            f.write(run(PMTOOL, "typescript"))
        shutil.copy(READER, WORK)
        run(TSC, "--strict", "--noUnusedLocals", "--target", "es2020", "--module", "commonjs",
            "--lib", "es2020,dom", "--outDir", WORK, os.path.join(WORK, "reader.ts"))
        samples = run(PMTOOL, "samples", "--seed", "3") + run(PMTOOL, "samples", "--seed", "4")
        path = os.path.join(WORK, "samples.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(samples)
        printed = run(NODE, os.path.join(WORK, "reader.js"), path).splitlines()
        want = expected(samples.splitlines())
        self.assertEqual(printed, want)
        self.assertGreater(len(want), 4)


if __name__ == "__main__":
    unittest.main()
