"""pmtool compat over listings of pairs of small description sets: each kind of change that
breaks reading older text is an error, the safe ones are notes."""

import os
import subprocess
import sys
import tempfile
import unittest

PMTOOL = os.environ.get("PMTOOL")
PMGEN = os.path.join(os.path.dirname(__file__), "..", "..", "generator", "pmgen.py")

ENUMS = """
enum Colour default 1
  0 "red"
  1 "green"
  2 "blue"
"""

MODELS = """
model PairPresModel 0xf1000001
  Name   TString  0xd6000001
  Count  int      0xd6000002
model HolderPresModel 0xf1000002
  Pairs    [PairPresModel]  0xd6000003  item=0xd6000004
  Colour   Colour           0xd6000005  start="green"  opt
  Width    uint             0xd6000006  start=4
  Icon     uint             0xd6000007  via=int
  Value    DataValue        0xd6000008
  Shown    bool             0xd6000009
model ShapePresModel 0xf1000003 hierarchy dispatch=Kind type=0xd6000010
  Kind  DocParameterID  0xd6000011
model CirclePresModel 0xf1000004 : ShapePresModel type=0xd6000012
  Radius  int  0xd6000013
"""

NAMES = "0xd6000002 Count\n"

# (what changed, old text -> new text in the models, enums or names, expected line)
CASES = [
    ("parameter id", ("models", "Count  int      0xd6000002", "Count  int      0xd6000022"),
     "error: PairPresModel.Count: parameter id changed from 0xd6000002 to 0xd6000022"),
    ("parameter name", ("names", "0xd6000002 Count", "0xd6000002 Total"),
     "error: parameter 0xd6000002: name changed from Count to Total"),
    ("member type", ("models", "Count  int ", "Count  TString"),
     "error: PairPresModel.Count: type changed from int to TString"),
    ("encoding kind", ("models", "Value    DataValue        0xd6000008", "Value    DataValue        0xd6000008  ctx"),
     "error: HolderPresModel.Value: encoding kind changed from scalar text to contextual value"),
    ("text form", ("models", "0xd6000007  via=int", "0xd6000007"),
     "error: HolderPresModel.Icon: written as the text of uint, was int"),
    ("item id", ("models", "item=0xd6000004", "item=0xd6000014"),
     "error: HolderPresModel.Pairs: item id changed from 0xd6000004 to 0xd6000014"),
    ("start of a member left out when unset", ("models", 'start="green"  opt', 'start="blue"  opt'),
     "error: HolderPresModel.Colour: starting value changed from 1 to 2"),
    ("default id", ("models", "PairPresModel 0xf1000001", "PairPresModel 0xf1000011"),
     "error: PairPresModel: default id changed from 0xf1000001 to 0xf1000011"),
    ("discriminant value", ("models", "type=0xd6000012", "type=0xd6000014"),
     "error: CirclePresModel: discriminant value changed from 0xd6000012 to 0xd6000014"),
    ("member removed", ("models", "  Shown    bool             0xd6000009\n", ""),
     "error: HolderPresModel.Shown: member removed"),
    ("model removed", ("models", "model CirclePresModel 0xf1000004 : ShapePresModel type=0xd6000012\n  Radius  int  0xd6000013\n", ""),
     "error: model CirclePresModel removed"),
    ("enumeration text changed", ("enums", '2 "blue"', '2 "Blue"'),
     'error: Colour: the text of 2 changed from "blue" to "Blue"'),
    ("enumeration text removed", ("enums", '  2 "blue"\n', ""),
     'error: Colour: text "blue" (2) removed'),
    ("member added", ("models", "  Shown    bool             0xd6000009\n",
                      "  Shown    bool             0xd6000009\n  Hidden   bool  0xd6000019  opt\n"),
     "note: HolderPresModel.Hidden: member added"),
    ("enumeration value added", ("enums", '  2 "blue"\n', '  2 "blue"\n  3 "pink"\n'),
     'note: Colour: value 3 "pink" added'),
    ("presence", ("models", "Shown    bool             0xd6000009", "Shown    bool             0xd6000009  opt"),
     "note: HolderPresModel.Shown: presence changed from always to when set"),
    ("enumeration renumbered", ("enums", '2 "blue"', '7 "blue"'),
     'note: Colour: "blue" now stands for 7, was 2'),
]


