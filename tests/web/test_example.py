"""A web project's use of the module: tests/web/example.ts compiles with tsc --strict against
the package folder (the misuses it marks do not), runs under node, and finds in the demo
dashboard's text what the text holds; its errors and skipped names are pmtool's."""

import json
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import support as s  # noqa: E402

BROKEN = '{"DashboardPresModel":{"ActiveZoneID":"-1"}}'
NEWER = '{"DashboardPresModel":{"Newer":[1,{}],"ActiveZoneID":"4"}}'


@unittest.skipUnless(s.PMTOOL and s.WORK, "PMTOOL names the built tool, WORK_DIR a folder to work in")
class Example(unittest.TestCase):
    def test_example_compiles_strict_and_reads_the_dashboard(self):
        s.require(self, "NODE", "TSC")
        shutil.rmtree(s.WORK, ignore_errors=True)
        os.makedirs(os.path.join(s.WORK, "node_modules"))
        # The web project depends on the package folder.
        os.symlink(os.path.abspath(s.WEB_READER), os.path.join(s.WORK, "node_modules", "presmodel"))
        with open(os.path.join(s.WORK, "package.json"), "w") as f:
            f.write('{"type": "module", "dependencies": {"presmodel": "file:' + os.path.abspath(s.WEB_READER) + '"}}\n')
        for name in ("example.ts", "node.d.ts"):
            shutil.copy(os.path.join(s.HERE, name), s.WORK)
        s.run(s.TSC, "--strict", "--noUnusedLocals", "--target", "es2020", "--module", "es2020",
              "--moduleResolution", "node", "--lib", "es2020", "--outDir", os.path.join(s.WORK, "out"),
              os.path.join(s.WORK, "example.ts"), os.path.join(s.WORK, "node.d.ts"))
        text = s.run(s.PMTOOL, "demo", "--text").rstrip("\n")
        path = os.path.join(s.WORK, "dashboard.txt")
        s.write_lines(path, [text])
        printed = s.run(s.NODE, os.path.join(s.WORK, "out", "example.js"), path, BROKEN, NEWER).splitlines()

        dashboard = json.loads(text)["DashboardPresModel"]
        zones = sorted(int(z["ZoneID"]) for z in dashboard["Zones"].values())

        def count_items(items):
            return sum(1 + count_items(i.get("DrawItems", [])) for i in items)

        scenes = [z.get("PresModelHolder", {}).get("VisualPresModel", {}).get("Scene") for z in dashboard["Zones"].values()]
        items = sum(count_items(v["DrawItems"]) for sc in scenes if sc for v in sc.get("DrawFirsts", []))
        self.assertGreater(items, 0)

        self.assertEqual(printed[0], "zones " + ",".join(map(str, zones)))
        self.assertEqual(printed[1], f"active {int(dashboard['ActiveZoneID']) + 1}")
        self.assertEqual(printed[2], "zone-1 " + dashboard["Zones"]["zone-1"]["ZoneCommon"]["LayoutType"])
        self.assertTrue(printed[3].startswith(f"draw items {items},"), printed[3])
        self.assertEqual(printed[4], "same true")
        self.assertEqual(printed[5], f"alone {len(dashboard['Zones'])}")
        self.assertEqual(printed[6], "new: Null pointer dereferenced at ZoneVisibilityFromFieldPresModel.SelectedFieldNameAndCaption")
        cases = os.path.join(s.WORK, "cases.txt")
        s.write_lines(cases, [BROKEN])
        error = s.pmtool_read(cases)[0]
        self.assertEqual(printed[7], f"error {error['offset']} {error['path']}: {error['reason']}")
        s.write_lines(cases, [NEWER])
        skipped = s.pmtool_read(cases, lenient=True)[0]["skipped"]
        self.assertEqual(printed[8], "lenient " + "; ".join(f"{k['offset']} {k['path']}: {k['reason']}" for k in skipped))


if __name__ == "__main__":
    unittest.main()
