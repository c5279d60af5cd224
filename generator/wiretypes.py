"""What readers of the wire text get from the descriptions: a JSON Schema of the text,
TypeScript declarations of it, and a listing of every model and enumeration that
`pmtool compat` compares between two versions.

All three cover every model and enumeration of the catalogue they are given. Keys are
the parameter names of docs/wire-format.md; every value is text.

- A model is an object holding its members (its base's first) under their names; a member
  is required when it is written on every write, optional when a presence rule may leave
  it out (maps are left out when empty; members never written are optional).
- A member whose model belongs to a hierarchy may hold any class of the family below it,
  written as that class.
- A model with a hand-written write step may carry parameters the descriptions do not list.
"""

import json
import re

import descriptions as d

DIALECT = "https://json-schema.org/draft/2020-12/schema"

INTEGER = {"type": "string", "pattern": r"^-?[0-9]+$"}
UNSIGNED = {"type": "string", "pattern": r"^[0-9]+$"}
REAL = {"type": "string", "pattern": r"^-?([0-9]+(\.[0-9]+)?(e[+-][0-9]+)?|inf|nan)$"}
UUID = {"type": "string", "pattern": r"^\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\}$"}
TEXT = {"type": "string"}

# The text of each form of value (descriptions.ValueType.text) and its TypeScript type.
TEXT_FORMS = {
    "flag": ({"enum": ["true", "false"]}, "FlagText"),
    "integer": (INTEGER, "IntegerText"),
    "unsigned": (UNSIGNED, "IntegerText"),
    "real": (REAL, "RealText"),
    "text": (TEXT, "string"),
    "uuid": (UUID, "UuidText"),
    "colour": ({"type": "string", "pattern": r"^(#[0-9a-f]{8}|rgba\(-?[0-9]+,-?[0-9]+,-?[0-9]+,-?[0-9]+\))(;-?[0-9]+)?$"},
               "ColorText"),
    # "%null%", "%b:true", "%i:42", "%r:2.5", "%s:%text", or a text that does not start with '%'
    "data-value": ({"type": "string", "pattern": r"^(%null%|%b:(true|false)|%i:-?[0-9]+|%r:.+|%s:[\s\S]*|[^%][\s\S]*|)$"},
                   "string"),
    "parameter-id": (None, "DocParameterID"),  # see parameter_id_schema
    "image": ({"type": "string", "contentEncoding": "base64", "contentMediaType": "image/png"}, "string"),
}
# The presentation layer's value structures (descriptions.HOST_STRUCTURES): the parameters their
# own structure serializer writes, each a text or a list of texts.
HOST_STRUCTURE_FIELDS = {
    "PaneId": [("PaneId.Row", UNSIGNED, "IntegerText"), ("PaneId.Column", UNSIGNED, "IntegerText")],
    "DataColumn": [("DataColumn.Name", TEXT, "string"), ("DataColumn.Values", {"type": "array", "items": TEXT}, "string[]")],
}
VALUE_DEF_PREFIX = "text:"  # definitions of value texts, apart from model and enumeration names
WIRE_VALUE = "WireValue"    # any parameter of an embedded bag
MODEL_BAG = "ModelBag"      # the outermost bag: models under their default ids


def value_text(typ):
    """(schema, TypeScript type) of the text of a value type; any text for other types."""
    return TEXT_FORMS[d.VALUE_TYPES[typ].text] if typ in d.VALUE_TYPES else (TEXT, "string")


def kind_word(kind):
    """'StructureList' -> 'structure list', as the tools print encoding kinds."""
    return re.sub(r"(?<!^)([A-Z])", r" \1", kind).lower()


def _pointer(name):
    return "#/$defs/" + name.replace("~", "~0").replace("/", "~1")


def ref(name):
    return {"$ref": _pointer(name)}


