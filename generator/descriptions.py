"""Reading and checking model and enumeration descriptions.

Enumeration files (*.enums):

    enum ChangePage::ChangePageType default 1 [flags] [external-table]
      0 "first"
      1 "next"

Entries are listed in ascending value; a value assigned a second time is marked
`replaces` and keeps the later text. `flags`: the entries are single bits.
`external-table`: the enumeration is declared, and its table's operations are
owned, by the workbook file-format library. Enumerations in the namespace `Qt`
are Qt's own; only their texts are described here. `#` starts a comment.

Model files (*.models):

    model ZoneVisibilityFromFieldPresModel 0xf1d7423e [: BasePresModel] [options]
      ZoneID                          uint    0xd620d6ca
      CanSetZoneVisibilityFromField   bool    0xd60c86af  start=true
      SelectedFieldNameAndCaption     FieldCaptionPairPresModel 0xd6ccfec3

A derived model lists only its own members; its base's come first on the wire.

Model options: `direct` (written afresh, no serialized-value cache), `hierarchy`
(root of a family whose levels carry serializing flags: `Serializing` on the
root, `IsSerializing<Class>` on every class below it), `hierarchy=derived` (the
same, but the root carries no flag of its own: only the classes below it do),
`dispatch=Member` (the root's member whose parameter-id value names the concrete
class), `type=0x...` (the value of that member naming this class), `write-hook=F`
and `read-hook=F` (hand-written functions run after the members are written or
read: `void F(const M&, SerializeStructure&)`, `void F(M&, const IParameters&)`),
`clone` (a generated `RefCntPtr<M> Clone() const`: a new model holding a copy of
every member, nested models and list items shared; the serialized-value cache and
the serializing flags are not copied) and `clone=deep` (the same, but nested
models and list items whose class has a `Clone` of its own, generated or
declared by `method`, are cloned when not null). Clones are generated for models
without a base. `new`: the model's default id (and type ids) are new parameters (below).

Parameter names. Every parameter id of the library's models has a name in wire text,
pinned in descriptions/parameter-names.txt so that it never changes. The build refuses an
id without a pinned name, which is most often a mistyped id, unless the model line (for its
default and type ids) or the member line (for its id and item id) carries `new`; such an
id is named after its member until `pmgen.py ... --pin-names` pins it, after which the
build asks for `new` to be dropped.

Kind maps (draw items, render nodes): a dispatching root given `fallback=C`
hands each model on by a map from type values to classes instead of a plain
list:
    type=0xA,0xB,...  every value naming this class: the first is its own (the
                      sampler's), the others aliases; all are registered for the
                      class's serializer and read back as the class. On the root
                      itself they are the values viewed as the root.
    fallback=C        (root) the class, C or the root itself, that any other
                      value is viewed as, on writing and on reading.
    view=C            (a class with type=) the root's writer views models of
                      this kind as C, a class above it, and this class's
                      serializer takes a holder of C too, writing it as C.
The root writer views the model as the class its type value names; a model not
of that class is handed on to nothing (type parameter and the levels already
written only). The serializer registered for the value writes the view; when
none is, the view's own writer does. `start:M=V` (any model) makes the
constructor set the inherited member M to V, e.g. `start:Type=0xd60d17fb`.

Checked levels: `level-dispatch=Member` on a class of a hierarchy makes that class a level
that hands a model on to its subclasses itself, by the value of its own enumeration member
Member; `case=V` on a direct subclass (V: the enumeration's text in quotes, or its number)
names the value that selects it, and that subclass's constructor sets Member to V. A level
writes its base levels, its own members and then the level of the subclass named, after
checking that the model is of that class; a value with no subclass raises "Unexpected value
of property Member", a model of another class "Unable to down cast model of type A to type
B" (class names without "PresModel"). Levels above the class whose writer starts the write
hand nothing on: that writer adds the levels below them. The reader creates the class the
bag's discriminants name (a discriminant absent or of another type: the level's own class;
a value with no subclass: the same error as the writer's), then fills it level by level; a
level whose discriminant was read hands on to the subclass it names, and a value with no
subclass there raises "Unexpected value of discriminant parameter DPI_Member". Errors are
logic exceptions whose source is the family's serializer unit, `<Family>PresModelSerializer`.
In such a family the root's serializing flag is named after its class like every level's.
A subclass without `case=` is not handed on to: it is written and read through its own
serializer only.

Kind families (legends, quick filters, refinement widgets): a root hands a model on to the
class of its kind, chosen in one of two ways, and reads back the class its kind names:
    try=A,B,...    (root) the writer hands the model on to the first of the listed classes
                   of which it is an instance (by dynamic type, in this order); a model of
                   none of them is written with the levels its own writer writes.
    kind-by=M      (root) the writer hands the model on to the class tagged with the value
                   of the root's enumeration member M, viewing it as that class unchecked:
                   a model that is not of that class raises the null-pointer assertion
                   before anything is written; a value tagging no class, or the root's own
                   tag, writes the root's members only.
    read-by=M      (root) the reader, given no model, creates the class tagged with the
                   value of the enumeration parameter M of the bag (M is a member of the
                   root or of the tagged classes, with one id): a value tagging no class
                   gives no model (null); M absent or of another type gives the root class,
                   or no model with read-missing=null. Then the root's members are read and
                   the class's own reader fills the rest. A root with a serializing flag
                   keeps it set while the class's reader runs, and its reader, given a
                   model whose flag is set, returns it unchanged.
    tag=V          (a class of such a family, the root included) the value of M (the
                   enumeration's text in quotes, or its number) that names this class; the
                   class's constructor sets M to V.
Either way a model is handed on only when its write starts at the root's writer; a kind's
own writer writes the levels from the root down to its class.

Hand-written operations of a model are declared among its members by
`method \`declaration\`` lines and defined in presentation-model/. A file may
start with `include "header"` lines for the types those declarations use, and
`serializer-include "header"` lines for the functions that unless= names (read
by the family's serializer unit only).

Member line: `Stem Type Id [options]`; Id is `-` for a member with accessors
but no parameter. Types:

    bool int uint int64 uint64 float double seconds TString FieldName
    QualifiedName FormattedText TUUID ColorObject DataValue DocParameterID
    DateTime (members without a parameter only; its header comes by `include`)
    SimpleIdentifier ObjectIdentifier StateIdentifier SlideIdentifier
    QImage QPixmap (as text: base64 PNG; a QPixmap needs a QGuiApplication)
    an enumeration name, a model name (nested structure), Parameters (embedded
    parameters), Commands / SimpleCommands (written by the command serializer),
    PaneId DataColumn (value structures with their own structure serializer:
    a nested structure, or the values of a structure map),
    Tuple (a RefCntPtr<Tuple>, written as a nested structure of one list item per
    value, each the contextual text of the value; [Tuple] is a structure list of
    them and takes item=), [T] list, vec<int|uint|float|double> number vector,
    {T} map keyed by text, `C++ type` (backticks: a member that lives only in the
    process that built the model, with accessors but no parameter: Id is `-`).

A command member without `opt` is handed to the command serializer on every
write, also when it is null.

Member options:

    start=V        starting value (a literal, "text", `new` for a fresh nested
                   model, ~0 for all bits set, or a C++ expression in backticks)
    opt            written only when it differs from its starting value
    omit=V         written only when it differs from V
    if=M | if=M==V | if=M!=V | if=>V | if=>=V
                   written only when another member M is set / equals V /
                   differs from V, or when the member itself is > V / >= V
    unless=F       written only when F(value) is false: F a hand-written or
                   helper emptiness test taking the member's value, e.g.
                   SimpleTypesPresModelHelpers::IsEmpty (declared in a header
                   named by the file's include lines)
    item=0x...     item id of a structure list
    mapflag=B      map-item flag of a text map (default: true for text values)
    via=T          written and read through the serializer of T
    ctx            a DataValue whose text depends on its column
    noread         written but not read back;  nowrite: read but never written
    read-after=M   read right after member M instead of in write order
    elem=S         element stem of a list or map (default: the stem minus "s")
    elem-get=S     the indexed getter of a list is GetS(index) instead of Get<elem>(index)
                   (its other element accessors keep the element stem)
    nonconst-get   the getter is not a const member function
    nonconst-items a structure list holding RefCntPtr<M> rather than
                   RefCntPtr<const M> (read back from the usual list holder)
    byref          a `C++ type` member that points to a host object it does not
                   own: SetX(const T&) keeps its address, GetX() returns the
                   pointer, null at start
    new            the member's id (and item id) are new parameters, not yet pinned
"""

