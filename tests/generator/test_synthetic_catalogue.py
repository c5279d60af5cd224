"""Checks the synthetic catalogue that the scale measurement builds: it must reach the size
asked for, load as one catalogue beside today's, and keep each family's shape, so that what
it measures is what the same number of real models would cost."""

import contextlib
import glob
import io
import importlib.util
import os
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "generator"))
import descriptions as d  # noqa: E402

loader = importlib.util.spec_from_file_location("synthetic", os.path.join(ROOT, "scripts", "synthetic-catalogue.py"))
synthetic = importlib.util.module_from_spec(loader)
loader.loader.exec_module(synthetic)

ENUMS = sorted(glob.glob(os.path.join(ROOT, "descriptions", "enums", "*.enums")))
HOST_ENUMS = [os.path.join(ROOT, "platform", "enums", "host.enums")]
FAMILIES = sorted(glob.glob(os.path.join(ROOT, "descriptions", "models", "*.models")))


def ids_of(m):
    """Every parameter id a model's description uses, in a fixed order."""
    out = [m.default_id] + list(m.type_ids)
    for x in m.members:
        out += [x.id or 0, x.item_id]
    return out


class SyntheticCatalogue(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.out = cls.tmp.name
        synthetic.main([cls.out, "--models", "1150"])
        cls.variants = sorted(glob.glob(os.path.join(cls.out, "*.models")))
        cls.catalogue = d.load(ENUMS, FAMILIES + cls.variants, HOST_ENUMS)
        cls.models = dict(cls.catalogue.models)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_it_loads_beside_the_catalogue_at_the_size_asked_for(self):
        # The description reader refuses two classes under one default id and one id held
        # by two types, so loading is the check that no fresh id met an id in use.
        self.assertGreaterEqual(len(self.models), 1150)
        largest = max(len(synthetic.models_of(p)) for p in FAMILIES)
        self.assertLess(len(self.models), 1150 + largest)

    def test_a_variant_has_its_family_shape_under_fresh_ids(self):
        real_ids = {i for m in d.load(ENUMS, FAMILIES, HOST_ENUMS).models.values() for i in ids_of(m)}
        for path in self.variants:
            variant = int(os.path.basename(path)[1:].split("-", 1)[0])
            mapping = {}
            for name in synthetic.models_of(path):
                copy = self.models[name]
                def unrenamed(text):
                    return text.replace(f"S{variant}PresModel", "PresModel")
                original = self.models[unrenamed(name)]
                with self.subTest(model=name):
                    # A member named after a class of the family is renamed with it.
                    self.assertEqual([unrenamed(x.stem) for x in copy.members], [x.stem for x in original.members])
                    self.assertEqual([x.shape for x in copy.members], [x.shape for x in original.members])
                    self.assertEqual(copy.dispatch, original.dispatch)
                    self.assertEqual(copy.hierarchy, original.hierarchy)
                    self.assertEqual(copy.base is None, original.base is None)
                    for old, new in zip(ids_of(original), ids_of(copy)):
                        if old == 0 or not (old >> 24) in (0xD6, 0xD9, 0xF1):
                            continue
                        # The same fresh id wherever the family used the same id.
                        self.assertEqual(mapping.setdefault(old, new), new)
                        self.assertEqual(old >> 24, new >> 24, "a fresh id leaves its block")
                        self.assertNotIn(new, real_ids)
            self.assertEqual(len(set(mapping.values())), len(mapping), path)

    def test_it_is_written_the_same_each_time_and_old_variants_go(self):
        before = {p: synthetic.read(p) for p in self.variants}
        with tempfile.TemporaryDirectory() as out:
            synthetic.main([out, "--models", "1150"])
            again = {os.path.basename(p): synthetic.read(p)
                     for p in glob.glob(os.path.join(out, "*.models"))}
            self.assertEqual(again, {os.path.basename(p): t for p, t in before.items()})
            synthetic.main([out, "--models", "500"])
            fewer = sorted(glob.glob(os.path.join(out, "*.models")))
            self.assertLess(len(fewer), len(before))
            listed = io.StringIO()
            with contextlib.redirect_stdout(listed):
                synthetic.main([out, "--models", "500", "--list-outputs"])
            self.assertEqual(sorted(listed.getvalue().split()), fewer)


if __name__ == "__main__":
    unittest.main()