class WireTypes:
    def __init__(self, cat, names):
        self.cat = cat
        self.names = names  # parameter id -> name
        self.models = sorted(cat.models.values(), key=lambda m: m.name)
        self.enums = sorted(cat.enums.values(), key=lambda e: e.name)
        clash = ({f"{VALUE_DEF_PREFIX}{t}" for t in d.VALUE_TYPES} | {WIRE_VALUE, MODEL_BAG}) & (
            {m.name for m in self.models} | {e.name for e in self.enums})
        if clash:
            raise d.DescriptionError(f"names reserved for wire types: {sorted(clash)}")
        self.below = {}  # model name -> classes of its hierarchy derived from it
        for m in self.models:
            b = m.base_model
            while b is not None and m.root is not None:
                self.below.setdefault(b.name, []).append(m)
                b = b.base_model

    # -- members as they travel

    def chain(self, m):
        out = []
        while m is not None:
            out.append(m)
            m = m.base_model
        return list(reversed(out))

    def wired(self, m):
        """(member, required) of every member on the wire, base members first."""
        out = []
        for level in self.chain(m):
            for mem in level.members:
                if mem.id is None:
                    continue
                out.append((mem, self.required(mem)))
        return out

    # Member options that leave a member written on every write; any other (opt, omit, if,
    # and options this module does not know) may leave it out.
    ALWAYS_OPTIONS = {"start", "item", "mapflag", "via", "ctx", "noread", "read-after", "elem", "elem-get"}

    @classmethod
    def presence(cls, mem):
        if "nowrite" in mem.opts:
            return "never"
        if mem.kind in ("TextMap", "StructureMap"):
            return "when not empty"
        if mem.kind == "Command":  # the command serializer writes nothing for a null command
            return "when set"
        if set(mem.opts) - cls.ALWAYS_OPTIONS:
            return "when set"
        return "always"

    def required(self, mem):
        return self.presence(mem) == "always"

    def hooked(self, m):
        return any(level.write_hook for level in self.chain(m))

    def text_type(self, mem):
        """The description type whose text a scalar travels as."""
        return mem.opts.get("via", mem.elem)

    def slot_classes(self, name):
        """The classes a member of model `name` may hold as they are written."""
        return [self.cat.models[name]] + sorted(self.below.get(name, []), key=lambda m: m.name)

    # -- JSON Schema

    def value_schema(self, typ):
        if typ in self.cat.enums:
            return ref(typ)
        return ref(VALUE_DEF_PREFIX + typ)

    def slot_schema(self, name):
        if name in d.EXTERNAL_MODELS:  # written by the command serializer
            return {"type": "array", "items": TEXT} if name == "Commands" else TEXT
        if name in d.HOST_STRUCTURES:
            return ref(VALUE_DEF_PREFIX + name)
        if name == "Tuple":  # the values' texts, in the tuple's order
            return {"type": "array", "items": ref(VALUE_DEF_PREFIX + "DataValue")}
        classes = self.slot_classes(name)
        if len(classes) == 1:
            return ref(name)
        return {"anyOf": [ref(c.name) for c in classes]}

    def member_schema(self, mem):
        k = mem.kind
        if k == "ScalarText":
            s = self.value_schema(self.text_type(mem))
        elif k in ("PlainText", "ContextualValue"):
            s = dict(TEXT)
        elif k in ("NestedStructure", "Command"):
            s = self.slot_schema(mem.elem)
        elif k == "StructureList":
            s = {"type": "array", "items": self.slot_schema(mem.elem)}
        elif k in ("ScalarList", "NumberVector"):
            s = {"type": "array", "items": self.value_schema(mem.elem)}
        elif k == "TextMap":
            s = {"type": "object", "additionalProperties": self.value_schema(mem.elem)}
        elif k == "StructureMap":
            s = {"type": "object", "additionalProperties": {"anyOf": [self.slot_schema(mem.elem), {"type": "null"}]}}
        elif k == "EmbeddedParameters":
            s = {"type": "object", "additionalProperties": ref(WIRE_VALUE)}
        else:  # a kind of member this module does not know yet: any wire value
            s = ref(WIRE_VALUE)
        s = dict(s)
        s["description"] = f"{mem.stem}: 0x{mem.id:08x}, {kind_word(k)}, {self.presence(mem)}"
        return s

    def model_schema(self, m):
        props, required = {}, []
        for mem, req in self.wired(m):
            key = self.names[mem.id]
            props[key] = self.member_schema(mem)
            if req and key not in required:
                required.append(key)
        s = {"type": "object", "description": f"{m.name}, default id 0x{m.default_id:08x}", "properties": props}
        if required:
            s["required"] = required
        s["additionalProperties"] = ref(WIRE_VALUE) if self.hooked(m) else False
        return s

    @staticmethod
    def enum_schema(e):
        return {"description": f"{e.name}, default {e.default}", "enum": [t for _, t in e.entries]}

    def parameter_id_schema(self):
        return {"type": "string", "anyOf": [{"enum": sorted(self.names.values())},
                                            {"pattern": r"^0x[0-9a-f]{8}$"}]}

    def model_bag_schema(self, models):
        return {"type": "object",
                "properties": {self.names[m.default_id]: self.slot_schema(m.name) for m in models},
                "additionalProperties": False}

    def definitions(self):
        """[(name, schema, names of the definitions it refers to)] of every definition."""
        defs = []
        for typ in d.VALUE_TYPES:
            schema = value_text(typ)[0]
            defs.append((VALUE_DEF_PREFIX + typ, self.parameter_id_schema() if schema is None else schema))
        defs.append((WIRE_VALUE, {"description": "any parameter of an embedded bag",
                                  "type": ["string", "array", "object", "null"],
                                  "items": ref(WIRE_VALUE), "additionalProperties": ref(WIRE_VALUE)}))
        for name, fields in HOST_STRUCTURE_FIELDS.items():
            defs.append((VALUE_DEF_PREFIX + name, {
                "description": f"{name}, a value structure", "type": "object",
                "properties": {key: schema for key, schema, _ in fields},
                "additionalProperties": False}))
        defs += [(e.name, self.enum_schema(e)) for e in self.enums]
        defs += [(m.name, self.model_schema(m)) for m in self.models]
        return [(name, s, sorted(set(refs_of(s)))) for name, s in defs]

    def root(self, only=None):
        """The schema's top without its definitions, and the names it refers to: of a bag of
        models under their default ids; with `only`, of the text of one model alone (as
        `pmtool write` prints it) or of one enumeration's texts."""
        doc = {"$schema": DIALECT, "title": "Presentation-model wire text"}
        if only is None:
            doc["description"] = ("A bag of presentation models, each under its default parameter id. "
                                  "Every value is text.")
            doc.update(self.model_bag_schema(self.models))
        elif only in self.cat.models:
            doc["description"] = f"{only} alone under its default parameter id"
            doc.update(self.model_bag_schema([self.cat.models[only]]))
            doc["required"] = [self.names[self.cat.models[only].default_id]]
        elif only in self.cat.enums:
            doc.update(ref(only))
        else:
            raise KeyError(only)
        return doc, sorted(set(refs_of(doc)))

    def schema(self, only=None):
        """The whole schema document (see root); with `only`, holding only the definitions
        its top needs."""
        defs = self.definitions()
        doc, refs = self.root(only)
        keep = closure(defs, refs) if only is not None else {n for n, _, _ in defs}
        doc["$defs"] = {n: s for n, s, _ in defs if n in keep}
        return doc

    # -- TypeScript

    def typescript(self):
        o = ["// Generated by generator/pmgen.py from the model and enumeration descriptions. Do not edit.",
             "// The wire text of presentation models: every value is text, numbers and flags included.",
             "",
             'export type FlagText = "true" | "false";',
             "/** Decimal digits, with a leading '-' when negative. */",
             "export type IntegerText = string;",
             "/** The shortest decimal form, or \"inf\", \"-inf\", \"nan\". */",
             "export type RealText = string;",
             "/** {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}, lower-case hexadecimal. */",
             "export type UuidText = string;",
             "/** #rrggbbaa, or rgba(r,g,b,a) for a colour outside the byte range; ';type' may follow. */",
             "export type ColorText = string;",
             "/** Any parameter of an embedded bag. */",
             "export type WireValue = string | WireValue[] | { [key: string]: WireValue | null };",
             "export interface WireBag { [name: string]: WireValue; }",
             "",
             "/** The name of a parameter id. */",
             "export type ParameterName ="]
        o += [f"  | {json.dumps(n, ensure_ascii=False)}" for n in sorted(self.names.values())] or ["  never"]
        o[-1] += ";"
        o += ["/** A parameter id: its name, or 0x and eight hexadecimal digits when it has none. */",
              "export type DocParameterID = ParameterName | `0x${string}`;", ""]
        for name, fields in HOST_STRUCTURE_FIELDS.items():
            o += [f"/** {name}, a value structure. */", f"export interface {name} {{"]
            o += [f"  {ts_key(key)}?: {ts};" for key, _, ts in fields]
            o += ["}", ""]
        for e in self.enums:
            o += self.ts_enum(e)
        for m in self.models:
            o += self.ts_model(m)
        o += ["/** A bag of models, each under its default parameter id. */", f"export interface {MODEL_BAG} {{"]
        o += [f"  {ts_key(self.names[m.default_id])}?: {self.ts_slot(m.name)};" for m in self.models]
        o += ["}", ""]
        return "\n".join(o)

    def ts_enum(self, e):
        texts = [json.dumps(t, ensure_ascii=False) for _, t in e.entries]
        body = " | ".join(texts) if texts else "never"
        parts = e.name.split("::")
        decl = f"export type {ts_ident(parts[-1])} = {body};"
        doc = f"/** {e.name}, default {e.default}. */"
        if len(parts) == 1:
            return [doc, decl]
        return [f"export namespace {'.'.join(ts_ident(p) for p in parts[:-1])} {{", f"  {doc}", f"  {decl}", "}"]

    def ts_type(self, typ):
        if typ in self.cat.enums:
            return ".".join(ts_ident(p) for p in typ.split("::"))
        return value_text(typ)[1]

    def ts_slot(self, name):
        if name in d.EXTERNAL_MODELS:
            return "string[]" if name == "Commands" else "string"
        if name == "Tuple":
            return "string[]"
        return name

    def ts_member(self, mem):
        k = mem.kind
        if k == "ScalarText":
            return self.ts_type(self.text_type(mem))
        if k in ("PlainText", "ContextualValue"):
            return "string"
        if k in ("NestedStructure", "Command"):
            return self.ts_slot(mem.elem)
        if k == "StructureList":
            return f"{self.ts_slot(mem.elem)}[]"
        if k in ("ScalarList", "NumberVector"):
            t = self.ts_type(mem.elem)
            return f"({t})[]" if "|" in t else f"{t}[]"
        if k == "TextMap":
            return f"{{ [key: string]: {self.ts_type(mem.elem)} }}"
        if k == "StructureMap":
            return f"{{ [key: string]: {self.ts_slot(mem.elem)} | null }}"
        if k == "EmbeddedParameters":
            return "WireBag"
        return "WireValue"

    def ts_model(self, m):
        ext = f" extends {m.base_model.name}" if m.base_model else ""
        o = [f"/** {m.name}, default id 0x{m.default_id:08x}. */", f"export interface {m.name}{ext} {{"]
        for mem in m.members:
            if mem.id is None:
                continue
            opt = "" if self.required(mem) else "?"
            o.append(f"  /** {mem.stem}: 0x{mem.id:08x}, {kind_word(mem.kind)}, {self.presence(mem)} */")
            o.append(f"  {ts_key(self.names[mem.id])}{opt}: {self.ts_member(mem)};")
        if m.write_hook:
            o.append("  /** Written by a hand-written step. */")
            o.append("  [name: string]: unknown;")
        o += ["}", ""]
        return o

    # -- listing

    def start_text(self, mem):
        """A member's starting value as a comparable text ("" for the type's own)."""
        s = mem.opts.get("start")
        if s is None:
            return ""
        if s.startswith("`") and s.endswith("`"):
            return s[1:-1].strip()
        if mem.elem_enum is not None and s.startswith('"'):
            want = d.unescape(s[1:-1])
            for v, t in mem.elem_enum.entries:
                if t == want:
                    return str(v)
            return s
        if re.fullmatch(r"-?0x[0-9a-fA-F]+", s):
            return str(int(s, 16))
        if re.fullmatch(r"-?\d+(\.\d*)?([eE]-?\d+)?", s):
            v = float(s)
            return str(int(v)) if v.is_integer() else repr(v)
        return s

    def listing(self):
        models = {}
        for m in self.models:
            members = []
            for mem in m.members:
                if mem.id is None:
                    continue
                members.append({"stem": mem.stem, "id": f"0x{mem.id:08x}", "type": mem.type_text,
                                "kind": kind_word(mem.kind), "text": self.text_type(mem),
                                "presence": self.presence(mem), "start": self.start_text(mem),
                                "item": f"0x{mem.item_id:08x}" if mem.kind == "StructureList" else ""})
            models[m.name] = {"id": f"0x{m.default_id:08x}", "base": m.base or "",
                              "type": f"0x{m.type_id:08x}" if m.type_id is not None else "",
                              "members": members}
        enums = {e.name: {"default": e.default, "entries": {str(v): t for v, t in e.entries}}
                 for e in self.enums}
        return {"listing": 1, "names": {f"0x{i:08x}": self.names[i] for i in sorted(self.names)},
                "models": models, "enums": enums}