import re
import sys
from dataclasses import dataclass, field
from typing import Optional


class DescriptionError(Exception):
    pass


def fail(path, line, msg):
    raise DescriptionError(f"{path}:{line}: {msg}")


# ---------------------------------------------------------------- enumerations


@dataclass
class Enum:
    name: str
    default: int
    entries: list  # [(value, text)] final, ascending by value
    assignments: list  # [(value, text)] in assignment order
    flags: bool = False
    external_table: bool = False  # declared, and its table operations owned, by the workbook file-format library
    host: bool = False
    external: bool = False  # described elsewhere; known here, not generated here
    group: str = ""
    path: str = ""
    line: int = 0

    @property
    def cpp_name(self):
        return self.name

    @property
    def namespace(self):
        return self.name.rsplit("::", 1)[0] if "::" in self.name else ""

    @property
    def short_name(self):
        return self.name.rsplit("::", 1)[-1]


_STRING = r'"((?:[^"\\]|\\.)*)"'


def unescape(s):
    out = []
    i = 0
    while i < len(s):
        c = s[i]
        if c == "\\" and i + 1 < len(s):
            n = s[i + 1]
            if n == "u":
                out.append(chr(int(s[i + 2:i + 6], 16)))
                i += 6
                continue
            out.append({"n": "\n", "t": "\t"}.get(n, n))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def parse_enums(path, group, host=False):
    enums = []
    cur = None
    with open(path, encoding="utf-8") as f:
        for no, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if not line[0].isspace():
                m = re.fullmatch(r"enum\s+([A-Za-z_][\w:]*)\s+default\s+(-?\d+)((?:\s+[\w-]+)*)\s*", line)
                if not m:
                    fail(path, no, f"expected 'enum NAME default VALUE', got {line!r}")
                opts = m.group(3).split()
                for o in opts:
                    if o not in ("flags", "external-table"):
                        fail(path, no, f"unknown enumeration option {o!r}")
                cur = Enum(m.group(1), int(m.group(2)), [], [], flags="flags" in opts,
                           external_table="external-table" in opts, host=host, group=group, path=path, line=no)
                enums.append(cur)
                continue
            if cur is None:
                fail(path, no, "entry outside an enumeration")
            m = re.fullmatch(r"\s+(-?\d+)\s+" + _STRING + r"(\s+replaces)?\s*", line)
            if not m:
                fail(path, no, f"expected 'VALUE \"TEXT\" [replaces]', got {line!r}")
            value, text, replaces = int(m.group(1)), unescape(m.group(2)), bool(m.group(3))
            if not -2**31 <= value < 2**31:
                fail(path, no, f"value {value} does not fit in 32 bits")
            seen = {v for v, _ in cur.assignments}
            if (value in seen) != replaces:
                fail(path, no, f"value {value} " + ("is assigned twice; mark the later text 'replaces'"
                                                     if value in seen else "replaces nothing"))
            cur.assignments.append((value, text))
    for e in enums:
        final = {}
        for v, t in e.assignments:
            final[v] = t
        e.entries = sorted(final.items())
        texts = [t for _, t in e.entries]
        if len(set(texts)) != len(texts):
            dup = sorted({t for t in texts if texts.count(t) > 1})
            fail(e.path, e.line, f"{e.name}: texts repeated: {dup}")
        if e.flags:
            for v, _ in e.entries:
                if v < 0 or (v & (v - 1)):
                    fail(e.path, e.line, f"{e.name}: flag value {v} is not a single bit")
    return enums


