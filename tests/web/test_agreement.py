"""The web reader and writer agree with the C++ ones, byte for byte: written samples read and
written back, texts broken in names, values, shapes and nesting refused (or read) alike with the
same place, strictly and leniently, and number texts written back in the same form. Every
text goes through both of the web reader's ways (the one for the writer's own text, and event
by event); samples and broken texts also with the engine's steps not made as code."""

import os
import random
import re
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import corpus  # noqa: E402
import support as s  # noqa: E402


@unittest.skipUnless(s.PMTOOL and s.WORK, "PMTOOL names the built tool, WORK_DIR a folder to work in")
class Agreement(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        s.require(unittest.TestCase(), "NODE")
        shutil.rmtree(s.WORK, ignore_errors=True)
        os.makedirs(s.WORK)
        cls.listing = s.listing()
        cls.names = s.parameter_names()
        ids = {name: pid for name, pid in cls.names.items()}
        by_id = {int(pid, 16): name for pid, name in cls.listing["names"].items()}
        cls.typed = {}  # parameter name -> the description type of its members
        for model in cls.listing["models"].values():
            for m in model["members"]:
                cls.typed.setdefault(by_id[int(m["id"], 16)], m["type"])
        cls.images = {n for n, t in cls.typed.items() if t in ("QImage", "QPixmap")}
        cls.enum_texts = sorted({t for e in cls.listing["enums"].values() for t in e["entries"].values()})
        assert ids

    def agree(self, name, texts, lenient=False, interpreted=False):
        path = os.path.join(s.WORK, name + ".txt")
        s.write_lines(path, texts)
        want = s.pmtool_read(path, lenient)
        ways = [(False, False), (True, False)] + ([(False, True)] if interpreted else [])
        for event_by_event, steps in ways:
            got = s.web_read(path, lenient, event_by_event=event_by_event, interpreted=steps)
            diffs, fresh = s.differences(texts, want, got)
            way = "event by event" if event_by_event else "as written" + (", steps interpreted" if steps else "")
            self.assertEqual(diffs, [], f"{name}, {way}: " + s.describe(diffs))
        errors = sum("text" not in r for r in want)
        print(f"{name}: {len(texts)} texts, {errors} refused or not written, {fresh} with a fresh identifier "
              f"masked, 0 differences", file=sys.stderr)
        return want

    def test_samples_read_and_written_back(self):
        texts = s.samples(range(1, 5))
        want = self.agree("samples", texts, interpreted=True)
        # Samples are what the writer writes: read back, they are written byte for byte again,
        # and the reader takes its fast way for all but those with escapes it leaves to the long
        # way (none: it takes escapes too).
        self.assertEqual([r.get("text") for r in want], texts)
        path = os.path.join(s.WORK, "samples.txt")
        slow = [t[:200] for t, r in zip(texts, s.web_read(path, ways=True)) if r["way"] != "fast"]
        self.assertEqual(slow, [], "texts as the writer wrote them read the long way")

    def test_broken_texts_strict_and_lenient(self):
        texts = corpus.corpus(s.samples([1, 2]), self.names, self.enum_texts, self.images, seed=11, per_text=3)
        self.assertGreater(len(texts), 4000)
        want = self.agree("broken", texts, interpreted=True)
        refused = sum(r.get("stage") == "read" for r in want)
        self.assertGreater(refused, len(texts) // 3)  # the corpus breaks most texts
        self.agree("broken-lenient", texts, lenient=True)

    def test_image_texts(self):
        """Image texts the web reader keeps (its text, padded as written) or refuses as the C++
        reader does; texts of other PNGs, which the library encodes again, are left out."""
        texts = []
        for text in s.samples([1]):
            for name in self.images:
                for m in re.finditer(re.escape(corpus.quote(name)) + r':"([^"]+)"', text):
                    image, body = m.group(1), m.group(1).rstrip("=")
                    for variant in (body, body + "=" * ((4 - len(body) % 4) % 4), image + "=", image + "==",
                                    body[:20] + "*" + body[21:], image + " ", image.lower(), "A" + image[1:], ""):
                        texts.append(text[:m.start(1)] + variant + text[m.end(1):])
        self.assertGreater(len(texts), 20)
        self.agree("images", texts)

    def test_number_texts(self):
        """Number members given many numbers: read as their type reads them, written back in the
        writer's shortest form."""
        r = random.Random(5)
        kinds = {"float": [], "double": [], "int": [], "uint": [], "int64": [], "uint64": []}
        for name, t in self.typed.items():
            if t in kinds:
                kinds[t].append(name)

        def number(kind):
            pick = r.random()
            if kind in ("float", "double"):
                if pick < 0.3:
                    return repr(r.uniform(-1e6, 1e6))
                if pick < 0.5:
                    return f"{r.uniform(-10, 10):.{r.randrange(1, 9)}e}{r.choice(['', '0'])}"
                if pick < 0.7:
                    return str(r.randrange(-10**r.randrange(1, 22), 10**r.randrange(1, 22)))
                if pick < 0.8:
                    return repr(r.choice([1e-5, 1e-4, 1e-3, 1e15, 1e16, 1e21, 123456789.0, 2**24 + 1, 2**31, 0.1, 1 / 3]))
                return "%.17g" % (r.random() * 10 ** r.randrange(-40, 40))
            lo, hi = {"int": (-2**31, 2**31), "uint": (0, 2**32), "int64": (-2**63, 2**63), "uint64": (0, 2**64)}[kind]
            return str(r.randrange(lo - 2, hi + 2))

        texts = []
        for text in s.samples([1]):
            for kind, names in kinds.items():
                for name in names:
                    for m in re.finditer(re.escape(corpus.quote(name)) + r':"([^"]*)"', text):
                        texts.append(text[:m.start(1)] + number(kind) + text[m.end(1):])
        self.assertGreater(len(texts), 500)
        self.agree("numbers", texts)


if __name__ == "__main__":
    unittest.main()
