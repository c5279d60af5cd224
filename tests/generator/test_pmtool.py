"""The command-line tool's output formats are a contract: scripts read them."""

import os
import re
import subprocess
import unittest

PMTOOL = os.environ.get("PMTOOL")


def run(*args, stdin=None):
    return subprocess.run([PMTOOL, *args], input=stdin, capture_output=True, text=True)


@unittest.skipUnless(PMTOOL, "PMTOOL names the built tool")
class Contract(unittest.TestCase):
    def test_listings_have_their_columns(self):
        enums = run("enums").stdout.splitlines()
        library = [l for l in enums if not l.endswith("\thost")]
        self.assertEqual(len(library), 328)
        for line in enums:
            self.assertRegex(line, r"^[A-Za-z_][\w:]*\t-?\d+\t\d+(\thost)?$")
        for line in run("models").stdout.splitlines():
            self.assertRegex(line, r"^\w+PresModel\t0xf1[0-9a-f]{6}\t(\w+|->)$")
        for line in run("params").stdout.splitlines():
            self.assertRegex(line, r"^0x[0-9a-f]{8}\t\S+$")
        members = run("model", "ZoneVisibilityFromFieldPresModel").stdout.splitlines()
        self.assertEqual(members[3], "SelectedFieldNameAndCaption\t0xd6ccfec3\tnested structure\talways")

    def test_enum_lists_entries_in_value_order_then_the_default(self):
        lines = run("enum", "FormatPaneContext").stdout.splitlines()
        self.assertEqual(lines[-1], "default\t-1")
        values = [int(l.split("\t")[0]) for l in lines[:-1]]
        self.assertEqual(values, sorted(values))
        self.assertEqual(lines[0], "-1\tnone")

    def test_unknown_names_exit_2_other_errors_1(self):
        for args in (("enum", "NoSuchEnum"), ("model", "NoSuchPresModel"), ("trace", "NoSuchPresModel")):
            r = run(*args)
            self.assertEqual(r.returncode, 2, args)
            self.assertTrue(r.stderr)
        self.assertEqual(run("read", stdin='{"ZoneID":"x"}').returncode, 1)

    def test_trace_of_a_model_that_cannot_be_written_ends_with_the_error(self):
        r = run("trace", "ZoneVisibilityFromFieldPresModel")
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stdout.splitlines()[-1], "error: Null pointer dereferenced")
        self.assertIn("Begin SubStructure 0xd6ccfec3", r.stdout)

    def test_sample_is_deterministic_and_reads_back(self):
        a = run("sample", "ZoneVisibilityFromFieldPresModel", "--seed", "5").stdout
        self.assertEqual(a, run("sample", "ZoneVisibilityFromFieldPresModel", "--seed", "5").stdout)
        self.assertEqual(run("read", stdin=a).stdout, a)
        self.assertTrue(re.match(r'^\{"ZoneVisibilityFromFieldPresModel":\{', a))


if __name__ == "__main__":
    unittest.main()