def enumerator_names(enum):
    """C++ enumerator names derived from the texts: words joined in upper camel case."""
    names = {}
    used = set()
    for value, text in enum.entries:
        words = [w for w in re.split(r"[^A-Za-z0-9_]+", text) if w]
        name = "".join(w[0].upper() + w[1:] for w in words) or "Value"
        if name[0].isdigit():
            name = "V" + name
        if name in used:
            name = f"{name}_{value}".replace("-", "m")
        used.add(name)
        names[value] = name
    return names


# ---------------------------------------------------------------- models

@dataclass(frozen=True)
class ValueType:
    """A type of value that a member, a list item or a map value holds."""
    cpp: str              # the C++ type
    by_value: bool        # accessors take and return it by value (else by const reference)
    category: str         # flag, number, enum, text or value
    text: str             # the form of its text on the wire (wiretypes.TEXT_FORMS)
    vector: bool = False  # a number vector may hold it
    wired: bool = True    # False: held by members without a parameter only
    header: str = ""      # the header that brings the type and what the framework needs of it


_HOST_VALUES = "framework/HostValues.h"
# Every value type by its description name: the one list the generator and the readers'
# schema and declarations work from.
VALUE_TYPES = {
    "bool": ValueType("bool", True, "flag", "flag"),
    "int": ValueType("int", True, "number", "integer", vector=True),
    "uint": ValueType("unsigned int", True, "number", "unsigned", vector=True),
    "int64": ValueType("std::int64_t", True, "number", "integer"),
    "uint64": ValueType("std::uint64_t", True, "number", "unsigned"),
    "float": ValueType("float", True, "number", "real", vector=True),
    "double": ValueType("double", True, "number", "real", vector=True),
    "seconds": ValueType("std::chrono::seconds", True, "number", "integer"),
    "TString": ValueType("TString", False, "text", "text"),
    "FieldName": ValueType("FieldName", False, "value", "text"),
    "QualifiedName": ValueType("QualifiedName", False, "value", "text"),
    "FormattedText": ValueType("FormattedText", False, "value", "text"),
    "TUUID": ValueType("TUUID", False, "value", "uuid"),
    "ColorObject": ValueType("ColorObject", False, "value", "colour"),
    "DataValue": ValueType("DataValue", False, "value", "data-value"),
    "DocParameterID": ValueType("DocParameterID", True, "enum", "parameter-id"),
    "SimpleIdentifier": ValueType("SimpleIdentifier", False, "value", "uuid"),
    "ObjectIdentifier": ValueType("ObjectIdentifier", False, "value", "uuid"),
    "StateIdentifier": ValueType("StateIdentifier", False, "value", "uuid"),
    "SlideIdentifier": ValueType("SlideIdentifier", False, "value", "uuid"),
    "DateTime": ValueType("DateTime", False, "value", "text", wired=False),
    "QImage": ValueType("QImage", False, "value", "image", header=_HOST_VALUES),
    "QPixmap": ValueType("QPixmap", False, "value", "image", header=_HOST_VALUES),
}
# Value structures of the presentation layer: nested structures or structure-map values
# written by their own StructSerializer<V, V>.
HOST_STRUCTURES = {"PaneId": "PaneId", "DataColumn": "DataColumn"}
# The header that brings a member type and what the framework needs of it.
TYPE_HEADERS = {**{n: t.header for n, t in VALUE_TYPES.items() if t.header},
                **{n: _HOST_VALUES for n in HOST_STRUCTURES}}
NUMBER_VECTOR = {n: t.cpp for n, t in VALUE_TYPES.items() if t.vector}
EXTERNAL_MODELS = {"Commands": "CommandsPresModel", "SimpleCommands": "SimpleCommandsPresModel"}

def wire_shape(mem):
    """How the member's value is shaped in text: Single, List, Map or Bag."""
    if mem.kind in ("StructureList", "ScalarList", "NumberVector") or (mem.kind == "Command" and mem.elem == "Commands"):
        return "List"
    if mem.kind in ("TextMap", "StructureMap"):
        return "Map"
    if mem.kind == "EmbeddedParameters":
        return "Bag"
    return "Single"


