"""Broken wire texts for the agreement of the two readers: written samples changed in their
names, values, shapes and nesting, and in the text itself, the same for a given seed."""

import json
import random

# Texts a value may be changed to: numbers at and past their limits and in other spellings,
# flags, colours, identifiers, data values and parameter ids in forms the readers take or
# refuse.
VALUE_TEXTS = [
    "", "x", "0", "-0", "007", "-1", "1.5", ".5", "5.", "-.5", "1e5", "1E+5", "1e400", "-1e400", "1e-400",
    "1e-320", "3.4e38", "3.5e38", "1e-46", "+1", " 1", "1 ", "0x10", "nan", "-nan", "inf", "-inf", "NaN",
    "INF", "Infinity", "-Infinity", "nan(1)", "2147483647", "2147483648", "-2147483648", "-2147483649",
    "4294967295", "4294967296", "9223372036854775807", "9223372036854775808", "-9223372036854775809",
    "18446744073709551615", "18446744073709551616", "1" * 70, "true", "false", "TRUE", "True",
    "#00000000", "#ffffffff", "#FFFFFFFF", "#-1000000", "#12345678;3", "#12345678;x", "#1234567",
    "rgba(1,2,3,4)", "rgba(-1,-1,-1,255)", "rgba(300,0,0,0);5", "rgba(1,2,3)", "rgba( 1,2,3,4)", "red",
    "{00112233-4455-6677-8899-aabbccddeeff}", "{00112233-4455-6677-8899-AABBCCDDEEFF}",
    "00112233-4455-6677-8899-aabbccddeeff", "{00112233-4455-6677-8899-aabbccddeef}", "{not-a-uuid}",
    "%null%", "%b:true", "%b:1", "%i:42", "%i:x", "%i:99999999999999999999", "%r:2.5", "%r:1e5", "%r:x",
    "%s:%a", "%q", "%", "%%", "plain text", "0x00000000", "0xd620d6ca", "0xD620D6CA", "0xffffffff",
    "ZoneID", "ZonePresModel", "FieldPresModel", "Dimension", "DrawGroup", "iVBORw0KGgo=", "iVBORw0KGgoAAAA",
    "!!!!", "AAAA", "\u00e9t\u00e9", "\U0001f4ca", "\ud800", "a\nb", "tab\there", "quote\"d", "back\\slash",
]
# What a value may be replaced by, in another shape.
SHAPES = [{}, [], None, 7, True, ["x"], [["x"]], [None], [{}], [1], {"x": "y"}, [[]]]


class Text:
    """A tree of a wire text: objects as lists of (key, value) pairs, so that names may repeat."""

    @staticmethod
    def parse(text):
        return json.loads(text, object_pairs_hook=lambda pairs: Obj(pairs))

    @staticmethod
    def dump(v):
        if isinstance(v, Obj):
            return "{" + ",".join(quote(k) + ":" + Text.dump(x) for k, x in v.pairs) + "}"
        if isinstance(v, list):
            return "[" + ",".join(Text.dump(x) for x in v) + "]"
        if isinstance(v, str):
            return quote(v)
        if v is None:
            return "null"
        if v is True:
            return "true"
        if v is False:
            return "false"
        return str(v)


class Obj:
    def __init__(self, pairs):
        self.pairs = list(pairs)


def quote(s):
    """A JSON string as the library's writer escapes it."""
    out = ['"']
    i = 0
    while i < len(s):
        c = s[i]
        o = ord(c)
        if c == '"':
            out.append('\\"')
        elif c == "\\":
            out.append("\\\\")
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == "\r":
            out.append("\\r")
        elif o < 0x20:
            out.append(f"\\u{o:04x}")
        elif 0xD800 <= o < 0xE000:
            out.append(f"\\u{o:04x}")
        else:
            out.append(c)
        i += 1
    return "".join(out) + '"'


PNG = "iVBORw0KGgo"  # how the base64 text of every PNG starts


def is_image(v):
    return isinstance(v, str) and v.startswith(PNG)


def places(v, path=()):
    """Every (container, index) of the tree, objects by pair index, arrays by item index."""
    out = []
    if isinstance(v, Obj):
        for i, (_, x) in enumerate(v.pairs):
            out.append((v, i))
            out += places(x)
    elif isinstance(v, list):
        for i, x in enumerate(v):
            out.append((v, i))
            out += places(x)
    return out


def get(c, i):
    return c.pairs[i][1] if isinstance(c, Obj) else c[i]


def put(c, i, x):
    if isinstance(c, Obj):
        c.pairs[i] = (c.pairs[i][0], x)
    else:
        c[i] = x


