"""The web reader of the wire text: a TypeScript module, generated from the descriptions,
that reads wire text into typed objects and writes them back as the library writes them.

The generated module (`presmodel.ts`) holds declarations and tables only; the behaviour is
the hand-written engine beside it (`web/wire.ts`), which reads and writes by the tables:

- one interface per model, its members under their stems with their values' own types
  (numbers, flags, enumeration texts, identifiers, colours, nested models, lists, maps);
  a model that heads a family has a union of its classes (`AnyFieldPresModel`), told
  apart by `$class`;
- `Bag`: every parameter name with the value a bag holds under it;
- the tables: every enumeration's entries and default, every parameter id with its name,
  shape and the serializer registered for it (as the library's registration does it), and
  every model with a row per member (stem, id, kind, value type, starting value, presence)
  and what its class does as a family member (dispatch, checked levels, kinds);
- `read<Model>(json)` per model, and the module's entry points bound to the tables.
"""

import json
import re

import descriptions as d

# Value types by description name: the code the engine reads and writes them by, and the
# TypeScript type of the value.
VALUE_CODES = {
    "bool": ("bool", "boolean"),
    "int": ("int", "number"),
    "uint": ("uint", "number"),
    "int64": ("int64", "bigint"),
    "uint64": ("uint64", "bigint"),
    "float": ("float", "number"),
    "double": ("double", "number"),
    "seconds": ("seconds", "bigint"),
    "TString": ("text", "string"),
    "FieldName": ("text", "string"),
    "QualifiedName": ("text", "string"),
    "FormattedText": ("text", "string"),
    "TUUID": ("uuid", "Uuid"),
    "SimpleIdentifier": ("uuid", "Uuid"),
    "ObjectIdentifier": ("uuid", "Uuid"),
    "StateIdentifier": ("uuid", "Uuid"),
    "SlideIdentifier": ("uuid", "Uuid"),
    "ColorObject": ("color", "Color"),
    "DataValue": ("data", "DataValue"),
    "DocParameterID": ("pid", "DocParameterID"),
    "QImage": ("image", "string"),
    "QPixmap": ("pixmap", "string"),
}
# The presentation layer's value structures register the parameters of their members
# themselves (vqxpreslayerdata/PaneId.h, DataColumn.h): id, name, shape, value type.
HOST_STRUCTURE_PARAMETERS = {
    "PaneId": [(0xd6fe0101, "PaneId.Row", "S", "uint"), (0xd6fe0102, "PaneId.Column", "S", "uint")],
    "DataColumn": [(0xd6fe0103, "DataColumn.Name", "S", "text"), (0xd6fe0104, "DataColumn.Values", "L", "text")],
}
HOST_STRUCTURE_TYPES = {"PaneId": "PaneId", "DataColumn": "DataColumn"}
# Hand-written presence tests (unless=) the engine has twins of (web/wire.ts, PRESENCE_TESTS).
PRESENCE_TESTS = {"PresenceTests::HasNoCommands", "PresenceTests::IsAtOrigin", "SimpleTypesPresModelHelpers::IsEmpty"}
# Starting values given as C++ expressions, and their values here.
START_EXPRESSIONS = {
    "TUUID::CreateUUID()": "UUID",  # a fresh random identifier per model
}
_COLOR_EXPRESSION = re.compile(r"ColorObject\((-?\d+),\s*(-?\d+),\s*(-?\d+)(?:,\s*(-?\d+))?(?:,\s*(-?\d+))?\)")

KINDS = {
    "ScalarText": "scalar", "PlainText": "scalar", "ContextualValue": "ctx", "NestedStructure": "nested",
    "StructureList": "list", "ScalarList": "items", "NumberVector": "items", "TextMap": "tmap",
    "StructureMap": "smap", "EmbeddedParameters": "bag", "Command": "cmd",
}
SHAPES = {"Single": "S", "List": "L", "Map": "M", "Bag": "B"}
OPS = {"Set": "set", "Eq": "eq", "Ne": "ne", "Gt": "gt", "Ge": "ge"}
RESERVED_TYPES = {"Uuid", "Color", "DataValue", "PaneId", "DataColumn", "Bag", "ParameterName", "DocParameterID",
                  "AnyModel", "ModelTypes", "Model", "ReadOptions", "Skipped", "WireError", "WriteError"}

