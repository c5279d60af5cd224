"""Checks that the description reader refuses what it must refuse."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "generator"))
import descriptions as d  # noqa: E402

ENUMS = """
enum Colour default 1
  0 "red"
  1 "green"
"""


def load(models, enums=ENUMS):
    with tempfile.TemporaryDirectory() as tmp:
        e = os.path.join(tmp, "t.enums")
        m = os.path.join(tmp, "t.models")
        with open(e, "w") as f:
            f.write(enums)
        with open(m, "w") as f:
            f.write(models)
        return d.load([e], [m])


# A kind-map root for the cases below.
ROOT = "model APresModel 0xf1000001 hierarchy dispatch=Kind fallback=APresModel\n  Kind DocParameterID 0xd6000010\n"


class Refusals(unittest.TestCase):
    CASES = [
        ("shared id, other type", "model APresModel 0xf1000001\n  X int 0xd6000001\n  Y TString 0xd6000001\n",
         "holds TString here but int"),
        ("shared default id", "model APresModel 0xf1000001\nmodel BPresModel 0xf1000001\n", "also belongs to"),
        ("default id outside 0xf1", "model APresModel 0xd1000001\n", "0xf1 block"),
        ("member id outside 0xd6/0xd9", "model APresModel 0xf1000001\n  X int 0xd7000001\n", "0xd6 or 0xd9"),
        ("structure list without item id", "model APresModel 0xf1000001\n  Xs [APresModel] 0xd6000001\n", "item="),
        ("unknown type", "model APresModel 0xf1000001\n  X Widget 0xd6000001\n", "unknown type"),
        ("unknown base", "model APresModel 0xf1000001 : BPresModel\n", "unknown base"),
        ("list stem without s", "model APresModel 0xf1000001\n  Item [int] 0xd6000001\n", "ends in 's'"),
        ("guard on no member", "model APresModel 0xf1000001\n  X int 0xd6000001 if=Nope\n", "not a member"),
        ("same stem twice", "model APresModel 0xf1000001\n  X int 0xd6000001\n  X int 0xd6000002\n", "two members"),
        ("type outside a dispatching family", "model APresModel 0xf1000001 type=0xd6000009\n", "dispatching"),
        ("item id shared with another class",
         "model APresModel 0xf1000001\n  Xs [APresModel] 0xd6000001 item=0xd6000002\n"
         "model BPresModel 0xf1000002\n  Ys [BPresModel] 0xd6000003 item=0xd6000002\n", "holds BPresModel"),
        ("fallback on a plain model", "model APresModel 0xf1000001 fallback=APresModel\n", "dispatching roots"),
        ("fallback outside the family",
         ROOT.replace("fallback=APresModel", "fallback=BPresModel") + "model BPresModel 0xf1000002\n",
         "not a class of"),
        ("view of a class below", ROOT.replace("fallback=APresModel", "fallback=BPresModel")
         + "model BPresModel 0xf1000002 : APresModel type=0xd6000011 view=CPresModel\n"
         "model CPresModel 0xf1000003 : BPresModel type=0xd6000012\n", "class above"),
        ("two classes, one type value", ROOT + "model BPresModel 0xf1000002 : APresModel type=0xd6000011\n"
         "model CPresModel 0xf1000003 : APresModel type=0xd6000012,0xd6000011\n", "share a type value"),
        ("start of no inherited member", ROOT + "model BPresModel 0xf1000002 : APresModel start:Kinds=0xd6000011\n",
         "names no member"),
        ("unless on a member without parameter",
         "model APresModel 0xf1000001\n  X int - unless=IsEmpty\n", "no wire options"),
        ("list of value structures", "model APresModel 0xf1000001\n  Panes [PaneId] 0xd6000001 item=0xd6000002\n",
         "not supported"),
    ]

    def test_refusals(self):
        for name, text, message in self.CASES:
            with self.subTest(name):
                with self.assertRaises(d.DescriptionError) as cm:
                    load(text)
                self.assertIn(message, str(cm.exception))

    def test_enum_refusals(self):
        for text, message in [
            ('enum E default 0\n  0 "a"\n  0 "b"\n', "assigned twice"),
            ('enum E default 0\n  0 "a"\n  1 "a"\n', "texts repeated"),
            ('enum E default 0 flags\n  3 "a"\n', "single bit"),
            ('enum E default 0\n  1 "a" replaces\n', "replaces nothing"),
        ]:
            with self.subTest(text):
                with self.assertRaises(d.DescriptionError) as cm:
                    load("", text)
                self.assertIn(message, str(cm.exception))

    def test_a_replaced_value_keeps_the_later_text(self):
        cat = load("", 'enum E default 0\n  0 "first"\n  0 "second" replaces\n  1 "one"\n')
        self.assertEqual(cat.enums["E"].entries, [(0, "second"), (1, "one")])


class Accepted(unittest.TestCase):
    def test_kinds_follow_from_types(self):
        cat = load(
            "model APresModel 0xf1000001\n"
            "  Flag bool 0xd6000001\n  Name TString 0xd6000002\n  Colour Colour 0xd6000003 start=\"red\"\n"
            "  Child APresModel 0xd6000004 opt\n  Kids2s [APresModel] 0xd6000005 item=0xd6000006\n"
            "  Names [TString] 0xd6000007\n  Sizes vec<int> 0xd6000008\n  Labels {TString} 0xd6000009\n"
            "  Kids {APresModel} 0xd600000a\n  Bag Parameters 0xd600000b\n  Menu Commands 0xd600000c\n"
            "  Value DataValue 0xd600000d ctx\n  Scratch int -\n")
        kinds = {m.stem: m.kind for m in cat.models["APresModel"].members}
        self.assertEqual(kinds, {
            "Flag": "ScalarText", "Name": "PlainText", "Colour": "ScalarText", "Child": "NestedStructure",
            "Kids2s": "StructureList", "Names": "ScalarList", "Sizes": "NumberVector", "Labels": "TextMap",
            "Kids": "StructureMap", "Bag": "EmbeddedParameters", "Menu": "Command", "Value": "ContextualValue",
            "Scratch": "ScalarText"})


    def test_a_kind_map_gathers_every_value_and_view(self):
        cat = load(ROOT.replace("fallback=APresModel", "fallback=BPresModel")
                   + "model BPresModel 0xf1000002 : APresModel type=0xd6000011,0xd6000013 start:Kind=0xd6000011\n"
                   "model CPresModel 0xf1000003 : BPresModel type=0xd6000012 view=BPresModel\n"
                   "model DPresModel 0xf1000004 : APresModel\n  Pane PaneId 0xd6000020\n"
                   "  Columns {DataColumn} 0xd6000021\n  Icon QImage 0xd6000022\n")
        root = cat.models["APresModel"]
        self.assertEqual([(t, c.name, v.name if v else None) for t, c, v in root.concrete],
                         [(0xd6000011, "BPresModel", None), (0xd6000012, "CPresModel", "BPresModel"),
                          (0xd6000013, "BPresModel", None)])
        self.assertEqual(root.fallback_model.name, "BPresModel")
        self.assertEqual(cat.models["BPresModel"].starts, [("Kind", "0xd6000011")])
        kinds = {m.stem: m.kind for m in cat.models["DPresModel"].members}
        self.assertEqual(kinds, {"Pane": "NestedStructure", "Columns": "StructureMap", "Icon": "ScalarText"})


class ParameterNames(unittest.TestCase):
    def names(self, models, pinned=None):
        import pmgen
        return pmgen.Emitter(load(models), pinned).parameter_names()

    def test_a_pinned_name_survives_a_new_id_with_the_same_stem(self):
        one = "model APresModel 0xf1000001\n  X int 0xd6000001\n"
        two = one + "model BPresModel 0xf1000002\n  X float 0xd6000002\n"
        self.assertEqual(self.names(one)[0xd6000001], "X")
        self.assertEqual(self.names(two)[0xd6000001], "APresModel.X")  # derived names shift ...
        pinned = self.names(two, {0xd6000001: "X"})
        self.assertEqual(pinned[0xd6000001], "X")  # ... pinned ones do not
        self.assertEqual(pinned[0xd6000002], "BPresModel.X")
        self.assertEqual(len(set(pinned.values())), len(pinned))

    def test_an_id_without_a_pinned_name_must_be_marked_new(self):
        import pmgen
        pinned = {0xf1000001: "APresModel", 0xd6000001: "X"}
        typo = load("model APresModel 0xf1000001\n  X int 0xd6000001\n  Y int 0xd6000011\n")
        with self.assertRaises(d.DescriptionError) as cm:
            pmgen.check_pinned(typo, pinned)
        self.assertIn("0xd6000011 has no pinned name", str(cm.exception))
        pmgen.check_pinned(load("model APresModel 0xf1000001\n  X int 0xd6000001\n  Y int 0xd6000011 new\n"
                                "model BPresModel 0xf1000002 new\n  Bs [BPresModel] 0xd6000012 item=0xd6000013 new\n"),
                           pinned)
        with self.assertRaises(d.DescriptionError) as cm:
            pmgen.check_pinned(load("model APresModel 0xf1000001 new\n"), pinned)
        self.assertIn("drop 'new'", str(cm.exception))


if __name__ == "__main__":
    unittest.main()