class Mutator:
    """`images`: the names of image parameters, whose texts are left alone: the library's image
    codec reads any PNG and writes its own encoding of the pixels, which the web reader, holding
    the text, does not reproduce."""

    def __init__(self, names, enum_texts, images, seed):
        self.names = names  # {name: id}
        self.name_list = sorted(names)
        self.enum_texts = enum_texts
        self.images = images
        self.r = random.Random(seed)

    def value(self):
        r = self.r
        pick = r.random()
        if pick < 0.55:
            return r.choice(VALUE_TEXTS)
        if pick < 0.8:
            return r.choice(self.enum_texts)
        return r.choice(self.name_list)

    def tree(self, text):
        """The text changed in one place of its tree."""
        r = self.r
        root = Text.parse(text)
        ps = [(c, i) for c, i in places(root) if not (isinstance(c, Obj) and c.pairs[i][0] in self.images)
              and not is_image(get(c, i))]
        ps = ps[1:] or ps  # leave the outer bag's one model in place, most often
        c, i = r.choice(ps)
        op = r.randrange(12)
        if isinstance(c, Obj):
            key, v = c.pairs[i]
            if op == 0:
                del c.pairs[i]
            elif op == 1:
                c.pairs[i] = ("X" + key, v)
            elif op == 2:
                c.pairs.insert(i + 1, (key, v))
            elif op == 3 and key in self.names:
                c.pairs[i] = (r.choice([f"0x{self.names[key]:08x}", f"0x{self.names[key]:08X}"]), v)
            elif op == 4:
                c.pairs[i] = (r.choice(self.name_list), v)
            elif op in (5, 6, 7) and isinstance(v, str):
                put(c, i, self.value())
            elif op == 8:
                put(c, i, json.loads(json.dumps(r.choice(SHAPES)), object_pairs_hook=Obj))
            elif op == 9:
                put(c, i, Obj([(key, v)]) if r.random() < 0.5 else [v])
            elif op == 10 and isinstance(v, Obj) and v.pairs:
                # a member of the nested structure moved up into this one
                c.pairs.insert(i + 1, r.choice(v.pairs))
            else:
                put(c, i, self.value() if isinstance(v, str) else json.loads(json.dumps(r.choice(SHAPES)), object_pairs_hook=Obj))
        else:
            v = c[i]
            if op < 3:
                del c[i]
            elif op < 5:
                c.insert(i, v)
            elif op < 9 and isinstance(v, str):
                c[i] = self.value()
            else:
                c[i] = json.loads(json.dumps(r.choice(SHAPES)), object_pairs_hook=Obj)
        return Text.dump(root)

    def chars(self, text):
        """The text changed as text: cut, white space, escapes, stray characters."""
        r = self.r
        op = r.randrange(9)
        at = r.randrange(len(text))
        q = text.find('"' + PNG)  # not inside an image's text
        while q >= 0:
            end = text.find('"', q + 1)
            if q <= at <= end:
                at = q
            q = text.find('"' + PNG, end + 1)
        if op == 0:
            return text[:at]
        if op == 1:
            # white space between tokens: still wire text, read the long way
            for _ in range(20):
                at = r.randrange(1, len(text))
                if text[at] in "{}[],:" or text[at - 1] in "{}[],:":
                    return text[:at] + r.choice([" ", "\n", "\t", "\r\n  "]) + text[at:]
            return " " + text + "\n"
        if op == 2:
            return text[:at] + r.choice("{}[],:\"x0-tn\\") + text[at:]
        if op == 3:
            return text[:at] + text[at + 1:]
        if op == 4:
            return text + r.choice(["{}", " x", ",", "]", "\"a\"", "1", "null", "[]", "true", "\u0000"])
        if op == 5:
            # an escape for a plain character of a text, or for a lone surrogate
            q = text.find('":"', at)
            if q < 0 or text.startswith(PNG, q + 3):
                return text
            q += 3
            if text[q] == '"':
                return text
            esc = r.choice([f"\\u{ord(text[q]):04x}", f"\\u{ord(text[q]):04X}", "\\/", "\\ud800", "\\udc00x",
                            "\\ud83d\\udcca", "\\u00", "\\x", "\\uZZZZ", "\\ud800\\u0041", "\u0001"])
            return text[:q] + esc + (text[q + 1:] if esc.startswith("\\u") and len(esc) == 6 and esc[2:4] == "00" else text[q:])
        if op == 6:
            # a number or a flag for a text
            q = text.find('":"', at)
            if q < 0 or text.startswith(PNG, q + 3):
                return text
            e = text.find('"', q + 3)
            return text[:q + 2] + r.choice(["1", "-0.5e3", "true", "false", "null", "-", "01", "1.", "1e", "1e999",
                                            "9" * 400, "0.1e-99999999999"]) + text[e + 1:]
        if op == 7:
            return "\ufeff" + text if r.random() < 0.5 else ""
        return text.replace('":"', '" : "', 1)


def deep(depth):
    """A model holding a newer writer's deeply nested value under an unknown name."""
    return '{"ZoneVisibilityFromFieldPresModel":{"Newer":' + "[" * depth + "]" * depth + "}}"


def nested(levels):
    """Zones holding zones in their embedded parameters, `levels` deep: as the writer writes
    them, up to the reader's nesting limit and past it."""
    return '{"ZonePresModel":' + '{"PresModelHolder":{"ZonePresModel":' * levels + "{}" + "}}" * levels + "}"


def corpus(samples, names, enum_texts, images, seed, per_text):
    """Broken texts from the samples: per sample `per_text` changes of its tree and of its text;
    and the empty bag of every model (every member at its starting value)."""
    m = Mutator(names, enum_texts, images, seed)
    out = []
    for text in samples:
        for _ in range(per_text):
            out.append(m.tree(text))
            out.append(m.chars(text))
        bag = Text.parse(text)
        out.append("{" + quote(bag.pairs[0][0]) + ":{}}")
    out += [deep(198), deep(199), deep(250), nested(98), nested(99), nested(100), nested(120),
            "", " ", "[]", "\"x\"", "7", "{}", "{}{}", "{} {}", "{}[]", "{}\"x\""]
    return [t for t in out if "\n" not in t]
