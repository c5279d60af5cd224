"""What the web reader's tests share: the tools from the environment, running them, reading
and comparing their results."""

import json
import os
import re
import subprocess

PMTOOL = os.environ.get("PMTOOL")
NODE = os.environ.get("NODE")
TSC = os.environ.get("TSC")
CHROMIUM = os.environ.get("CHROMIUM")
WEB_READER = os.environ.get("WEB_READER")  # the built package folder
WORK = os.environ.get("WORK_DIR")
HERE = os.path.dirname(os.path.abspath(__file__))
READBACK = os.path.join(HERE, "readback.mjs")


def require(test, *tools):
    """Fails the test when the web reader or a tool it needs is missing."""
    found = {"NODE": NODE, "TSC": TSC, "CHROMIUM": CHROMIUM}
    for tool in tools:
        test.assertTrue(found[tool] and os.path.exists(found[tool]),
                        f"{tool.lower()} not found: scripts/setup.sh installs it")
    test.assertTrue(WEB_READER and os.path.exists(os.path.join(WEB_READER, "presmodel.js")),
                    "the web reader is not built: its build needs tsc (node-typescript)")


def run(*args, stdin=None):
    r = subprocess.run(args, capture_output=True, input=stdin)
    if r.returncode != 0:
        raise AssertionError(f"{' '.join(map(str, args))}:\n{r.stdout.decode(errors='replace')}\n"
                             f"{r.stderr.decode(errors='replace')}")
    return r.stdout.decode("utf-8", "surrogatepass")


def write_lines(path, texts):
    """Texts one per line, in UTF-8 (lone surrogates as their three bytes, as the writer's texts
    never hold them: it escapes them)."""
    with open(path, "w", encoding="utf-8", errors="surrogatepass", newline="\n") as f:
        for t in texts:
            f.write(t + "\n")


def results(output):
    return [json.loads(line) for line in output.split("\n")[:-1]]


def pmtool_read(path, lenient=False):
    """`pmtool read --batch` of every line: what the C++ reader and writer make of each text."""
    return results(run(PMTOOL, "read", "--batch", *(["--lenient"] if lenient else []), path))


def web_read(path, lenient=False, event_by_event=False, interpreted=False, ways=False):
    """The same from the web reader (tests/web/readback.mjs); with `ways`, each result says which
    way the reader took."""
    flags = ((["--lenient"] if lenient else []) + (["--event-by-event"] if event_by_event else [])
             + (["--interpreted"] if interpreted else []) + (["--ways"] if ways else []))
    return results(run(NODE, READBACK, WEB_READER, path, *flags))


_FRESH = re.compile(r"\{[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}\}")


def masked(result, text):
    """A result with the identifiers that are not in the text read replaced: the starting value
    of some identifiers is a fresh random one (a page cache's), different on every read."""
    out = dict(result)
    if "text" in out:
        out["text"] = _FRESH.sub(lambda m: m.group(0) if m.group(0) in text else "{fresh}", out["text"])
    return out


def differences(texts, want, got):
    """(index, text, C++ result, web result) of every text whose results differ, and the number
    of texts that compared equal only with fresh identifiers masked."""
    assert len(want) == len(got) == len(texts), (len(texts), len(want), len(got))
    diffs, fresh = [], 0
    for i, (t, a, b) in enumerate(zip(texts, want, got)):
        if a == b:
            continue
        if masked(a, t) == masked(b, t):
            fresh += 1
            continue
        diffs.append((i, t, a, b))
    return diffs, fresh


def describe(diffs, limit=5):
    lines = [f"{len(diffs)} texts differ"]
    for i, t, a, b in diffs[:limit]:
        lines += [f"#{i}: {t[:300]!r}", f"  C++: {json.dumps(a, ensure_ascii=False)[:600]}",
                  f"  web: {json.dumps(b, ensure_ascii=False)[:600]}"]
    return "\n".join(lines)


def parameter_names():
    names = {}
    for line in run(PMTOOL, "params").splitlines():
        pid, name = line.split("\t")
        names[name] = int(pid, 16)
    return names


def listing():
    return json.loads(run(PMTOOL, "listing"))


def samples(seeds):
    out = []
    for seed in seeds:
        out += run(PMTOOL, "samples", "--seed", str(seed)).split("\n")[:-1]
    return out