@dataclass
class Member:
    stem: str
    type_text: str
    id: Optional[int]
    path: str
    line: int
    opts: dict = field(default_factory=dict)
    # resolved
    kind: str = ""
    elem: str = ""           # description name of the element/value type
    elem_cpp: str = ""       # C++ element type
    cpp: str = ""            # C++ storage type
    shape: str = "single"    # single | list | vector | map
    elem_is_model: bool = False
    elem_enum: Optional[Enum] = None
    item_id: int = 0

    @property
    def elem_stem(self):
        if "elem" in self.opts:
            return self.opts["elem"]
        return self.stem[:-1]


@dataclass
class Model:
    name: str
    default_id: int
    base: Optional[str]
    members: list
    family: str
    path: str
    line: int
    direct: bool = False
    hierarchy: bool = False
    root_flag: bool = True  # a hierarchy root carries a serializing flag of its own
    clone: Optional[str] = None  # None, "shallow" or "deep"
    dispatch: Optional[str] = None
    type_id: Optional[int] = None
    type_ids: list = field(default_factory=list)  # every value naming this class; type_id is the first
    fallback: Optional[str] = None  # kind-map roots: the class any other value is viewed and read as
    view: Optional[str] = None      # the class above this one that the root's writer views it as
    starts: list = field(default_factory=list)  # [(inherited member stem, value)] set by the constructor
    level_dispatch: Optional[str] = None  # this level's enumeration member naming the subclass
    case: Optional[str] = None  # the value of the base level's discriminant naming this class
    external: bool = False  # described elsewhere; known here, not generated here
    write_hook: Optional[str] = None  # hand-written: void F(const M&, SerializeStructure&), after the members
    read_hook: Optional[str] = None   # hand-written: void F(M&, const IParameters&), after the members
    new: bool = False  # its default and type ids are new parameters, not yet pinned
    methods: list = field(default_factory=list)  # hand-written member declarations, verbatim
    includes: list = field(default_factory=list)  # headers the family's declarations need
    serializer_includes: list = field(default_factory=list)  # headers only the serializer unit needs
    # resolved
    base_model: Optional["Model"] = None
    root: Optional["Model"] = None  # hierarchy root when the model belongs to one
    concrete: list = field(default_factory=list)  # for dispatching roots: [(type id, Model, view Model or None)]
    fallback_model: Optional["Model"] = None
    view_model: Optional["Model"] = None
    case_value: Optional[int] = None
    cases: list = field(default_factory=list)  # for checked levels: [(value, Model)]
    tried: list = field(default_factory=list)  # try=: class names in order
    kind_by: Optional[str] = None     # kind-by=: the root's enumeration member naming the kind
    read_by: Optional[str] = None     # read-by=: the enumeration member whose value the reader creates by
    read_missing_null: bool = False   # read-missing=null
    tag: Optional[str] = None         # tag=: this class's value of its root's kind member
    tag_value: Optional[int] = None
    tags: list = field(default_factory=list)  # for kind roots: [(value, Model)]
    tried_models: list = field(default_factory=list)


_MODEL_LINE = re.compile(r"model\s+(\w+)\s+(0x[0-9a-fA-F]{8})(?:\s*:\s*(\w+))?((?:\s+\S+)*)\s*")


def _split_member(line):
    """Splits a member line into words, keeping quoted and backticked option values whole."""
    return [m.group(0) for m in re.finditer(r'[\w-]+=(?:`[^`]*`|"(?:[^"\\]|\\.)*"|\S+)|`[^`]*`|\S+', line)]


def strip_comment(line):
    """The line without a trailing '# comment' (a '#' inside quotes or backticks stays)."""
    quote = None
    for i, ch in enumerate(line):
        if quote:
            if ch == quote:
                quote = None
        elif ch in '"`':
            quote = ch
        elif ch == "#" and (i == 0 or line[i - 1].isspace()):
            return line[:i].rstrip()
    return line.rstrip()