TS_RESERVED = {"break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do",
               "else", "enum", "export", "extends", "false", "finally", "for", "function", "if", "import", "in",
               "instanceof", "new", "null", "return", "super", "switch", "this", "throw", "true", "try",
               "typeof", "var", "void", "while", "with", "any", "boolean", "number", "string", "symbol",
               "never", "unknown", "object", "undefined", "type", "namespace"}


def ts_ident(name):
    return name + "_" if name in TS_RESERVED else name


def ts_key(name):
    return name if re.fullmatch(r"[A-Za-z_$][\w$]*", name) else json.dumps(name, ensure_ascii=False)


def refs_of(schema):
    """The names of the definitions a schema refers to."""
    out = []
    if isinstance(schema, dict):
        for k, v in schema.items():
            if k == "$ref" and isinstance(v, str) and v.startswith("#/$defs/"):
                out.append(v[len("#/$defs/"):].replace("~1", "/").replace("~0", "~"))
            elif k != "$defs":
                out += refs_of(v)
    elif isinstance(schema, list):
        for v in schema:
            out += refs_of(v)
    return out


def closure(defs, roots):
    refs = {n: r for n, _, r in defs}
    seen, todo = set(), list(roots)
    while todo:
        n = todo.pop()
        if n not in seen:
            seen.add(n)
            todo += refs[n]
    return seen


