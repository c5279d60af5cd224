"""The viewer page in a real browser: headless Chromium opens the page carrying the demo
dashboard's text, and carrying a broken text; the page shows the model tree (classes, values,
absent members) or the error with pmtool's offset, reason and place. Screenshots of both are
kept in WORK_DIR."""

import html
import json
import os
import re
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import support as s  # noqa: E402

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"]


def page_with(text, name):
    """The viewer page carrying a text."""
    with open(os.path.join(s.WEB_READER, "viewer.html"), encoding="utf-8") as f:
        page = f.read()
    carried = (f'<script type="application/json" id="wire-text" data-name="{html.escape(name)}">'
               + json.dumps(text).replace("</", "<\\/") + "</script>")
    return page.replace("<!-- wire-text -->", carried)


def chromium(url, *extra):
    profile = os.path.join(s.WORK, "profile")
    shutil.rmtree(profile, ignore_errors=True)
    r = subprocess.run([s.CHROMIUM, *FLAGS, f"--user-data-dir={profile}", "--virtual-time-budget=10000", *extra, url],
                       capture_output=True, timeout=120)
    if r.returncode != 0:
        raise AssertionError(f"chromium: {r.stderr.decode(errors='replace')[-2000:]}")
    return r.stdout.decode("utf-8", "replace")


def shown(dom, element_id):
    """The text of an element of the dumped page (tags dropped)."""
    m = re.search(rf'<div id="{element_id}"[^>]*>(.*?)</div>\s*<div id="out"', dom, re.S)
    return html.unescape(re.sub(r"<[^>]+>", " ", m.group(1))) if m else ""


@unittest.skipUnless(s.PMTOOL and s.WORK, "PMTOOL names the built tool, WORK_DIR a folder to work in")
class Viewer(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        s.require(unittest.TestCase(), "CHROMIUM")
        shutil.rmtree(s.WORK, ignore_errors=True)
        os.makedirs(s.WORK)

    def open(self, text, name):
        path = os.path.join(s.WORK, f"viewer-{name}.html")
        with open(path, "w", encoding="utf-8") as f:
            f.write(page_with(text, name))
        url = "file://" + os.path.abspath(path)
        dom = chromium(url, "--dump-dom")
        chromium(url, "--window-size=1200,900", f"--screenshot={os.path.join(s.WORK, f'viewer-{name}.png')}")
        png = os.path.join(s.WORK, f"viewer-{name}.png")
        self.assertGreater(os.path.getsize(png), 10000, "the screenshot is empty")
        return dom

    def test_dashboard_tree(self):
        text = s.run(s.PMTOOL, "demo", "--text").rstrip("\n")
        dom = self.open(text, "dashboard")
        status = shown(dom, "status")
        self.assertIn("written again: the same text", status)
        self.assertRegex(status, r"models shown: [1-9]")
        self.assertIn('<span class="class">DashboardPresModel</span>', dom)
        self.assertIn('<span class="class">ZonePresModel</span>', dom)
        # a member read from the text, with its value, and one absent from it
        zone_id = json.loads(text)["DashboardPresModel"]["ActiveZoneID"]
        self.assertRegex(dom, rf'<span class="key"[^>]*>ActiveZoneID</span><span class="sep">: </span><span class="value">{zone_id}</span>')
        self.assertRegex(dom, r'<div class="row member absent"><span class="key"[^>]*>\w+</span>')
        self.assertIn("absent: starting value", dom)

    def test_broken_text_shows_the_error_and_its_place(self):
        text = s.run(s.PMTOOL, "demo", "--text").rstrip("\n")
        broken = text.replace('"LayoutType":"basic"', '"LayoutType":"no-such-layout"', 1)
        self.assertNotEqual(broken, text)
        cases = os.path.join(s.WORK, "broken.txt")
        s.write_lines(cases, [broken])
        error = s.pmtool_read(cases)[0]
        dom = self.open(broken, "broken")
        status = shown(dom, "status")
        self.assertIn('id="status" class="error"', dom)
        self.assertIn(f"wire text, byte {error['offset']}: {error['reason']}", status)
        self.assertIn(f"at: {error['path']}", status)
        self.assertIn("<mark>", dom)


if __name__ == "__main__":
    unittest.main()