def listing(tmp, tag, models, enums, names):
    paths = {}
    for kind, text in (("models", models), ("enums", enums), ("names", names)):
        paths[kind] = os.path.join(tmp, f"{tag}.{kind}")
        with open(paths[kind], "w") as f:
            f.write(text)
    out = os.path.join(tmp, f"{tag}.json")
    with open(out, "w") as f:
        subprocess.run([sys.executable, PMGEN, "--out", tmp, "--mode", "wiretypes", "--models", paths["models"],
                        "--enums", paths["enums"], "--names", paths["names"], "--print", "listing"],
                       stdout=f, check=True)
    return out


@unittest.skipUnless(PMTOOL, "PMTOOL names the built tool")
class Compat(unittest.TestCase):
    def compare(self, *changes, swap=False):
        texts = {"models": MODELS, "enums": ENUMS, "names": NAMES}
        new = dict(texts)
        for kind, old, replacement in changes:
            self.assertIn(old, new[kind])
            new[kind] = new[kind].replace(old, replacement, 1)
        if swap:
            texts, new = new, texts
        with tempfile.TemporaryDirectory() as tmp:
            a = listing(tmp, "old", texts["models"], texts["enums"], texts["names"])
            b = listing(tmp, "new", new["models"], new["enums"], new["names"])
            r = subprocess.run([PMTOOL, "compat", a, b], capture_output=True, text=True)
        return r.returncode, r.stdout.splitlines()

    def test_each_change(self):
        for name, change, line in CASES:
            with self.subTest(name):
                code, lines = self.compare(change)
                self.assertTrue(any(l.startswith(line) for l in lines), lines)
                errors = [l for l in lines if l.startswith("error:")]
                self.assertEqual(code, 3 if line.startswith("error:") else 0, lines)
                if line.startswith("note:"):
                    self.assertEqual(errors, [])

    def test_enumeration_removed_is_an_error_and_added_a_note(self):
        change = ("enums", ENUMS, ENUMS + 'enum Unused default 0\n  0 "x"\n')
        self.assertIn("note: enumeration Unused added", self.compare(change)[1])
        code, lines = self.compare(change, swap=True)
        self.assertEqual((code, lines[0]), (3, "error: enumeration Unused removed"))

    def test_safe_and_renamed(self):
        code, lines = self.compare(("models", "start=4", "start=5"))
        self.assertEqual((code, lines), (0, ["0 breaking changes, 0 notes"]))
        code, lines = self.compare(("models", "PairPresModel 0xf1000001", "NamedPairPresModel 0xf1000001"),
                                   ("models", "[PairPresModel]", "[NamedPairPresModel]"))
        self.assertIn("note: model PairPresModel renamed NamedPairPresModel (same default id)", lines)
        self.assertIn("error: HolderPresModel.Pairs: type changed from [PairPresModel] to [NamedPairPresModel]", lines)

    def test_the_tool_compares_with_its_own_listing_and_refuses_other_text(self):
        own = subprocess.run([PMTOOL, "listing"], capture_output=True, text=True, check=True).stdout
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "own.json")
            with open(path, "w") as f:
                f.write(own)
            r = subprocess.run([PMTOOL, "compat", path], capture_output=True, text=True)
            self.assertEqual((r.returncode, r.stdout), (0, "0 breaking changes, 0 notes\n"))
            r = subprocess.run([PMTOOL, "compat", "-"], input='{"listing": 1}', capture_output=True, text=True)
            self.assertEqual(r.returncode, 1)
            self.assertIn("not a listing", r.stderr)


if __name__ == "__main__":
    unittest.main()
