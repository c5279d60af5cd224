"""Writes a Protocol Buffers schema equivalent to the wire text's JSON Schema, so that the
benchmarks can set the library beside Protocol Buffers' JSON on the same document.

Every model becomes a message whose fields carry the wire text's parameter names as their
JSON names, so that Protocol Buffers' JSON parser reads the library's text unchanged:
texts are strings, lists repeated fields, maps maps, a member that may hold any class of a
hierarchy a message holding the members of all of them, and embedded parameters the bag of
models under their default ids. The bag holds the models named on the command line (those
the benchmark's document holds), so that the schema covers what the document needs.

    proto_schema.py SCHEMA.json OUT.proto MODEL...
"""

import json
import re
import sys

LIST_VALUE = "google.protobuf.ListValue"
ANY_VALUE = "google.protobuf.Value"
BAG = "ModelBag"


class Schema:
    def __init__(self, schema, bag_models):
        self.bag_models = set(bag_models)
        self.defs = schema["$defs"]
        self.root = schema
        self.messages = {}  # message name -> [(json name, field type, repeated)]
        self.unions = {}    # tuple of alternatives -> message name

    @staticmethod
    def message_name(def_name):
        return "M_" + re.sub(r"[^A-Za-z0-9]", "_", def_name)

    def target(self, ref):
        name = ref.split("/")[-1].replace("~1", "/").replace("~0", "~")
        return name, self.defs[name]

    def is_message(self, schema):
        return "$ref" in schema and "properties" in self.target(schema["$ref"])[1]

    def field_type(self, p):
        """(type, repeated) of one property schema."""
        if "$ref" in p:
            name, t = self.target(p["$ref"])
            if "properties" in t:
                return self.message(name), False
            if name == "WireValue":
                return BAG, False
            return "string", False
        if "anyOf" in p:
            alts = [a for a in p["anyOf"] if a.get("type") != "null"]
            if len(alts) == 1:
                return self.field_type(alts[0])
            if all(self.is_message(a) for a in alts):
                return self.union([self.target(a["$ref"])[0] for a in alts]), False
            return "string", False
        kind = p.get("type")
        if kind == "array":
            item, repeated = self.field_type(p["items"])
            return (LIST_VALUE if repeated else item), True
        if kind == "object":
            value, repeated = self.field_type(p["additionalProperties"])
            if value == BAG:
                return BAG, False
            return f"map<string, {LIST_VALUE if repeated else value}>", False
        return "string", False

    def message(self, def_name):
        msg = self.message_name(def_name)
        if msg not in self.messages:
            self.messages[msg] = None  # being made: a nested reference to itself is fine
            self.messages[msg] = [(k, *self.field_type(v)) for k, v in self.defs[def_name]["properties"].items()]
        return msg

    def union(self, alternatives):
        key = tuple(alternatives)
        if key not in self.unions:
            name = f"AnyOf_{self.message_name(alternatives[0])[2:]}_{len(self.unions)}"
            self.unions[key] = name
            self.messages[name] = None
            fields, seen = [], {}
            for alt in alternatives:
                for k, typ, rep in self.messages.get(self.message(alt)) or []:
                    if k not in seen:
                        seen[k] = len(fields)
                        fields.append((k, typ, rep))
                    elif fields[seen[k]][1:] != (typ, rep):
                        fields[seen[k]] = (k, ANY_VALUE, False)
            self.messages[name] = fields
        return self.unions[key]

    def bag(self):
        self.messages[BAG] = None
        props = self.root["properties"]
        missing = self.bag_models - set(props)
        if missing:
            raise SystemExit(f"proto_schema.py: no models named {sorted(missing)}")
        self.messages[BAG] = [(k, *self.field_type(v)) for k, v in props.items() if k in self.bag_models]

    def text(self):
        self.bag()
        out = ['syntax = "proto3";', "", "package presmodel_bench;", ""]
        if any(typ in (LIST_VALUE, ANY_VALUE) or LIST_VALUE in typ
               for fields in self.messages.values() for _, typ, _ in fields):
            out += ['import "google/protobuf/struct.proto";', ""]
        for name in sorted(self.messages):
            out.append(f"message {name} {{")
            for number, (json_name, typ, repeated) in enumerate(self.messages[name], 1):
                label = "repeated " if repeated and not typ.startswith("map<") else ""
                out.append(f"  {label}{typ} f{number} = {number} [json_name = {json.dumps(json_name)}];")
            out.append("}")
        return "\n".join(out) + "\n"


def main(argv):
    with open(argv[0], encoding="utf-8") as f:
        text = Schema(json.load(f), argv[2:]).text()
    with open(argv[1], "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv[1:])