TS_RESERVED = {"break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do",
               "else", "enum", "export", "extends", "false", "finally", "for", "function", "if", "import", "in",
               "instanceof", "new", "null", "return", "super", "switch", "this", "throw", "true", "try",
               "typeof", "var", "void", "while", "with", "any", "boolean", "number", "string", "symbol",
               "never", "unknown", "object", "undefined", "type", "namespace"}


def ts_ident(name):
    return name + "_" if name in TS_RESERVED else name


def ts_key(name):
    return name if re.fullmatch(r"[A-Za-z_$][\w$]*", name) else json.dumps(name, ensure_ascii=False)


def js(value):
    """A TypeScript literal of a table value."""
    return json.dumps(value, ensure_ascii=False)


def hexid(pid):
    return f"0x{pid:08x}"


class WebModule:
    def __init__(self, cat, names):
        self.cat = cat
        self.names = names  # parameter id -> name
        self.models = sorted((m for m in cat.models.values() if not m.external), key=lambda m: m.name)
        self.enums = sorted(cat.enums.values(), key=lambda e: e.name)
        clash = RESERVED_TYPES & ({m.name for m in self.models} | {e.name.split("::")[0] for e in self.enums})
        if clash:
            raise d.DescriptionError(f"names reserved for the web module's types: {sorted(clash)}")
        self.below = {}  # class -> the classes of its family derived from it
        for m in self.models:
            b = m.base_model
            while b is not None:
                self.below.setdefault(b.name, []).append(m)
                b = b.base_model

    # -- values

    def value_code(self, typ):
        if typ in self.cat.enums:
            return "e:" + typ
        return VALUE_CODES[typ][0]

    def enum_type(self, e):
        return ".".join(ts_ident(p) for p in e.name.split("::"))

    def textless_default(self, e):
        return e.default not in {v for v, _ in e.entries}

    def value_type(self, typ):
        if typ in self.cat.enums:
            return self.enum_type(self.cat.enums[typ])
        return VALUE_CODES[typ][1]

    def nullable(self, name):
        """Whether reading a model of class `name` may give no model: a kind root whose reader
        creates the class the bag's kind names."""
        m = self.cat.models.get(name)
        return m is not None and m.read_by is not None

    def slot_type(self, name):
        """The TypeScript type of a model of class `name` as a member holds it."""
        return f"Any{name}" if self.below.get(name) else name

    def slot_code(self, elem):
        if elem in d.EXTERNAL_MODELS:
            return elem
        if elem in HOST_STRUCTURE_TYPES or elem in ("Tuple", "Parameters"):
            return elem
        if elem in self.cat.models:
            return "m:" + elem
        return self.value_code(elem)

    def member_type(self, mem):
        k, e = mem.kind, mem.elem
        if k in ("ScalarText", "PlainText"):
            return self.value_type(e)
        if k == "ContextualValue":
            return "DataValue"
        if k == "NestedStructure":
            if e == "Tuple":
                return "DataValue[] | null"
            if e in HOST_STRUCTURE_TYPES:
                return HOST_STRUCTURE_TYPES[e]
            return f"{self.slot_type(e)} | null"
        if k == "StructureList":
            if e == "Tuple":
                return "DataValue[][]"
            item = self.slot_type(e)
            return f"({item} | null)[]" if self.nullable(e) else f"{item}[]"
        if k in ("ScalarList", "NumberVector"):
            return f"{self.value_type(e)}[]"
        if k == "TextMap":
            return f"Map<string, {self.value_type(e)}>"
        if k == "StructureMap":
            if e in HOST_STRUCTURE_TYPES:
                return f"Map<string, {HOST_STRUCTURE_TYPES[e]}>"
            return f"Map<string, {self.slot_type(e)} | null>"
        if k == "EmbeddedParameters":
            return "Bag | null"
        if k == "Command":
            return "string[] | null" if e == "Commands" else "string | null"
        raise d.DescriptionError(f"{mem.path}:{mem.line}: the web module does not know members of kind {k}")

    # -- what the registry holds for each id (as the generated registration registers it)

    def registry(self):
        """{id: [shape, serializer]}: the serializer a host's registry holds for each id, as
        the families' registration makes it (pmgen.Emitter.emit_family_registration)."""
        reg = {}

        def put(pid, serializer=None, shape=None):
            row = reg.setdefault(pid, ["S", ""])
            if serializer is not None:
                row[1] = serializer
            if shape is not None:
                row[0] = shape

        for m in self.models:
            put(m.default_id, "m:" + m.name, "S")
            for t in m.type_ids:
                put(t, "m:" + m.name)
            for mem in m.members:
                if mem.id is None:
                    continue
                if mem.kind == "Command":
                    put(mem.id, mem.elem)
                elif mem.elem in HOST_STRUCTURE_TYPES:
                    put(mem.id, mem.elem)
                elif mem.elem == "Tuple":
                    put(mem.id, "Tuple")
                elif mem.elem_is_model:
                    put(mem.id, "m:" + mem.elem)
                    if mem.kind == "StructureList":
                        put(mem.item_id, "m:" + mem.elem)
                elif mem.kind != "EmbeddedParameters":
                    typ = mem.opts.get("via", mem.elem)
                    put(mem.id, "text" if mem.kind == "ContextualValue" else self.value_code(typ))
                put(mem.id, shape=SHAPES[d.wire_shape(mem)])
                if mem.kind == "StructureList":
                    reg.setdefault(mem.item_id, ["S", ""])
        for params in HOST_STRUCTURE_PARAMETERS.values():
            for pid, _, shape, code in params:
                reg[pid] = [shape, code]
        return reg

    def parameter_names(self):
        names = dict(self.names)
        for params in HOST_STRUCTURE_PARAMETERS.values():
            for pid, name, _, _ in params:
                names[pid] = name
        return names

    def bag_type(self, shape, serializer):
        if shape == "B":
            return "Bag"
        if not serializer:
            return "never"
        if serializer.startswith("m:"):
            cls = serializer[2:]
            item = f"{self.slot_type(cls)} | null"
            return {"S": item, "L": f"({item})[]", "M": f"Map<string, {item}>"}[shape]
        if serializer == "Tuple":
            return "DataValue[]" if shape == "S" else "DataValue[][]"
        if serializer in HOST_STRUCTURE_TYPES:
            t = HOST_STRUCTURE_TYPES[serializer]
            return {"S": t, "L": f"{t}[]", "M": f"Map<string, {t}>"}[shape]
        if serializer == "Commands":
            return "string[]"
        if serializer == "SimpleCommands":
            return "string"
        t = self.code_type(serializer)
        return {"S": t, "L": f"{t}[]", "M": f"Map<string, {t}>"}[shape]

    def code_type(self, code):
        if code.startswith("e:"):
            return self.enum_type(self.cat.enums[code[2:]])
        return {c: t for c, t in VALUE_CODES.values()}[code]

    # -- starting values

    def start_literal(self, mem, text, enum=None):
        """A description's starting value as a value of the member's type here."""
        enum = enum if enum is not None else mem.elem_enum
        typ = mem.elem
        if text is None:
            return None
        if text == "new":
            return "NEW"
        if text.startswith("`") and text.endswith("`"):
            expr = text[1:-1].strip()
            if expr in START_EXPRESSIONS:
                return START_EXPRESSIONS[expr]
            m = _COLOR_EXPRESSION.fullmatch(expr)
            if m and typ == "ColorObject":
                r, g, b = (int(m.group(i)) for i in (1, 2, 3))
                a = int(m.group(4)) if m.group(4) is not None else 255
                t = int(m.group(5)) if m.group(5) is not None else 0
                return f"{{ r: {r}, g: {g}, b: {b}, a: {a}, type: {t} }}"
            d.fail(mem.path, mem.line, f"the web module has no value for the starting value {text}")
        if enum is not None:
            if text.startswith('"'):
                return js(d.unescape(text[1:-1]))
            value = int(text, 0)
            for v, t in enum.entries:
                if v == value:
                    return js(t)
            return str(value)
        if typ == "DocParameterID":
            pid = int(text, 0)
            return js(self.names.get(pid, hexid(pid)))
        if typ == "bool":
            return text
        if typ in ("TString", "FieldName", "QualifiedName", "FormattedText"):
            return js(d.unescape(text[1:-1]))
        if typ in ("int64", "uint64", "seconds"):
            return f"{int(text, 0)}n" if text != "~0" else f"{2**64 - 1}n"
        if typ in ("int", "uint"):
            return str(2**32 - 1 if text == "~0" else int(text, 0))
        if typ in ("float", "double"):
            return repr(float(text))
        d.fail(mem.path, mem.line, f"the web module has no value for the starting value {text}")

    # -- the tables

    def member_row(self, m, mem, wired):
        kind = KINDS[mem.kind]
        if mem.kind in ("ScalarText", "PlainText"):
            typ = self.value_code(mem.opts.get("via", mem.elem))
        elif mem.kind == "ContextualValue":
            typ = "data"
        else:
            typ = self.slot_code(mem.elem)
        o = mem.opts
        start = self.start_literal(mem, o.get("start")) if kind in ("scalar", "nested") else None
        opts = []
        if "via" in o:
            opts.append(f"as: {js(self.value_code(mem.elem))}")
        if "opt" in o or "omit" in o:
            omit = o.get("omit", o.get("start") if "opt" in o else None)
            if omit is None or omit == "new":
                opts.append("set: true")
            else:
                opts.append(f"omit: {self.start_literal(mem, omit)}")
        if "if" in o:
            cond = o["if"]
            mm = re.fullmatch(r"(>=|>)(.+)", cond)
            if mm:
                opts.append(f"if: [-1, {js('ge' if mm.group(1) == '>=' else 'gt')}, {self.start_literal(mem, mm.group(2))}]")
            else:
                parts = re.split(r"(==|!=)", cond)
                target = self.cat.member(m, parts[0])
                tidx = wired.index(target)
                if len(parts) == 1:
                    opts.append(f"if: [{tidx}, \"set\"]")
                else:
                    op = "eq" if parts[1] == "==" else "ne"
                    opts.append(f"if: [{tidx}, {js(op)}, {self.start_literal(target, parts[2])}]")
        if "unless" in o:
            if o["unless"] not in PRESENCE_TESTS:
                d.fail(mem.path, mem.line, f"the web module has no twin of the presence test {o['unless']} "
                                           "(web/wire.ts, PRESENCE_TESTS)")
            opts.append(f"unless: {js(o['unless'])}")
        if "noread" in o:
            opts.append("noread: true")
        if "nowrite" in o:
            opts.append("nowrite: true")
        row = [js(mem.stem), hexid(mem.id), js(kind), js(typ), start if start is not None else "null"]
        if opts:
            row.append("{ " + ", ".join(opts) + " }")
        return "[" + ", ".join(row) + "]"

    def class_options(self, m, wired):
        o = []
        starts = []
        for stem, value in m.starts:
            inherited = self.cat.inherited_member(m, stem)
            starts.append(f"{ts_key(stem)}: {self.start_literal(inherited, value)}")
        if m.tag_value is not None:
            root = m if m.hierarchy else m.root
            kind = self.cat.kind_member(root, m)
            starts.append(f"{ts_key(kind.stem)}: {self.start_literal(kind, str(m.tag_value))}")
        if m.case_value is not None:
            disc = self.cat.member(m.base_model, m.base_model.level_dispatch)
            starts.append(f"{ts_key(disc.stem)}: {self.start_literal(disc, str(m.case_value))}")
        if starts:
            o.append("sets: { " + ", ".join(starts) + " }")
        if m.root is not None and (m is not m.root or m.root_flag):
            o.append("flag: true")
        if m.write_hook or m.read_hook:
            # Hand-written steps have no twin here: the engine refuses the class.
            o.append(f"hooked: {js(m.write_hook or m.read_hook)}")
        readorder = None
        moves = [(i, mem) for i, mem in enumerate(wired) if "read-after" in mem.opts]
        if moves:
            readorder = [i for i in range(len(wired)) if i not in {i for i, _ in moves}]
            for i, mem in moves:
                after = next(j for j, x in enumerate(wired) if x.stem == mem.opts["read-after"])
                readorder.insert(readorder.index(after) + 1, i)
            o.append(f"readOrder: {js(readorder)}")
        if m.dispatch:
            concrete = ", ".join(f"[{hexid(v)}, {js(c.name)}" + (f", {js(w.name)}" if w else "") + "]"
                                 for v, c, w in m.concrete)
            didx = wired.index(self.cat.member(m, m.dispatch))
            fb = f", fallback: {js(m.fallback_model.name)}" if m.fallback_model else ""
            o.append(f"dispatch: {{ member: {didx}, concrete: [{concrete}]{fb} }}")
        if m.view_model:
            o.append(f"viewedAs: {js(m.view_model.name)}")
        if m.level_dispatch:
            cases = ", ".join(f"[{v}, {js(c.name)}]" for v, c in m.cases)
            didx = wired.index(self.cat.member(m, m.level_dispatch))
            o.append(f"level: {{ member: {didx}, cases: [{cases}], source: {js(m.family + 'PresModelSerializer')} }}")
        if m.tried or m.kind_by or m.read_by:
            tagged = m.tags[0][1] if m.tags else m
            kind = (self.cat.kind_member(m, tagged if m.read_by and not m.kind_by else None)
                    if (m.kind_by or m.read_by) else None)
            scheme = "try" if m.tried else ("value" if m.kind_by else "none")
            tried = js([c.name for c in m.tried_models])
            tags = ", ".join(f"[{v}, {js(c.name)}]" for v, c in m.tags)
            o.append(f"kinds: {{ scheme: {js(scheme)}, tried: {tried}, tags: [{tags}], "
                     f"kind: {hexid(kind.id) if kind else 0}, readByKind: {js(bool(m.read_by))}, "
                     f"missingIsNull: {js(m.read_missing_null)} }}")
        return "{ " + ", ".join(o) + " }" if o else None

    # -- the module

    def typescript(self, header):
        o = [header.rstrip("\n"),
             "// The web reader of the wire text: typed models, read and written as the library does.",
             "// Declarations and tables only; the engine that reads and writes by them is ./wire.js.",
             "",
             'import { Catalogue, NEW, UUID } from "./wire.js";',
             'import type { Bag as BagBase, Color, DataValue, JsonObject, Model, ReadOptions, Skipped, Uuid, PaneId, DataColumn } from "./wire.js";',
             'export type { Color, DataValue, JsonObject, Model, ReadOptions, Skipped, Uuid, PaneId, DataColumn } from "./wire.js";',
             'export { WireError, WriteError, colorText, dataValueText, uuidText, isAbsent, absentMembers, compileSteps, lastReadWay } from "./wire.js";',
             ""]
        names = self.parameter_names()
        o += ["/** The name of a parameter id. */", "export type ParameterName ="]
        o += [f"  | {js(n)}" for n in sorted(set(names.values()))]
        o[-1] += ";"
        o += ["/** A parameter id: its name, or 0x and eight lower-case hexadecimal digits when it has none. */",
              "export type DocParameterID = ParameterName | `0x${string}`;", ""]
        o += self.ts_enums()
        o += self.ts_models()
        o += self.ts_bag(names)
        o += self.tables(names)
        o += self.entry_points()
        return "\n".join(o) + "\n"

    def ts_enums(self):
        o = []
        for e in self.enums:
            texts = [js(t) for _, t in e.entries]
            if self.textless_default(e):
                texts.append("number")  # the default value, which has no text, read from an unknown text
            body = " | ".join(texts) if texts else "never"
            parts = e.name.split("::")
            doc = f"/** {e.name}, default {e.default}. */"
            decl = f"export type {ts_ident(parts[-1])} = {body};"
            if len(parts) == 1:
                o += [doc, decl]
            else:
                o += [f"export namespace {'.'.join(ts_ident(p) for p in parts[:-1])} {{", f"  {doc}", f"  {decl}", "}"]
        o.append("")
        return o

    def presence_word(self, mem):
        if "nowrite" in mem.opts:
            return "read, never written"
        if "noread" in mem.opts:
            return "written, never read"
        if mem.kind in ("TextMap", "StructureMap"):
            return "written when not empty"
        if set(mem.opts) & {"opt", "omit", "if", "unless"} or mem.kind == "Command":
            return "written when set"
        return "written always"

    def ts_models(self):
        o = []
        for m in self.models:
            base = f" extends {m.base_model.name}Members" if m.base_model else ""
            body = []
            for mem in m.members:
                if mem.id is None:
                    continue
                body.append(f"  /** {self.names[mem.id]}: {hexid(mem.id)}, {mem.type_text}, {self.presence_word(mem)} */")
                body.append(f"  {ts_key(mem.stem)}: {self.member_type(mem)};")
            doc = f"/** {m.name}, default id {hexid(m.default_id)}" + (f", below {m.base_model.name}" if m.base_model else "") + ". */"
            if self.below.get(m.name):
                o += [f"/** The members of {m.name} and of the classes below it. */",
                      f"export interface {m.name}Members{base} {{"] + body + ["}", doc,
                      f"export interface {m.name} extends {m.name}Members {{ $class: {js(m.name)}; }}",
                      f"/** {m.name} or any class below it. */",
                      f"export type Any{m.name} = " + " | ".join([m.name] + sorted(c.name for c in self.below[m.name])) + ";"]
            else:
                ext = f" extends {m.base_model.name}Members" if m.base_model else " extends Model"
                o += [doc, f"export interface {m.name}{ext} {{", f"  $class: {js(m.name)};"] + body + ["}"]
            o.append("")
        o += ["/** Every model class by its name. */", "export interface ModelTypes {"]
        o += [f"  {m.name}: {m.name};" for m in self.models]
        o += ["}", "/** Any model. */", "export type AnyModel = ModelTypes[keyof ModelTypes];",
              "/** What reading a model of each class gives: a class of its family, or null where the",
              " *  family's reader gives no model. */", "export interface ModelSlots {"]
        o += [f"  {m.name}: {self.slot_type(m.name)}" + (" | null;" if self.nullable(m.name) else ";") for m in self.models]
        o += ["}", ""]
        return o

    def ts_bag(self, names):
        reg = self.registry()
        o = ["/** A bag of parameters, each under its name: the models under their default ids, and any",
             " *  other parameter the registry knows, with the value it holds. */",
             "export interface Bag extends BagBase {"]
        for pid in sorted(reg, key=lambda p: names.get(p, hexid(p))):
            shape, serializer = reg[pid]
            o.append(f"  {ts_key(names.get(pid, hexid(pid)))}?: {self.bag_type(shape, serializer)};")
        o += ["}", ""]
        return o

    def tables(self, names):
        reg = self.registry()
        o = ["// ---- tables", "",
             "// Enumerations: name, default value, entries (value, text) in ascending value.",
             "const ENUMS: [string, number, [number, string][]][] = ["]
        for e in self.enums:
            entries = ", ".join(f"[{v}, {js(t)}]" for v, t in e.entries)
            o.append(f"  [{js(e.name)}, {e.default}, [{entries}]],")
        o += ["];", "",
              "// Parameters: id, name, shape (S one value, L list, M map, B bag), the serializer registered",
              "// for the id (\"\" none, a value type, m:Class, Tuple, PaneId, DataColumn, Commands,",
              "// SimpleCommands).",
              "const PARAMETERS: [number, string, string, string][] = ["]
        for pid in sorted(reg):
            shape, serializer = reg[pid]
            o.append(f"  [{hexid(pid)}, {js(names.get(pid, hexid(pid)))}, {js(shape)}, {js(serializer)}],")
        o += ["];", "",
              "// Models: name, default id, base class, members in write order (stem, parameter id, kind,",
              "// value type, starting value, presence: set (left out when empty) / omit (left out when",
              "// equal) / if (written when member #i, -1 itself, compares so) / unless (a hand-written",
              "// test); noread, nowrite; as: the member's own type when its text is another's), and",
              "// what the class does in its family.",
              "const MODELS: ModelRow[] = ["]
        for m in self.models:
            wired = [mem for mem in m.members if mem.id is not None]
            base = js(m.base_model.name) if m.base_model else "null"
            opts = self.class_options(m, wired)
            if not wired:
                o.append(f"  [{js(m.name)}, {hexid(m.default_id)}, {base}, []" + (f", {opts}" if opts else "") + "],")
                continue
            o.append(f"  [{js(m.name)}, {hexid(m.default_id)}, {base}, [")
            o.extend(f"    {self.member_row(m, mem, wired)}," for mem in wired)
            o.append("  ]" + (f", {opts}" if opts else "") + "],")
        o += ["];", "", "type ModelRow = ConstructorParameters<typeof Catalogue>[2][number];", ""]
        return o

    def entry_points(self):
        o = ["// ---- entry points", "",
             "const catalogue = new Catalogue(ENUMS, PARAMETERS, MODELS);", "",
             "/** Reads wire text, a bag of models under their default ids, as the library's reader does:",
             " *  strictly, anything it does not know is a WireError with its byte offset and path. */",
             "export function readBag(text: string, options?: ReadOptions): Bag {",
             "  return catalogue.readBag(text, options) as Bag;", "}",
             "/** Reads text from a newer writer: unknown parameter names are left out, unknown",
             " *  enumeration texts read as the default value, and each is listed in `skipped`. */",
             "export function readBagLenient(text: string, options?: ReadOptions): { bag: Bag; skipped: Skipped[] } {",
             "  return catalogue.readBagLenient(text, options) as { bag: Bag; skipped: Skipped[] };", "}",
             "/** Writes a bag as the library's writer does: byte for byte the same text. */",
             "export function writeBag(bag: Bag): string {", "  return catalogue.writeBag(bag);", "}",
             "/** The text of a model alone under its class's default id (as `pmtool write` prints it). */",
             "export function write(model: AnyModel): string {", "  return catalogue.write(model);", "}",
             "/** The wire text of the members of one model, as a member of its class holds them. */",
             "export function writeModel(model: AnyModel): string {", "  return catalogue.writeModel(model);", "}",
             "/** A new model of the class, every member at its starting value. */",
             "export function create<K extends keyof ModelTypes>(name: K): ModelTypes[K] {",
             "  return catalogue.create(name) as ModelTypes[K];", "}",
             "/** Reads one model of the class from its members' text (or their parsed JSON), as a member",
             " *  of that class reads it: its family's rules choose the class. */",
             "export function readModel<K extends keyof ModelSlots>(name: K, json: string | JsonObject, options?: ReadOptions): ModelSlots[K] {",
             "  return catalogue.readModel(name, json, options) as ModelSlots[K];", "}",
             "/** The wire name of a member (its parameter name), by class and stem. */",
             "export function wireName(model: string, stem: string): string | undefined {",
             "  return catalogue.wireName(model, stem);", "}",
             "/** The tables, for tools that walk models: class, members, kinds and starting values. */",
             "export { catalogue };", ""]
        for m in self.models:
            o.append(f"export const read{m.name} = (json: string | JsonObject, options?: ReadOptions) =>")
            o.append(f"  readModel({js(m.name)}, json, options);")
        return o


def emit(cat, names, header):
    return WebModule(cat, names).typescript(header)