def parse_models(path, family):
    models = []
    includes = []
    serializer_includes = []
    cur = None
    with open(path, encoding="utf-8") as f:
        for no, raw in enumerate(f, 1):
            line = strip_comment(raw.rstrip("\n"))
            if not line.strip():
                continue
            if line.startswith("serializer-include "):
                m = re.fullmatch(r'serializer-include\s+"([^"]+)"', line)
                if not m:
                    fail(path, no, 'expected serializer-include "path"')
                serializer_includes.append(m.group(1))
                continue
            if line.startswith("include "):
                m = re.fullmatch(r'include\s+"([^"]+)"', line)
                if not m:
                    fail(path, no, 'expected include "path"')
                includes.append(m.group(1))
                continue
            if not line[0].isspace():
                m = _MODEL_LINE.fullmatch(line)
                if not m:
                    fail(path, no, f"expected 'model NAME 0xID [: BASE] [options]', got {line!r}")
                cur = Model(m.group(1), int(m.group(2), 16), m.group(3), [], family, path, no)
                for o in m.group(4).split():
                    k, _, v = o.partition("=")
                    if k == "direct" and not v:
                        cur.direct = True
                    elif k == "hierarchy" and not v:
                        cur.hierarchy = True
                    elif k == "hierarchy" and v == "derived":
                        cur.hierarchy = True
                        cur.root_flag = False
                    elif k == "clone" and not v:
                        cur.clone = "shallow"
                    elif k == "clone" and v == "deep":
                        cur.clone = "deep"
                    elif k == "dispatch" and v:
                        cur.dispatch = v
                    elif k == "type" and v:
                        if not re.fullmatch(r"0x[0-9a-fA-F]{8}(,0x[0-9a-fA-F]{8})*", v):
                            fail(path, no, f"type= takes ids 0x... separated by commas, not {v!r}")
                        cur.type_ids = [int(x, 16) for x in v.split(",")]
                        cur.type_id = cur.type_ids[0]
                    elif k == "fallback" and v:
                        cur.fallback = v
                    elif k == "view" and v:
                        cur.view = v
                    elif k.startswith("start:") and v and re.fullmatch(r"[A-Za-z_]\w*", k[6:]):
                        cur.starts.append((k[6:], v))
                    elif k == "level-dispatch" and v:
                        cur.level_dispatch = v
                    elif k == "case" and v:
                        cur.case = v
                    elif k == "try" and v:
                        cur.tried = v.split(",")
                    elif k == "kind-by" and v:
                        cur.kind_by = v
                    elif k == "read-by" and v:
                        cur.read_by = v
                    elif k == "read-missing" and v == "null":
                        cur.read_missing_null = True
                    elif k == "tag" and v:
                        cur.tag = v
                    elif k == "write-hook" and v:
                        cur.write_hook = v
                    elif k == "read-hook" and v:
                        cur.read_hook = v
                    elif k == "new" and not v:
                        cur.new = True
                    else:
                        fail(path, no, f"unknown model option {o!r}")
                models.append(cur)
                continue
            if cur is None:
                fail(path, no, "member outside a model")
            m = re.fullmatch(r"\s+method\s+`([^`]+)`\s*", line)
            if m:
                cur.methods.append(m.group(1).strip())
                continue
            words = _split_member(line.strip())
            if len(words) < 3:
                fail(path, no, "expected 'Stem Type Id [options]'")
            stem, type_text, id_text = words[:3]
            if not re.fullmatch(r"[A-Za-z_]\w*", stem):
                fail(path, no, f"bad member stem {stem!r}")
            if id_text == "-":
                mid = None
            elif re.fullmatch(r"0x[0-9a-fA-F]{8}", id_text):
                mid = int(id_text, 16)
            else:
                fail(path, no, f"bad parameter id {id_text!r}")
            mem = Member(stem, type_text, mid, path, no)
            for w in words[3:]:
                k, eq, v = w.partition("=")
                if k in mem.opts:
                    fail(path, no, f"option {k!r} given twice")
                if k in ("opt", "ctx", "noread", "nowrite", "nonconst-get", "nonconst-items", "byref", "new") and not eq:
                    mem.opts[k] = True
                elif k in ("start", "omit", "if", "item", "mapflag", "via", "read-after", "elem", "elem-get",
                           "unless") and eq:
                    mem.opts[k] = v
                else:
                    fail(path, no, f"unknown member option {w!r}")
            cur.members.append(mem)
    for m in models:
        m.includes = includes
        m.serializer_includes = serializer_includes
    return models


