"""The command-line tool's output formats are a contract: scripts read them."""

import json
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


    def test_help_names_every_command_and_each_command_has_its_own(self):
        r = run("--help")
        self.assertEqual((r.returncode, r.stderr), (0, ""))
        commands = [l.split()[0] for l in r.stdout.splitlines()[1:] if l.startswith("  ")]
        self.assertIn("compat", commands)
        for c in commands:
            with self.subTest(c):
                h = run(c, "--help")
                self.assertEqual(h.returncode, 0)
                self.assertTrue(h.stdout.startswith(f"usage: pmtool {c}"), h.stdout)
                self.assertGreater(len(h.stdout.splitlines()), 2)
        self.assertEqual(run("help", "compat").stdout, run("compat", "-h").stdout)

    def test_misspelt_names_get_the_closest(self):
        for args, closest in [
            (("model", "ZoneVisibiltyFromFieldPresModel"), "ZoneVisibilityFromFieldPresModel"),
            (("sample", "zonevisibilityfromfieldpresmodel"), "ZoneVisibilityFromFieldPresModel"),
            (("enum", "ActonType"), "ActionType"),
            (("schema", "ActonType"), "ActionType"),
            (("param", "ZoneId"), "ZoneID"),
            (("modles",), "models"),
        ]:
            with self.subTest(args):
                r = run(*args)
                self.assertEqual(r.returncode, 2)
                self.assertRegex(r.stderr, r"^pmtool: unknown \w+( or \w+)? '[^']+'; did you mean " + closest + r"\b")
        r = run("read", stdin='{"ZoneVisibilityFromFieldPresModel":{"ZoneId":"7"}}')
        self.assertEqual(r.returncode, 1)
        self.assertIn("unknown parameter name 'ZoneId'; did you mean ZoneID", r.stderr)
        self.assertEqual(run("model", "Qqqqqqqqqqqqqqqqqq").stderr, "pmtool: unknown model 'Qqqqqqqqqqqqqqqqqq'\n")

    def test_errors_name_their_place_and_lenient_reads_list_what_they_skip(self):
        r = run("read", stdin='{"ZoneVisibilityFromFieldPresModel":{"SelectedFieldNameAndCaption":{"FieldName":7}}}')
        self.assertEqual(r.returncode, 1)
        self.assertIn("pmtool: at: ZoneVisibilityFromFieldPresModel > SelectedFieldNameAndCaption\n", r.stderr)
        known = '"ZoneID":"7","SelectedFieldNameAndCaption":{"FieldCaption":"c"}}}'
        newer = '{"ZoneVisibilityFromFieldPresModel":{"Newer":{"x":[1]},' + known
        self.assertEqual(run("read", stdin=newer).returncode, 1)
        r = run("read", "--lenient", stdin=newer)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.stderr, "skipped: byte 44, ZoneVisibilityFromFieldPresModel: unknown parameter name 'Newer'\n")
        self.assertEqual(r.stdout, run("read", stdin='{"ZoneVisibilityFromFieldPresModel":{' + known).stdout)

    def test_pretty_changes_only_white_space(self):
        compact = run("sample", "DataSourcePresModel", "--seed", "2").stdout
        pretty = run("pretty", stdin=compact)
        self.assertEqual(pretty.returncode, 0)
        self.assertGreater(len(pretty.stdout.splitlines()), 20)
        self.assertIn('\n  "DataSourcePresModel": {\n    "', pretty.stdout)
        self.assertEqual(run("read", stdin=pretty.stdout).stdout, compact)
        self.assertEqual(json.loads(pretty.stdout), json.loads(compact))
        self.assertEqual(run("pretty", stdin='{"x":').returncode, 1)

    def test_param_lists_every_use(self):
        lines = run("param", "0xd6ccfec3").stdout.splitlines()
        self.assertEqual(lines[0], "0xd6ccfec3\tSelectedFieldNameAndCaption")
        self.assertIn("ZoneVisibilityFromFieldPresModel\tSelectedFieldNameAndCaption\tnested structure", lines)
        self.assertIn("FieldCaptionPairPresModel\t-\tdefault id", run("param", "FieldCaptionPairPresModel").stdout)


if __name__ == "__main__":
    unittest.main()
