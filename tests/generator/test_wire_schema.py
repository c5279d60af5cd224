"""The generated JSON Schema describes the wire text that the library writes: every sample
of every model validates against it, and broken texts do not."""

import copy
import json
import os
import subprocess
import sys
import unittest

import jsonschema

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
PMTOOL = os.environ.get("PMTOOL")
SAMPLES = os.environ.get("TEST_MODEL_SAMPLES")  # writes samples of the test models
WIRE_TYPES_DIR = os.environ.get("WIRE_TYPES_DIR")
SEEDS = range(1, 5)


def pmtool(*args):
    r = subprocess.run([PMTOOL, *args], capture_output=True, text=True)
    if r.returncode != 0:
        raise AssertionError(f"pmtool {' '.join(args)}: {r.stderr}")
    return r.stdout


def validator(schema):
    jsonschema.Draft202012Validator.check_schema(schema)
    return jsonschema.Draft202012Validator(schema)


def first_error(v, doc):
    errors = sorted(v.iter_errors(doc), key=lambda e: list(e.absolute_path))
    return f"{list(errors[0].absolute_path)}: {errors[0].message[:300]}" if errors else None


@unittest.skipUnless(PMTOOL, "PMTOOL names the built tool")
class LibrarySchema(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.text = pmtool("schema")
        cls.schema = json.loads(cls.text)
        cls.v = validator(cls.schema)
        cls.models = [l.split("\t")[0] for l in pmtool("models").splitlines()]

    def test_every_sample_of_every_model_validates(self):
        for seed in SEEDS:
            lines = pmtool("samples", "--seed", str(seed)).splitlines()
            self.assertEqual(len(lines), len(self.models))
            for model, line in zip(self.models, lines):
                with self.subTest(model=model, seed=seed):
                    self.assertIsNone(first_error(self.v, json.loads(line)))

    def test_one_definition_per_model_and_enumeration(self):
        defs = self.schema["$defs"]
        enums = [l.split("\t")[0] for l in pmtool("enums").splitlines()]
        self.assertLessEqual(set(self.models) | set(enums), set(defs))
        self.assertEqual(defs["ActionType"]["enum"][6], "group")

    def test_the_tool_prints_the_installed_file(self):
        if WIRE_TYPES_DIR:
            with open(os.path.join(WIRE_TYPES_DIR, "presmodel.schema.json"), encoding="utf-8") as f:
                self.assertEqual(self.text, f.read())

    def test_schema_of_one_model_holds_what_it_needs(self):
        one = json.loads(pmtool("schema", "ZoneVisibilityFromFieldPresModel"))
        self.assertIn("FieldCaptionPairPresModel", one["$defs"])
        self.assertNotIn("DataSourcePresModel", one["$defs"])
        v = validator(one)
        self.assertIsNone(first_error(v, json.loads(pmtool("sample", "ZoneVisibilityFromFieldPresModel"))))
        self.assertIsNotNone(first_error(v, json.loads(pmtool("sample", "FieldCaptionPairPresModel"))))
        self.assertEqual(json.loads(pmtool("schema", "ActionType"))["$ref"], "#/$defs/ActionType")

    def test_broken_texts_are_rejected(self):
        zone = json.loads(pmtool("sample", "ZoneVisibilityFromFieldPresModel"))
        box = json.loads(pmtool("sample", "StyledBoxPresModel"))
        source = json.loads(pmtool("sample", "DataSourcePresModel"))
        Z, B, D = "ZoneVisibilityFromFieldPresModel", "StyledBoxPresModel", "DataSourcePresModel"

        def edit(doc, f):
            doc = copy.deepcopy(doc)
            f(doc)
            return doc

        cases = [
            ("a number that is not text", zone, lambda d: d[Z].update(ZoneID=7)),
            ("a number that is not a number", zone, lambda d: d[Z].update(ZoneID="seven")),
            ("a negative unsigned number", zone, lambda d: d[Z].update(ZoneID="-1")),
            ("a flag that is not true or false", zone, lambda d: d[Z].update(CanSetZoneVisibilityFromField="yes")),
            ("a member written always left out", zone, lambda d: d[Z].pop("ErrorMessage")),
            ("a name no member has", zone, lambda d: d[Z].update(ErrorMesage="x")),
            ("a nested model as text", zone, lambda d: d[Z].update(SelectedFieldNameAndCaption="x")),
            ("a nested model as null", zone, lambda d: d[Z].update(SelectedFieldNameAndCaption=None)),
            ("a model under another's name", zone, lambda d: d.update(FieldCaptionPairPresModel=d.pop(Z))),
            ("an enumeration text no entry has", box, lambda d: d[B].update(BorderStyle="no-such-style")),
            ("a malformed colour", box, lambda d: d[B].update(BorderColor="red")),
            ("a list as an object", source, lambda d: d[D].update(CustomOrders={"a": "b"})),
            ("a null list item", source, lambda d: d[D]["Fields"].append(None)),
        ]
        for name, doc, change in cases:
            with self.subTest(name):
                self.assertIsNone(first_error(self.v, doc))
                self.assertIsNotNone(first_error(self.v, edit(doc, change)))


@unittest.skipUnless(SAMPLES, "TEST_MODEL_SAMPLES names the writer of test-model samples")
class EveryKind(unittest.TestCase):
    """The test models use every encoding kind and presence rule: embedded parameters,
    commands, contextual values, number vectors, maps with null entries, a dispatching
    family, a hand-written write step."""

    def test_samples_of_the_test_models_validate(self):
        d = lambda *p: os.path.join(ROOT, *p)
        listdir = lambda *p: sorted(d(*p, f) for f in os.listdir(d(*p)))
        args = ["--out", "unused", "--mode", "wiretypes", "--names", d("descriptions", "parameter-names.txt"),
                "--models", d("tests", "descriptions", "framework-test.models"),
                "--extern-enums", *listdir("descriptions", "enums"),
                "--extern-models", *listdir("descriptions", "models"),
                "--host-enums", d("platform", "enums", "host.enums"), "--print", "schema"]
        r = subprocess.run([sys.executable, d("generator", "pmgen.py"), *args], capture_output=True, text=True)
        self.assertEqual(r.returncode, 0, r.stderr)
        v = validator(json.loads(r.stdout))
        lines = subprocess.run([SAMPLES, "4"], capture_output=True, text=True, check=True).stdout.splitlines()
        self.assertGreater(len(lines), 0)
        for line in lines:
            doc = json.loads(line)
            with self.subTest(model=next(iter(doc))):
                self.assertIsNone(first_error(v, doc))


if __name__ == "__main__":
    unittest.main()