class Catalogue:
    """All descriptions, resolved and checked."""

    def __init__(self, enums, models):
        self.enums = {e.name: e for e in enums}
        if len(self.enums) != len(enums):
            names = [e.name for e in enums]
            raise DescriptionError(f"enumerations described twice: {sorted({n for n in names if names.count(n) > 1})}")
        self.models = {}
        for m in models:
            if m.name in self.models:
                fail(m.path, m.line, f"model {m.name} described twice")
            self.models[m.name] = m
        self._resolve()

    # -- resolution

    def _resolve(self):
        ids = {}
        for m in self.models.values():
            if not m.name.endswith("PresModel"):
                fail(m.path, m.line, f"model names end in PresModel: {m.name}")
            if m.default_id >> 24 != 0xF1:
                fail(m.path, m.line, f"default id 0x{m.default_id:08x} of {m.name} is not in the 0xf1 block")
            if m.default_id in ids:
                fail(m.path, m.line, f"default id 0x{m.default_id:08x} also belongs to {ids[m.default_id]}")
            ids[m.default_id] = m.name
            if m.base:
                if m.base not in self.models:
                    fail(m.path, m.line, f"unknown base model {m.base}")
                m.base_model = self.models[m.base]
        for m in self.models.values():
            seen = set()
            b = m
            while b.base_model:
                if b.name in seen:
                    fail(m.path, m.line, f"{m.name} derives from itself")
                seen.add(b.name)
                b = b.base_model
            if b.hierarchy:
                m.root = b
            stems = set()
            for mem in self.all_members(m):
                if mem.stem in stems:
                    fail(mem.path, mem.line, f"{m.name} has two members named {mem.stem}")
                stems.add(mem.stem)
            for mem in m.members:
                self._resolve_member(m, mem)
            if m.clone and m.base:
                fail(m.path, m.line, f"{m.name}: clone is generated for models without a base")
        for m in self.models.values():
            if m.type_id is not None:
                root = m.root
                if root is None or root.dispatch is None:
                    fail(m.path, m.line, f"{m.name} gives a type but belongs to no dispatching hierarchy")
                for t in m.type_ids:
                    root.concrete.append((t, m, None))
            if m.dispatch:
                if not m.hierarchy:
                    fail(m.path, m.line, "dispatch is only for hierarchy roots")
                d = self.member(m, m.dispatch)
                if d is None or d.cpp != "DocParameterID":
                    fail(m.path, m.line, f"dispatch member {m.dispatch} must be a DocParameterID member of {m.name}")
        for m in self.models.values():
            self._resolve_kinds(m)
            self._resolve_levels(m)
        for m in self.models.values():
            self._resolve_kind_family(m)
        for m in self.models.values():
            m.cases.sort(key=lambda c: c[0])
            values = [v for v, _ in m.cases]
            if len(set(values)) != len(values):
                fail(m.path, m.line, f"{m.name}: two subclasses share a case value")
        for m in self.models.values():
            m.concrete.sort(key=lambda c: c[0])
            values = [v for v, _, _ in m.concrete]
            if len(set(values)) != len(values):
                fail(m.path, m.line, f"{m.name}: two classes share a type value")
        self._check_ids()

    def _resolve_kinds(self, m):
        """Kind-map options and inherited starts of one model."""
        if m.fallback:
            if not m.dispatch:
                fail(m.path, m.line, "fallback= is for dispatching roots")
            fb = self.models.get(m.fallback)
            if fb is None or fb.root is not m:
                fail(m.path, m.line, f"fallback {m.fallback} is not a class of {m.name}'s family")
            m.fallback_model = fb
        if m.view:
            v = self.models.get(m.view)
            if m.type_id is None or v is None or v not in self.ancestors(m) or m.root is None \
                    or m.root.fallback is None:
                fail(m.path, m.line, f"view= names a class above {m.name} in a kind-map family, and needs type=")
            m.view_model = v
            m.root.concrete = [(t, c, v if c is m else w) for t, c, w in m.root.concrete]
        for stem, value in m.starts:
            if not any(mem.stem == stem for b in self.ancestors(m) for mem in b.members):
                fail(m.path, m.line, f"start:{stem} names no member inherited by {m.name}")

    def kind_member(self, root, cls=None):
        """The enumeration member that names a kind root's classes (kind-by= or read-by=), as
        declared by the root or, for read-by=, by the class given."""
        stem = root.kind_by or root.read_by
        if stem is None:
            return None
        for b in [cls] + self.ancestors(cls) if cls is not None else [root]:
            mem = self.member(b, stem)
            if mem is not None:
                return mem
        return None

    def _resolve_kind_family(self, m):
        """try=, kind-by=, read-by= and tag= of one model."""
        if m.tried or m.kind_by or m.read_by or m.read_missing_null:
            if not m.hierarchy:
                fail(m.path, m.line, "try=, kind-by= and read-by= are for hierarchy roots")
            if m.tried and m.kind_by:
                fail(m.path, m.line, "a root hands models on by try= or by kind-by=, not both")
            if m.read_missing_null and not m.read_by:
                fail(m.path, m.line, "read-missing= goes with read-by=")
            if m.dispatch or m.level_dispatch:
                fail(m.path, m.line, "try=, kind-by= and read-by= do not mix with dispatch= or level-dispatch=")
            for name in m.tried:
                c = self.models.get(name)
                if c is None or c.root is not m:
                    fail(m.path, m.line, f"try= names {name}, not a class below {m.name}")
                m.tried_models.append(c)
            if m.kind_by and (self.member(m, m.kind_by) is None or self.member(m, m.kind_by).elem_enum is None):
                fail(m.path, m.line, f"kind-by member {m.kind_by} must be an enumeration member of {m.name}")
            if m.kind_by and m.read_by and m.kind_by != m.read_by:
                fail(m.path, m.line, "kind-by= and read-by= name one member")
        if m.tag is None:
            return
        root = m if m.hierarchy else m.root
        if root is None or not (root.kind_by or root.read_by):
            fail(m.path, m.line, f"{m.name} gives a tag but its family's root has no kind-by= or read-by=")
        mem = self.kind_member(root, m)
        if mem is None or mem.elem_enum is None or mem.id is None or mem.shape != "single":
            fail(m.path, m.line, f"{m.name} has no enumeration member {root.kind_by or root.read_by} to tag")
        m.tag_value = self.enum_value(m, mem.elem_enum, "tag", m.tag)
        if any(v == m.tag_value for v, _ in root.tags):
            fail(m.path, m.line, f"two classes of {root.name} share the tag {m.tag}")
        others = {self.kind_member(root, c).id for _, c in root.tags}
        if others and mem.id not in others:
            fail(m.path, m.line, f"{m.name}'s {mem.stem} has another parameter id than its family's")
        root.tags.append((m.tag_value, m))

    @staticmethod
    def enum_value(m, enum, option, text):
        """The value an option of model m names in enumeration `enum`: a quoted text (its first
        entry) or a number."""
        if text.startswith('"'):
            want = unescape(text[1:-1])
            values = [v for v, t in enum.entries if t == want]
            if not values:
                fail(m.path, m.line, f"{enum.name} has no entry {want!r}")
            return values[0]
        try:
            return int(text, 0)
        except ValueError:
            fail(m.path, m.line, f"{option}={text}: a quoted text or a number")

    def ancestors(self, m):
        out = []
        b = m.base_model
        while b:
            out.append(b)
            b = b.base_model
        return out

    def inherited_member(self, m, stem):
        for b in self.ancestors(m):
            mem = self.member(b, stem)
            if mem is not None:
                return mem
        return None

    def _resolve_levels(self, m):
        if m.level_dispatch:
            if m.root is None and not m.hierarchy:
                fail(m.path, m.line, "level-dispatch is for classes of a hierarchy")
            d = self.member(m, m.level_dispatch)
            if d is None or d.elem_enum is None or d.shape != "single" or d.id is None:
                fail(m.path, m.line, f"level-dispatch member {m.level_dispatch} must be an enumeration member "
                                     f"of {m.name} with a parameter")
        if m.case is not None:
            base = m.base_model
            if base is None or not base.level_dispatch:
                fail(m.path, m.line, f"{m.name} gives a case but its base is no level with level-dispatch")
            enum = self.member(base, base.level_dispatch).elem_enum
            m.case_value = self.enum_value(m, enum, "case", m.case)
            base.cases.append((m.case_value, m))

    def level_root(self, m):
        """The root of m's hierarchy when its classes hand models on as checked levels."""
        root = m.root or (m if m.hierarchy else None)
        return root if root is not None and root.level_dispatch else None

    def all_members(self, m):
        chain = []
        b = m
        while b:
            chain.append(b)
            b = b.base_model
        out = []
        for b in reversed(chain):
            out.extend(b.members)
        return out

    def member(self, m, stem):
        for mem in m.members:
            if mem.stem == stem:
                return mem
        return None

    def has_clone(self, name):
        """Whether the model has a Clone of its own, generated or declared by a method line."""
        m = self.models.get(name)
        return m is not None and (m.clone is not None or any(re.search(r"\bClone\s*\(", d) for d in m.methods))

    def is_model(self, name):
        return name in self.models or name in EXTERNAL_MODELS

    def _element(self, model, mem, text):
        """(description name, C++ type, is model, enum) of one value type."""
        if text in VALUE_TYPES:
            return text, VALUE_TYPES[text].cpp, False, None
        if text in self.enums:
            return text, self.enums[text].cpp_name, False, self.enums[text]
        if text in self.models:
            return text, text, True, None
        if text in HOST_STRUCTURES:
            return text, HOST_STRUCTURES[text], False, None
        if text == "Parameters":
            return text, "RefCntPtr<const IParameters>", False, None
        if text == "Tuple":
            return text, "RefCntPtr<Tuple>", False, None
        if text in EXTERNAL_MODELS:
            return text, EXTERNAL_MODELS[text], True, None
        fail(mem.path, mem.line, f"{model.name}.{mem.stem}: unknown type {text!r}")

    def _resolve_member(self, model, mem):
        t = mem.type_text
        o = mem.opts
        if mem.id is not None and mem.id >> 24 not in (0xD6, 0xD9):
            fail(mem.path, mem.line, f"parameter id 0x{mem.id:08x} is not in the 0xd6 or 0xd9 blocks")
        m = re.fullmatch(r"vec<(\w+)>", t)
        if t.startswith("`") and t.endswith("`") and len(t) > 2:
            if mem.id is not None:
                fail(mem.path, mem.line, f"{mem.stem}: a member of a C++ type has no parameter; give - as its id")
            mem.kind, mem.elem, mem.elem_cpp = "Held", "held", t[1:-1]
            mem.cpp = f"const {mem.elem_cpp}*" if "byref" in o else mem.elem_cpp
        elif m:
            if m.group(1) not in NUMBER_VECTOR:
                fail(mem.path, mem.line, f"number vectors hold int, uint, float or double, not {m.group(1)}")
            mem.shape, mem.kind, mem.elem, mem.elem_cpp = "vector", "NumberVector", m.group(1), NUMBER_VECTOR[m.group(1)]
            mem.cpp = f"std::vector<{mem.elem_cpp}>"
        elif t.startswith("[") and t.endswith("]"):
            mem.elem, mem.elem_cpp, mem.elem_is_model, mem.elem_enum = self._element(model, mem, t[1:-1])
            mem.shape = "list"
            if mem.elem in HOST_STRUCTURES:
                fail(mem.path, mem.line, f"lists of {mem.elem} are not supported; use a map or a model")
            if mem.elem_is_model or mem.elem == "Tuple":
                mem.kind = "StructureList"
                if mem.elem_is_model:
                    const = "" if "nonconst-items" in o else "const "
                    mem.elem_cpp = f"RefCntPtr<{const}{mem.elem_cpp}>"
                if "item" not in o:
                    fail(mem.path, mem.line, f"{model.name}.{mem.stem}: a structure list needs item=0x...")
                mem.item_id = int(o["item"], 16)
            else:
                mem.kind = "ScalarList"
            mem.cpp = f"std::vector<{mem.elem_cpp}>"
        elif t.startswith("{") and t.endswith("}"):
            mem.elem, mem.elem_cpp, mem.elem_is_model, mem.elem_enum = self._element(model, mem, t[1:-1])
            mem.shape = "map"
            if mem.elem_is_model:
                mem.kind = "StructureMap"
                mem.elem_cpp = f"RefCntPtr<const {mem.elem_cpp}>"
            elif mem.elem in HOST_STRUCTURES:
                mem.kind = "StructureMap"
            else:
                mem.kind = "TextMap"
            mem.cpp = f"std::map<TString, {mem.elem_cpp}>"
        else:
            mem.elem, mem.elem_cpp, mem.elem_is_model, mem.elem_enum = self._element(model, mem, t)
            if t in EXTERNAL_MODELS:
                mem.kind = "Command"
                mem.elem_cpp = mem.cpp = f"RefCntPtr<const {mem.elem_cpp}>"
            elif mem.elem_is_model:
                mem.kind = "NestedStructure"
                mem.elem_cpp = mem.cpp = f"RefCntPtr<const {mem.elem_cpp}>"
            elif t in HOST_STRUCTURES:
                mem.kind, mem.cpp = "NestedStructure", mem.elem_cpp
            elif t == "Parameters":
                mem.kind = "EmbeddedParameters"
                mem.cpp = mem.elem_cpp
            elif t == "Tuple":
                mem.kind, mem.cpp = "NestedStructure", mem.elem_cpp
            elif t == "TString":
                mem.kind, mem.cpp = "PlainText", "TString"
            else:
                mem.kind, mem.cpp = "ScalarText", mem.elem_cpp
        if "ctx" in o:
            if t != "DataValue":
                fail(mem.path, mem.line, "ctx is for DataValue members")
            mem.kind = "ContextualValue"
        if "item" in o and mem.kind != "StructureList":
            fail(mem.path, mem.line, "item= is for structure lists")
        if "nonconst-items" in o and not (mem.kind == "StructureList" and mem.elem_is_model):
            fail(mem.path, mem.line, "nonconst-items is for structure lists of models")
        if "byref" in o and mem.kind != "Held":
            fail(mem.path, mem.line, "byref is for members of a C++ type")
        if "mapflag" in o and mem.kind != "TextMap":
            fail(mem.path, mem.line, "mapflag= is for text maps")
        if "via" in o and (mem.kind != "ScalarText" or o["via"] not in VALUE_TYPES):
            fail(mem.path, mem.line, "via= names a scalar type for a scalar member")
        if "elem-get" in o and mem.shape not in ("list", "vector"):
            fail(mem.path, mem.line, "elem-get= is for lists")
        if mem.shape in ("list", "map") and "elem" not in o and not mem.stem.endswith("s"):
            fail(mem.path, mem.line, f"{mem.stem}: a list or map stem ends in 's', or give elem=")
        if "unless" in o and not re.fullmatch(r"[A-Za-z_][\w:]*", o["unless"]):
            fail(mem.path, mem.line, "unless= names a function")
        if mem.elem in VALUE_TYPES and not VALUE_TYPES[mem.elem].wired and mem.id is not None:
            fail(mem.path, mem.line, f"a {mem.elem} member takes no parameter id (use -)")
        if mem.id is None and any(k in o for k in ("opt", "omit", "if", "item", "mapflag", "via", "noread", "nowrite",
                                                   "unless", "nonconst-items")):
            fail(mem.path, mem.line, "a member without parameter takes no wire options")
        if "if" in o:
            cond = o["if"]
            mm = re.fullmatch(r"(>=|>)(.+)", cond)
            if not mm:
                target = re.split(r"==|!=", cond)[0]
                if self.member(model, target) is None:
                    fail(mem.path, mem.line, f"if= names {target!r}, not a member of {model.name}")
                if self.member(model, target).id is None:
                    fail(mem.path, mem.line, f"if= names {target!r}, a member without parameter")
        if "read-after" in o and self.member(model, o["read-after"]) is None:
            fail(mem.path, mem.line, f"read-after= names {o['read-after']!r}, not a member of {model.name}")

    def _check_ids(self):
        """Members that share a parameter id share a value type and a shape in text."""
        types = {}
        shapes = {}

        def note(pid, typ, where):
            if pid in types and types[pid][0] != typ:
                raise DescriptionError(
                    f"{where}: parameter 0x{pid:08x} holds {typ} here but {types[pid][0]} at {types[pid][1]}")
            types.setdefault(pid, (typ, where))

        for m in self.models.values():
            for mem in m.members:
                if mem.id is None:
                    continue
                where = f"{mem.path}:{mem.line}"
                value = mem.opts.get("via", mem.elem)
                if mem.kind == "ContextualValue":
                    value = "TString"
                note(mem.id, value, where)
                shape = wire_shape(mem)
                if mem.id in shapes and shapes[mem.id][0] != shape:
                    raise DescriptionError(
                        f"{where}: parameter 0x{mem.id:08x} is a {shape} here but a {shapes[mem.id][0]} "
                        f"at {shapes[mem.id][1]}")
                shapes.setdefault(mem.id, (shape, where))
                if mem.kind == "StructureList":
                    note(mem.item_id, mem.elem, where)
            for t in m.type_ids:
                note(t, m.name, f"{m.path}:{m.line}")


def load(enum_files, model_files, host_enum_files=(), external_enum_files=(), external_model_files=()):
    """Reads descriptions. External ones are known to the others but generated elsewhere."""
    enums = []
    for p in host_enum_files:
        enums += parse_enums(p, group_name(p), host=True)
    for p in enum_files:
        enums += parse_enums(p, group_name(p))
    for p in external_enum_files:
        for e in parse_enums(p, group_name(p)):
            e.external = True
            enums.append(e)
    models = []
    for p in model_files:
        models += parse_models(p, group_name(p))
    for p in external_model_files:
        for m in parse_models(p, group_name(p)):
            m.external = True
            models.append(m)
    return Catalogue(enums, models)


def group_name(path):
    """'descriptions/models/worked-example.models' -> 'WorkedExample'."""
    stem = re.sub(r"\.\w+$", "", path.replace("\\", "/").rsplit("/", 1)[-1])
    return "".join(w[:1].upper() + w[1:] for w in re.split(r"[-_.]", stem) if w)


if __name__ == "__main__":
    sys.exit("use pmgen.py")
