"""Makes the viewer page: web/viewer.html with the web reader and the page's script inside it,
as one classic script (a page opened from a file loads no modules).

    bundle.py PAGE OUT JS...    JS: compiled modules in the order they depend on each other
"""

import re
import sys


def script(paths):
    """The modules as one script: their imports dropped (the names are in one scope), their
    exports made plain declarations."""
    out = []
    for path in paths:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        lines = []
        for line in text.split("\n"):
            if re.match(r"\s*import\s.*\sfrom\s+['\"][^'\"]+['\"];\s*$", line):
                continue
            if re.match(r"\s*export\s*(\*|\{[^}]*\})\s*(from\s+['\"][^'\"]+['\"])?\s*;\s*$", line):
                continue
            lines.append(re.sub(r"^export\s+(?=(const|let|var|function|class|async)\b)", "", line))
        body = "\n".join(lines)
        if path.endswith("viewer.js"):
            body = "(() => {\n" + body + "\n})();"
        out.append(f"// ---- {path.rsplit('/', 1)[-1]}\n{body}")
    js = "(() => {\n\"use strict\";\n" + "\n".join(out) + "\n})();\n"
    # Inside a script element no text may close it or open a comment.
    return js.replace("</", "<\\/").replace("<!--", "<\\!--")


def main(argv):
    page, out, *modules = argv
    with open(page, encoding="utf-8") as f:
        html = f.read()
    html = html.replace("<!-- script -->", script(modules))
    with open(out, "w", encoding="utf-8") as f:
        f.write(html)


if __name__ == "__main__":
    main(sys.argv[1:])