def dumps(doc):
    """The text of a generated JSON document, as pmtool prints it too."""
    return json.dumps(doc, indent=2, ensure_ascii=False) + "\n"


def compact(doc):
    return json.dumps(doc, separators=(",", ":"), ensure_ascii=False)


# ---------------------------------------------------------------- the tool's copy


def cpp_string(text):
    """A C++ narrow string literal of UTF-8 text."""
    out = []
    for b in text.encode("utf-8"):
        c = chr(b)
        if c in '"\\':
            out.append("\\" + c)
        elif 0x20 <= b < 0x7F and c != "?":
            out.append(c)
        else:
            out.append(f"\\{b:03o}")
    return '"' + "".join(out) + '"'


def emit_tool_unit(wt, header):
    """The schema's definitions, the TypeScript declarations and the listing as data of
    pmtool, which prints them (`pmtool schema [NAME]`, `pmtool typescript`, `pmtool
    listing`). The tool joins a top and the definitions it needs, in this order, into the
    same document as `schema` makes."""
    defs = wt.definitions()
    index = {n: i for i, (n, _, _) in enumerate(defs)}

    def indices(names):
        return ", ".join(str(index[n]) for n in names)

    o = [header, '#include "WireTypes.h"\n\nnamespace pmtool {\nnamespace {\n\n']
    rows = []
    for i, (n, s, refs) in enumerate(defs):
        kind = "Model" if n in wt.cat.models else "Enum" if n in wt.cat.enums else "Value"
        r = top = top_refs = "{}"
        if refs:
            o.append(f"constexpr std::uint16_t kRefs{i}[] = {{{indices(refs)}}};\n")
            r = f"kRefs{i}"
        if kind != "Value":
            doc, names = wt.root(n)
            top = cpp_string(compact(doc))
            o.append(f"constexpr std::uint16_t kTopRefs{i}[] = {{{indices(names)}}};\n")
            top_refs = f"kTopRefs{i}"
        keyed = compact({n: s})[1:-1]
        rows.append(f"    {{{cpp_string(n)}, WireTypeKind::{kind}, {cpp_string(keyed)}, {r}, {top}, {top_refs}}},\n")
    o.append("\nconstexpr WireTypeDefinition kDefinitions[] = {\n")
    o.extend(rows)
    o.append("};\n\n")
    o.append(f"constexpr const char* kTop = {cpp_string(compact(wt.root()[0]))};\n\n")
    o.append("constexpr const char* kTypeScript[] = {\n")
    o.extend(f"    {cpp_string(line)},\n" for line in wt.typescript().split("\n")[:-1])
    o.append("};\n\n")
    o.append(f"constexpr const char* kListing = {cpp_string(compact(wt.listing()))};\n\n")
    o.append("}  // namespace\n\n")
    o.append("std::span<const WireTypeDefinition> WireTypeDefinitions() { return kDefinitions; }\n")
    o.append("const char* WireSchemaTop() { return kTop; }\n")
    o.append("std::span<const char* const> TypeScriptLines() { return kTypeScript; }\n")
    o.append("const char* ListingText() { return kListing; }\n\n}  // namespace pmtool\n")
    return "".join(o)
