// The engine of the web reader of the wire text: reads wire text into typed models and
// writes them back, by the tables that presmodel.ts holds (generated from the descriptions).
// It does what the library's reader and writer do (docs/wire-format.md), step for step:
//
// - Reading, the text is parsed as the reader's general parser parses it and every event is
//   handled as the reader handles it: names looked up, shapes and values checked, each
//   object a bag of parameters that the class's reader (families included) turns into a
//   model as the object closes; errors and skipped names carry the byte offset and the path
//   of names. Text as the writer writes it takes a shorter way: JSON.parse, then the same
//   tables pull each class's members out of the parsed objects; anything that way does not
//   expect (an unknown name, a value to refuse, white space, a repeated name) sends the
//   text the long way, which gives the error or the skipped names.
// - Writing follows the generic writer: members in write order by their presence rules,
//   the levels of a family from its root down, each once, handed on by discriminant, kind
//   or checked level as the library's writer hands them on, with its errors and their
//   places.

// ---- values

/** {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}, lower-case hexadecimal. */
export type Uuid = string;
/** A colour: red, green, blue and alpha (outside 0..255 for special colours) and a type. */
export interface Color {
  r: number;
  g: number;
  b: number;
  a: number;
  type: number;
}
/** One value of a data column: null, a flag, an integer (bigint), a real (number) or a text. */
export type DataValue = null | boolean | bigint | number | string;
export interface PaneId {
  Row: number;
  Column: number;
}
export interface DataColumn {
  Name: string;
  Values: string[];
}
/** Every model carries its class. */
export interface Model {
  $class: string;
}
/** A bag of parameters under their names. */
export interface Bag {
  [name: string]: unknown;
}
export type JsonValue = string | null | JsonValue[] | JsonObject;
export interface JsonObject {
  [key: string]: JsonValue;
}
export interface Limits {
  /** Open objects and arrays, the outer bag included. */
  depth: number;
  /** One text (a name, a key or a value), in bytes of UTF-8. */
  textBytes: number;
  /** Parameters of one bag, items of one list or entries of one map. */
  count: number;
}
export interface ReadOptions {
  /** Note which members of each model were absent and took their starting value (absentMembers). */
  absent?: boolean;
  limits?: Partial<Limits>;
  /** Read the text event by event even when it is as the writer writes it (the tests compare
   *  the two ways). */
  eventByEvent?: boolean;
}
/** What a lenient read left out or read as a default: where, the path of names to it, and why. */
export interface Skipped {
  offset: number;
  path: string;
  reason: string;
}

/** Wire text the reader refuses: the byte offset, the path of names to the place, the reason. */
export class WireError extends Error {
  /** A lenient read: what it had left out or read as a default before the error. */
  skipped: Skipped[] = [];
  constructor(readonly offset: number, readonly reason: string, readonly path: string) {
    super(`wire text, byte ${offset}: ${reason}`);
    this.name = "WireError";
  }
}

// The path of the steps an error passed, innermost first: the outermost step first, each
// after " > " but for indexes and keys ("DashboardPresModel.Zones[2] > ZonePresModel.Visual").
function pathOf(steps: string[]): string {
  let path = "";
  for (let i = steps.length - 1; i >= 0; --i) {
    const step = steps[i];
    if (path && step && step[0] !== "[") path += " > ";
    path += step;
  }
  return path;
}

/** A model the writer cannot write, with the path of models and members to the place. */
export class WriteError extends Error {
  readonly steps: string[] = [];
  constructor(message: string) {
    super(message);
    this.name = "WriteError";
  }
  get path(): string {
    return pathOf(this.steps);
  }
}

// An error raised while a value is made from its text, or while a model is rebuilt: its text
// and the steps of its place (innermost first), as the library's errors carry them.
class ValueError extends Error {
  readonly steps: string[] = [];
  get path(): string {
    return pathOf(this.steps);
  }
}

const NULL_POINTER = "Null pointer dereferenced";
const TYPE_MISMATCH = "Parameter 0x00000000 has another value type than expected";
const NO_TEXT = "Enumeration value has no text";
const DEFAULT_LIMITS: Limits = { depth: 200, textBytes: 64 * 1024 * 1024, count: 1 << 24 };
const NULL_UUID = "{00000000-0000-0000-0000-000000000000}";

/** The starting value "a fresh nested model" and "a fresh random identifier" in the tables. */
export const NEW = "\u0000new";
export const UUID = "\u0000uuid";

function valueTextError(type: string, text: string): ValueError {
  return new ValueError(`not a valid ${type}: "${text}"`);
}

// ---- value texts

const INTEGER = /^-?[0-9]+$/;
const UNSIGNED = /^[0-9]+$/;
const REAL = /^-?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?$/;
const PLAIN_REAL = /^-?[0-9]+(?:\.[0-9]+)?$/;

function parseInteger(text: string, lo: bigint, hi: bigint, type: string, signed: boolean): bigint {
  if (text.length > 64 || !(signed ? INTEGER : UNSIGNED).test(text)) throw valueTextError(type, text);
  const v = BigInt(text);
  if (v < lo || v > hi) throw valueTextError(type, text);
  return v;
}

function parseSmall(text: string, lo: number, hi: number, type: string, signed: boolean): number {
  const n = text.length;
  if (n > 0 && n < 10) {
    // Most numbers: a few digits.
    const c = text.charCodeAt(0);
    if ((c >= 48 && c <= 57) || (c === 45 && signed && n > 1)) {
      let ok = true;
      for (let i = 1; i < n; ++i) {
        const d = text.charCodeAt(i);
        if (d < 48 || d > 57) {
          ok = false;
          break;
        }
      }
      if (ok) {
        const v = +text;
        if (v >= lo && v <= hi) return v === 0 ? 0 : v;
        throw valueTextError(type, text);
      }
    }
    throw valueTextError(type, text);
  }
  return Number(parseInteger(text, BigInt(lo), BigInt(hi), type, signed));
}

// parseSmall's number, or FAIL where it would raise.
function smallExact(text: string, lo: number, hi: number, signed: boolean): unknown {
  const n = text.length;
  if (n === 0 || n > 10) return n > 10 ? exactly(() => parseSmall(text, lo, hi, "", signed)) : FAIL;
  let i = 0;
  if (text.charCodeAt(0) === 45) {
    if (!signed || n === 1) return FAIL;
    i = 1;
  }
  for (; i < n; ++i) {
    const d = text.charCodeAt(i);
    if (d < 48 || d > 57) return FAIL;
  }
  const v = +text;
  return v >= lo && v <= hi ? (v === 0 ? 0 : v) : FAIL;
}

// The JSON text of an integer; those of small ones made once.
const SMALL_INTS: string[] = [];
for (let i = -1024; i < 8192; ++i) SMALL_INTS.push('"' + i + '"');
function intJson(v: unknown): string {
  const n = v as number;
  return n >= -1024 && n < 8192 && (n | 0) === n ? SMALL_INTS[n + 1024] : '"' + n + '"';
}

function exactly(f: () => unknown): unknown {
  try {
    return f();
  } catch {
    return FAIL;
  }
}

const CANONICAL_UUID = /^\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\}$/;

const F32 = new Float32Array(1);
const F64 = new DataView(new ArrayBuffer(8));

function negativeNaN(): number {
  return -NaN;
}

function isNegative(v: number): boolean {
  F64.setFloat64(0, v);
  return (F64.getUint8(0) & 0x80) !== 0;
}

// What the library's number parser takes for a real: an optional '-', digits with a point,
// an exponent; also its own spellings of infinity and not-a-number.
function parseReal(text: string, float: boolean): number {
  const type = float ? "float" : "double";
  if (text === "nan") return NaN;
  if (text === "-nan") return negativeNaN();
  if (text === "inf") return Infinity;
  if (text === "-inf") return -Infinity;
  if (text.length > 64 || text.length === 0) throw valueTextError(type, text);
  let v: number;
  if (PLAIN_REAL.test(text) || REAL.test(text)) {
    // (A float is the double nearest the text, then the float nearest that: one rounding more
    // than the library's, which differs only for texts within a hair of halfway between floats.)
    v = +text;
  } else {
    const lower = text.toLowerCase();
    const body = lower.startsWith("-") ? lower.slice(1) : lower;
    const minus = lower.startsWith("-");
    if (body === "inf" || body === "infinity") return minus ? -Infinity : Infinity;
    if (body === "nan" || /^nan\([0-9a-z_]*\)$/.test(body)) return minus ? negativeNaN() : NaN;
    throw valueTextError(type, text);
  }
  if (float) {
    const f = Math.fround(v);
    if (!Number.isFinite(f) || (f === 0 && hasNonZeroDigit(text))) throw valueTextError(type, text);
    return f;
  }
  if (!Number.isFinite(v) || (v === 0 && hasNonZeroDigit(text))) throw valueTextError(type, text);
  return v;
}

function hasNonZeroDigit(text: string): boolean {
  const e = text.search(/[eE]/);
  return /[1-9]/.test(e < 0 ? text : text.slice(0, e));
}

// The shortest text that reads back as the value (as std::to_chars writes it): plain or with
// an exponent of at least two digits, whichever is shorter, plain on a tie; plain, a whole
// number shows its own digits. Documents repeat their numbers: the last texts are kept.
const REAL_TEXTS = [new Map<number, string>(), new Map<number, string>()];

function realText(v: number, float: boolean): string {
  const kept = REAL_TEXTS[float ? 1 : 0];
  let s = kept.get(v);
  if (s === undefined || v === 0 || v !== v) {
    s = formatReal(v, float);
    if (kept.size > 8192) kept.clear();
    kept.set(v, s);
  }
  return s;
}

function formatReal(v: number, float: boolean): string {
  if (v !== v) return isNegative(v) ? "-nan" : "nan";
  if (v === Infinity) return "inf";
  if (v === -Infinity) return "-inf";
  if (v === 0) return isNegative(v) ? "-0" : "0";
  let sci: string;
  if (float) {
    // The shortest digits that read back as the float: those of the double when they are few
    // enough to be the float's too, else the first precision that reads back.
    sci = v.toExponential();
    if (sci.indexOf("e") > (sci[0] === "-" ? 8 : 7)) {
      for (let p = 1; p <= 9; ++p) {
        const t = v.toExponential(p - 1);
        F32[0] = Number(t);
        if (F32[0] === v) {
          sci = t;
          break;
        }
      }
    }
  } else {
    sci = v.toExponential();
  }
  const minus = sci[0] === "-";
  const e = sci.indexOf("e");
  const mantissa = sci.slice(minus ? 1 : 0, e);
  const exp = Number(sci.slice(e + 1));
  const digits = mantissa.length > 1 ? mantissa[0] + mantissa.slice(2) : mantissa;
  const k = digits.length;
  const a = Math.abs(exp);
  const sciLength = mantissa.length + (a < 100 ? 4 : 5);
  const fixedLength = exp >= 0 ? Math.max(exp + 1, k + (k - 1 > exp ? 1 : 0)) : 1 - exp + k;
  let out: string;
  if (fixedLength > sciLength) {
    out = mantissa + "e" + (exp < 0 ? "-" : "+") + (a < 10 ? "0" + a : String(a));
  } else if (exp >= k - 1) {
    out = BigInt(Math.abs(v)).toString();
  } else if (exp >= 0) {
    out = digits.slice(0, exp + 1) + "." + digits.slice(exp + 1);
  } else {
    out = "0." + "0".repeat(-exp - 1) + digits;
  }
  return minus ? "-" + out : out;
}

// Colours: "#rrggbbaa", or "rgba(r,g,b,a)" for a colour outside the byte range, then ";type"
// unless the type is 0. Any other text reads as the default colour.
// Colours are values: frozen, so that one object may stand for every equal colour.
const DEFAULT_COLOR: Color = Object.freeze({ r: 0, g: 0, b: 0, a: 255, type: 0 });
const COLORS = new Map<string, Color>();

function colorOf(text: string): Color {
  let c = COLORS.get(text);
  if (c === undefined) {
    c = Object.freeze(parseColor(text));
    if (COLORS.size > 4096) COLORS.clear();
    COLORS.set(text, c);
  }
  return c;
}

// A signed number as std::from_chars reads one, the whole text; null for any other.
function fromChars(text: string, base: 10 | 16): number | null {
  const m = (base === 10 ? /^-?[0-9]+$/ : /^-?[0-9a-fA-F]+$/).test(text);
  if (!m) return null;
  const v = parseInt(text, base);
  return v >= -2147483648 && v <= 2147483647 ? v : null;
}

function parseColor(text: string): Color {
  let v = text;
  let type = 0;
  const semi = v.indexOf(";");
  if (semi >= 0) {
    const t = fromChars(v.slice(semi + 1), 10);
    if (t === null) return { ...DEFAULT_COLOR };
    type = t;
    v = v.slice(0, semi);
  }
  const c = [0, 0, 0, 255];
  if (v.length === 9 && v[0] === "#") {
    for (let i = 0; i < 4; ++i) {
      const x = fromChars(v.slice(1 + 2 * i, 3 + 2 * i), 16);
      if (x === null) return { ...DEFAULT_COLOR };
      c[i] = x;
    }
  } else if (v.length > 6 && v.startsWith("rgba(") && v.endsWith(")")) {
    const parts = v.slice(5, -1).split(",");
    if (parts.length !== 4) return { ...DEFAULT_COLOR };
    for (let i = 0; i < 4; ++i) {
      const m = /^-?[0-9]+/.exec(parts[i]);
      if (!m || m[0].length !== parts[i].length) return { ...DEFAULT_COLOR };
      const x = fromChars(parts[i], 10);
      if (x === null) return { ...DEFAULT_COLOR };
      c[i] = x;
    }
  } else {
    return { ...DEFAULT_COLOR };
  }
  return { r: c[0], g: c[1], b: c[2], a: c[3], type };
}

const HEX2: string[] = [];
for (let i = 0; i < 256; ++i) HEX2.push((i < 16 ? "0" : "") + i.toString(16));

function inByte(v: number): boolean {
  return v >= 0 && v <= 255;
}

/** The text of a colour as the wire carries it. */
export function colorText(c: Color): string {
  let s: string;
  if (inByte(c.r) && inByte(c.g) && inByte(c.b) && inByte(c.a)) s = "#" + HEX2[c.r] + HEX2[c.g] + HEX2[c.b] + HEX2[c.a];
  else s = `rgba(${c.r},${c.g},${c.b},${c.a})`;
  return c.type !== 0 ? s + ";" + c.type : s;
}

function sameColor(a: Color, b: Color): boolean {
  return a.r === b.r && a.g === b.g && a.b === b.b && a.a === b.a && a.type === b.type;
}

// Identifiers: "{...}" or the same without braces, any case; any other text is the null one.
function parseUuid(text: string): Uuid {
  let v = text;
  if (v.length === 38 && v[0] === "{" && v[37] === "}") v = v.slice(1, 37);
  if (v.length !== 36 || !/^[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}$/.test(v))
    return NULL_UUID;
  return "{" + v.toLowerCase() + "}";
}

/** The text of an identifier as the wire carries it. */
export function uuidText(u: Uuid): string {
  return parseUuid(u);
}

function newUuid(): Uuid {
  const b = new Uint8Array(16);
  const c = (globalThis as { crypto?: { getRandomValues(a: Uint8Array): Uint8Array } }).crypto;
  if (c) c.getRandomValues(b);
  else for (let i = 0; i < 16; ++i) b[i] = Math.floor(Math.random() * 256);
  b[6] = (b[6] & 0x0f) | 0x40;
  b[8] = (b[8] & 0x3f) | 0x80;
  let s = "{";
  for (let i = 0; i < 16; ++i) {
    if (i === 4 || i === 6 || i === 8 || i === 10) s += "-";
    s += HEX2[b[i]];
  }
  return s + "}";
}

// Data values describe their own type: "%null%", "%b:true", "%i:42", "%r:2.5"; a text that
// starts with '%' is written "%s:" and the text.
function parseDataValue(text: string): DataValue {
  if (text.length === 0 || text[0] !== "%") return text;
  if (text === "%null%") return null;
  if (text.length >= 3 && text[2] === ":") {
    const rest = text.slice(3);
    switch (text[1]) {
      case "b":
        if (rest === "true") return true;
        if (rest === "false") return false;
        throw valueTextError("flag", rest);
      case "i":
        return parseInteger(rest, -(2n ** 63n), 2n ** 63n - 1n, "integer", true);
      case "r":
        return parseReal(rest, false);
      case "s":
        return rest;
    }
  }
  throw valueTextError("data value", text);
}

/** The text of a data value as the wire carries it. */
export function dataValueText(v: DataValue): string {
  if (v === null) return "%null%";
  if (typeof v === "boolean") return v ? "%b:true" : "%b:false";
  if (typeof v === "bigint") return "%i:" + v.toString();
  if (typeof v === "number") return "%r:" + realText(v, false);
  return v.length === 0 || v[0] !== "%" ? v : "%s:" + v;
}

function sameDataValue(a: DataValue, b: DataValue): boolean {
  if (typeof a === "number" && typeof b === "number") return a === b;
  return typeof a === typeof b && a === b;
}

// Images travel as the base64 text of their PNG encoding; the null image is the empty text.
// The text is kept as it is, padded as the writer pads it; a text that is not base64 (padding
// may be left out, not overdone) or not of a PNG is refused. (The library's reader decodes the
// PNG and its writer encodes the pixels again: PNG data beyond the signature is not checked
// here, and a PNG the library would encode otherwise is not encoded again.)
const BASE64 = /^[A-Za-z0-9+/]*$/;
const PNG_SIGNATURE = "iVBORw0KGgo";
function checkImage(text: string, type: string): string {
  if (text.length === 0) return text;
  let body = text;
  let pad = 0;
  while (pad < 3 && body.endsWith("=")) {
    body = body.slice(0, -1);
    ++pad;
  }
  if (pad > 2 || !BASE64.test(body) || (pad > 0 && text.length % 4 !== 0) || !body.startsWith(PNG_SIGNATURE))
    throw valueTextError(type, text);
  return pad === 0 && body.length % 4 >= 2 ? body + "==".slice(body.length % 4 - 2) : text;
}

// ---- JSON text

const NEEDS_ESCAPE = /["\\\u0000-\u001f\ud800-\udfff]/;

function escapeSlowly(s: string): string {
  let out = '"';
  for (let i = 0; i < s.length; ++i) {
    const c = s.charCodeAt(i);
    if (c === 34) out += '\\"';
    else if (c === 92) out += "\\\\";
    else if (c === 10) out += "\\n";
    else if (c === 9) out += "\\t";
    else if (c === 13) out += "\\r";
    else if (c < 0x20) out += "\\u00" + HEX2[c];
    else if (c >= 0xd800 && c < 0xdc00 && i + 1 < s.length && s.charCodeAt(i + 1) >= 0xdc00 && s.charCodeAt(i + 1) < 0xe000) {
      out += s[i] + s[i + 1];
      ++i;
    } else if (c >= 0xd800 && c < 0xe000) out += "\\u" + c.toString(16);
    else out += s[i];
  }
  return out + '"';
}

/** A text as a JSON string, escaped as the library's writer escapes it. */
function quote(s: string): string {
  return NEEDS_ESCAPE.test(s) ? escapeSlowly(s) : '"' + s + '"';
}

// The white space before and after the text's value (a file's last line break).
function outerSpace(text: string): number {
  const space = (c: number) => c === 0x20 || c === 0x0a || c === 0x0d || c === 0x09;
  let n = 0;
  while (n < text.length && space(text.charCodeAt(n))) ++n;
  let m = 0;
  while (m < text.length - n && space(text.charCodeAt(text.length - 1 - m))) ++m;
  return n + m;
}

// How much longer escapes make the texts of a JSON text than the texts they stand for.
function escapedLength(text: string): number {
  let n = 0;
  for (let at = text.indexOf("\\"); at >= 0; at = text.indexOf("\\", at)) {
    if (text.charCodeAt(at + 1) === 0x75) {
      n += 5;
      at += 6;
    } else {
      n += 1;
      at += 2;
    }
  }
  return n;
}

function utf8Length(s: string, from = 0, to = s.length): number {
  let n = 0;
  for (let i = from; i < to; ++i) {
    const c = s.charCodeAt(i);
    if (c < 0x80) n += 1;
    else if (c < 0x800) n += 2;
    else if (c >= 0xd800 && c < 0xdc00 && i + 1 < to && s.charCodeAt(i + 1) >= 0xdc00 && s.charCodeAt(i + 1) < 0xe000) {
      n += 4;
      ++i;
    } else n += 3;
  }
  return n;
}

// ---- tables

type EnumRow = [string, number, [number, string][]];
type ParameterRow = [number, string, string, string];
type Start = string | number | boolean | bigint | null | Color;
interface MemberOptions {
  as?: string;
  set?: boolean;
  omit?: Start;
  if?: [number, string, Start?];
  unless?: string;
  noread?: boolean;
  nowrite?: boolean;
}
type MemberRow = [string, number, string, string, Start] | [string, number, string, string, Start, MemberOptions];
interface ClassOptions {
  sets?: { [stem: string]: Start };
  flag?: boolean;
  hooked?: string;
  readOrder?: number[];
  dispatch?: { member: number; concrete: ([number, string] | [number, string, string])[]; fallback?: string };
  viewedAs?: string;
  level?: { member: number; cases: [number, string][]; source: string };
  kinds?: { scheme: string; tried: string[]; tags: [number, string][]; kind: number; readByKind: boolean; missingIsNull: boolean };
}
type ModelRow = [string, number, string | null, MemberRow[]] | [string, number, string | null, MemberRow[], ClassOptions];

class EnumInfo {
  readonly byValue = new Map<number, string>();
  readonly byText = new Map<string, number>();
  readonly json = new Map<string, string>();
  constructor(readonly name: string, readonly defaultValue: number, entries: [number, string][]) {
    for (const [v, t] of entries) {
      this.byValue.set(v, t);
      this.byText.set(t, v);
      this.json.set(t, quote(t));
    }
  }
  // What the table decodes a text to: its value, or the default value; as the value is held
  // here (its text, or its number when it has none).
  decode(text: string): string | number {
    if (this.byText.has(text)) return text;
    const d = this.byValue.get(this.defaultValue);
    return d !== undefined ? d : this.defaultValue;
  }
  valueOf(v: string | number): number {
    if (typeof v === "number") return v;
    const n = this.byText.get(v);
    if (n === undefined) throw new TypeError(`'${v}' is not a text of ${this.name}`);
    return n;
  }
  textOf(v: string | number): string {
    if (typeof v === "string") {
      if (!this.byText.has(v)) throw new TypeError(`'${v}' is not a text of ${this.name}`);
      return v;
    }
    const t = this.byValue.get(v);
    if (t === undefined) throw new ValueError(NO_TEXT);
    return t;
  }
  // A value as it is held: the text of a value that has one.
  held(v: number): string | number {
    const t = this.byValue.get(v);
    return t !== undefined ? t : v;
  }
}

// The codec of one value type: from text (raising the serializer's error), to its JSON text,
// emptiness and comparison as the presence rules ask them.
interface Codec {
  code: string;
  enumeration: boolean;
  decode(text: string): unknown;
  // The value of a text the reader takes as it is (its serializer raises nothing, an
  // enumeration's table holds it), else FAIL: the text goes the long way.
  exact(text: string): unknown;
  json(v: unknown): string;
  text(v: unknown): string;
  empty(v: unknown): boolean;
  // -1, 0, 1, or 2 when not ordered
  compare(a: unknown, b: unknown): number;
  integer(v: unknown): number;
  check(v: unknown): void;
}

function order(a: number | bigint, b: number | bigint): number {
  return a < b ? -1 : b < a ? 1 : a === b ? 0 : 2;
}

function same(eq: boolean): number {
  return eq ? 0 : 2;
}

class Param {
  readonly key: string;
  readonly keyc: string;
  // An enumeration's value (a text its table does not hold is unknown).
  readonly enumeration: boolean;
  // A structure serializer is registered for the id: models, tuples or value structures.
  readonly structures: boolean;
  // A value serializer is registered for the id.
  readonly values: boolean;
  // Its structures are read from list items (tuples: arrays in text).
  readonly parsesList: boolean;
  constructor(
    readonly id: number,
    readonly name: string,
    readonly shape: string,
    readonly serializer: string,
    readonly codec: Codec | null,
    readonly model: ClassInfo | null,
  ) {
    this.key = quote(name) + ":";
    this.keyc = "," + this.key;
    this.enumeration = codec !== null && codec.enumeration;
    this.structures = model !== null || serializer === "Tuple" || serializer === "PaneId" || serializer === "DataColumn";
    this.values = codec !== null || serializer === "Tuple" || serializer === "Commands" || serializer === "SimpleCommands";
    this.parsesList = serializer === "Tuple";
  }
}

interface Condition {
  member: MemberInfo | null;
  op: string;
  value: unknown;
}

class MemberInfo {
  param!: Param;
  codec: Codec | null = null; // scalars, items, text maps, the context value
  model: ClassInfo | null = null; // nested models, lists and maps of them
  start: unknown;
  omit: unknown = undefined;
  whenSet = false;
  guard: Condition | null = null;
  unless: ((v: unknown) => boolean) | null = null;
  read = true;
  write = true;
  asUnsigned = false; // a uint member whose text is an int's
  proto = false; // a name objects have without holding it
  readIn = new Set<ClassInfo>(); // the classes whose models' readers set the member
  scalar: Codec | null = null; // a member held as one text by a value serializer
  always = false; // written whatever it holds
  pieces: Map<unknown, [string, string]> | null = null; // texts of the member with its values
  constructor(
    readonly owner: ClassInfo,
    readonly stem: string,
    readonly id: number,
    readonly kind: string,
    readonly type: string,
  ) {}
  get step(): string {
    return this.owner.name + "." + this.stem;
  }
}

class ClassInfo {
  base: ClassInfo | null = null;
  members: MemberInfo[] = [];
  readOrder: MemberInfo[] = [];
  all: MemberInfo[] = []; // every level's members, the root's first
  readAll: MemberInfo[] = []; // every level's members in the order their readers read them
  ancestors = new Set<ClassInfo>();
  flag = false;
  sets: { [stem: string]: Start } = {};
  dispatch: {
    member: MemberInfo;
    concrete: { type: number; info: ClassInfo; view: ClassInfo | null }[];
    byType: Map<number, ClassInfo>; // the class each value names, the first of those listed
    fallback: ClassInfo | null;
  } | null = null;
  viewedAs: ClassInfo | null = null;
  level: { member: MemberInfo; cases: Map<number, ClassInfo>; source: string } | null = null;
  kinds: { scheme: string; tried: ClassInfo[]; tags: Map<number, ClassInfo>; kind: number; readByKind: boolean; missingIsNull: boolean } | null = null;
  template: { [stem: string]: unknown } = {};
  // A copy of the template: an object of the class's own shape, so that code reading and
  // writing models of one class meets one shape.
  copy: (template: { [stem: string]: unknown }) => { [stem: string]: unknown } = (t) => ({ ...t });
  fresh: MemberInfo[] = []; // members whose starting value is made anew for each model
  byName = new Map<string, MemberInfo>();
  checked = false; // a class of checked levels
  hooked: string | null = null; // a hand-written step of its serializer
  plain = false; // no base, no family, no hand-written step: written by its own members alone
  root: ClassInfo | null = null; // the class of its family that dispatches by discriminant
  reads: boolean[] = []; // for each of `all`: whether the class's reader sets it
  reader: Reader | null | undefined = undefined; // readRaw made as code for the class, once
  writer: MemberWriter | null | undefined = undefined; // writeMembers made as code, once
  kindMember: MemberInfo | null = null; // a kind root's member whose value names the class
  short: string;
  constructor(readonly name: string, readonly defaultId: number, readonly row: ModelRow) {
    this.short = name.endsWith("PresModel") && name.length > 9 ? name.slice(0, -9) : name;
  }
  // Whether the model is of this class or a class below it.
  isInstance(model: unknown): boolean {
    if (model === null || typeof model !== "object") return false;
    const c = (model as Model).$class;
    if (c === this.name) return true;
    const cls = this.catalogue?.classes.get(c);
    return cls !== undefined && cls.ancestors.has(this);
  }
  catalogue: Catalogue | null = null;
}


const PRESENCE_TESTS: { [name: string]: (v: unknown) => boolean } = {
  // Null, or a command list without commands.
  "PresenceTests::HasNoCommands": (v) => v === null || (v as string[]).length === 0,
  // Null, or the point (0, 0).
  "PresenceTests::IsAtOrigin": (v) => v === null || ((v as { X: number }).X === 0 && (v as { Y: number }).Y === 0),
  // Null, or a rectangle without width or height, or a circle without radius.
  "SimpleTypesPresModelHelpers::IsEmpty": (v) => {
    if (v === null) return true;
    const m = v as { Radius?: number; Width?: number; Height?: number; $class: string };
    if (m.$class.includes("Circle")) return m.Radius === 0;
    return m.Width === 0 || m.Height === 0;
  },
};

// The members each model read with `absent: true` took from its text, and its class.
const PRESENT = new WeakMap<object, { cls: ClassInfo; stems: Set<string> }>();

/** The stems of the model's members that were absent from the text it was read from (or
 *  written there but never read) and hold their starting value; undefined for a model not
 *  read with `absent: true`. */
export function absentMembers(model: Model): string[] | undefined {
  const present = PRESENT.get(model);
  if (!present) return undefined;
  return present.cls.all.filter((m) => !present.stems.has(m.stem)).map((m) => m.stem);
}

/** Whether the member of the model was absent from the text it was read from. */
export function isAbsent(model: Model, stem: string): boolean {
  const present = PRESENT.get(model);
  return present !== undefined && !present.stems.has(stem);
}

// The fast way gives up: the text goes the long way.
class Bail {}
const BAIL = new Bail();
const FAIL = Symbol("fail");

// ---- the catalogue

export class Catalogue {
  readonly enums = new Map<string, EnumInfo>();
  readonly byId = new Map<number, Param>();
  readonly byName = new Map<string, Param>();
  readonly classes = new Map<string, ClassInfo>();
  private readonly codecs = new Map<string, Codec>();
  private readonly pid: Codec;

  constructor(enums: EnumRow[], parameters: ParameterRow[], models: ModelRow[]) {
    for (const [name, def, entries] of enums) this.enums.set(name, new EnumInfo(name, def, entries));
    for (const row of models) {
      const cls = new ClassInfo(row[0], row[1], row);
      cls.catalogue = this;
      this.classes.set(row[0], cls);
    }
    this.pid = this.makePidCodec();
    this.codecs.set("pid", this.pid);
    for (const [id, name, shape, serializer] of parameters) {
      let codec: Codec | null = null;
      let model: ClassInfo | null = null;
      if (serializer.startsWith("m:")) model = this.classOf(serializer.slice(2));
      else if (serializer && !["Tuple", "PaneId", "DataColumn", "Commands", "SimpleCommands"].includes(serializer))
        codec = this.codec(serializer);
      const p = new Param(id, name, shape, serializer, codec, model);
      this.byId.set(id, p);
      this.byName.set(name, p);
    }
    for (const cls of this.classes.values()) this.resolve(cls);
    for (const cls of this.classes.values()) this.resolveFamily(cls);
    // What depends on every class's family being resolved.
    for (const cls of this.classes.values()) {
      for (let b: ClassInfo | null = cls; b; b = b.base) if (b.level) cls.checked = true;
      cls.plain = !cls.base && !cls.flag && !cls.kinds && !cls.root && !cls.level && !cls.hooked;
    }
  }

  private classOf(name: string): ClassInfo {
    const c = this.classes.get(name);
    if (!c) throw new Error(`no model ${name}`);
    return c;
  }

  private resolve(cls: ClassInfo): void {
    const [, , base, rows, options = {}] = cls.row;
    cls.base = base ? this.classOf(base) : null;
    for (const [stem, id, kind, type, start, opts = {}] of rows) {
      const m = new MemberInfo(cls, stem, id, kind, type);
      const p = this.byId.get(id);
      if (!p) throw new Error(`no parameter 0x${id.toString(16)}`);
      m.param = p;
      if (type.startsWith("m:")) m.model = this.classOf(type.slice(2));
      else if (["scalar", "ctx", "items", "tmap"].includes(kind)) m.codec = this.codec(kind === "ctx" ? "data" : type);
      m.read = !opts.noread;
      m.write = !opts.nowrite;
      m.asUnsigned = opts.as === "uint";
      m.start = this.startValue(m, start);
      if (opts.set) m.whenSet = true;
      if (opts.omit !== undefined) {
        m.whenSet = true;
        m.omit = this.startValue(m, opts.omit);
      }
      if (opts.unless) m.unless = PRESENCE_TESTS[opts.unless];
      cls.members.push(m);
    }
    rows.forEach((row, i) => {
      const cond = row[5]?.if;
      if (!cond) return;
      const [idx, op, value] = cond;
      const subject = idx < 0 ? cls.members[i] : cls.members[idx];
      cls.members[i].guard = { member: idx < 0 ? null : subject, op, value: value === undefined ? undefined : this.startValue(subject, value) };
    });
    cls.readOrder = options.readOrder ? options.readOrder.map((i) => cls.members[i]) : cls.members;
    cls.flag = !!options.flag;
    cls.hooked = options.hooked ?? null;
    cls.sets = options.sets ?? {};
  }

  private resolveFamily(cls: ClassInfo): void {
    const options = cls.row[4] ?? {};
    const chain: ClassInfo[] = [];
    for (let b: ClassInfo | null = cls; b; b = b.base) {
      chain.unshift(b);
      cls.ancestors.add(b);
    }
    for (const b of chain) {
      cls.all.push(...b.members);
      cls.readAll.push(...b.readOrder);
    }
    for (const m of cls.all) {
      cls.byName.set(m.param.name, m);
      m.proto = PROTO_NAMES.has(m.param.name);
      if (m.param.shape === "S" && m.param.codec && m.param.serializer !== "Tuple") m.scalar = m.param.codec;
    }
    cls.root = dispatchingRootOf(cls);
    for (const m of cls.members) {
      m.always = m.guard === null && !m.whenSet && m.unless === null && !["tmap", "smap", "cmd"].includes(m.kind);
      if (m.kind === "scalar" && !m.asUnsigned && (m.type === "bool" || m.type === "pid" || m.type.startsWith("e:")))
        m.pieces = new Map();
    }
    // The members its class's reader sets: every level's, but a kind root's reader sets its
    // own members only, not its base's.
    for (let b: ClassInfo | null = cls; b; b = b.base) {
      for (const m of b.members) if (m.read) m.readIn.add(cls);
      if (b.row[4]?.kinds?.readByKind) break;
    }
    cls.reads = cls.all.map((m) => m.readIn.has(cls));
    if (options.dispatch) {
      const d = options.dispatch;
      const concrete = d.concrete.map(([type, c, v]) => ({ type, info: this.classOf(c), view: v ? this.classOf(v) : null }));
      const byType = new Map<number, ClassInfo>();
      for (const c of concrete) if (!byType.has(c.type)) byType.set(c.type, c.info);
      cls.dispatch = { member: cls.members[d.member], concrete, byType, fallback: d.fallback ? this.classOf(d.fallback) : null };
    }
    if (options.viewedAs) cls.viewedAs = this.classOf(options.viewedAs);
    if (options.level) {
      cls.level = {
        member: cls.members[options.level.member],
        cases: new Map(options.level.cases.map(([v, c]) => [v, this.classOf(c)])),
        source: options.level.source,
      };
    }
    if (options.kinds) {
      const k = options.kinds;
      cls.kinds = {
        scheme: k.scheme,
        tried: k.tried.map((c) => this.classOf(c)),
        tags: new Map(k.tags.map(([v, c]) => [v, this.classOf(c)])),
        kind: k.kind,
        readByKind: k.readByKind,
        missingIsNull: k.missingIsNull,
      };
    }
    if (cls.kinds) {
      for (const c of cls.kinds.tags.values()) {
        for (let b: ClassInfo | null = c; b && !cls.kindMember; b = b.base)
          cls.kindMember = b.members.find((m) => m.id === cls.kinds!.kind) ?? null;
        if (cls.kindMember) break;
      }
    }
    // The model its constructor makes: each level's starting values, then what the classes'
    // constructors set, from the root down.
    const template: { [stem: string]: unknown } = { $class: cls.name };
    for (const b of chain) {
      for (const m of b.members) template[m.stem] = m.start;
      for (const stem of Object.keys(b.sets)) {
        const m = cls.all.find((x) => x.stem === stem)!;
        template[stem] = this.startValue(m, b.sets[stem]);
      }
    }
    for (const m of cls.all) {
      const v = template[m.stem];
      if (v === NEW || v === UUID || (v !== null && typeof v === "object" && !Object.isFrozen(v))) {
        cls.fresh.push(m);
      } else if (m.kind === "list" || m.kind === "items" || m.kind === "tmap" || m.kind === "smap") {
        cls.fresh.push(m);
      }
    }
    cls.template = template;
    cls.copy = copier(Object.keys(template));
  }

  // A starting value from the tables as a member of the type holds it.
  private startValue(m: MemberInfo, v: Start | undefined): unknown {
    if (v === NEW || v === UUID) return v;
    switch (m.kind) {
      case "scalar":
        if (v === null || v === undefined) return this.zero(m.asUnsigned ? "uint" : m.type);
        if (m.type === "float") return Math.fround(v as number);
        if (m.type === "color") return Object.freeze(v as Color);
        return v;
      case "ctx":
        return null;
      case "nested":
        if (m.type === "PaneId") return { Row: 0, Column: 0 };
        if (m.type === "DataColumn") return { Name: "", Values: [] };
        return null;
      case "bag":
      case "cmd":
        return null;
      default:
        return null; // lists and maps: made anew for each model
    }
  }

  // The value-initialised value of a type.
  private zero(type: string): unknown {
    switch (type) {
      case "bool":
        return false;
      case "int":
      case "uint":
      case "float":
      case "double":
        return 0;
      case "int64":
      case "uint64":
      case "seconds":
        return 0n;
      case "uuid":
        return NULL_UUID;
      case "color":
        return DEFAULT_COLOR;
      case "data":
        return null;
      case "pid":
        return this.pidText(0);
      case "text":
      case "image":
      case "pixmap":
        return "";
    }
    if (type.startsWith("e:")) return this.enums.get(type.slice(2))!.held(0);
    throw new Error(`no value type ${type}`);
  }

  // ---- codecs

  private codec(code: string): Codec {
    let c = this.codecs.get(code);
    if (!c) {
      c = this.makeCodec(code);
      this.codecs.set(code, c);
    }
    return c;
  }

  private pidText(id: number): string {
    const p = this.byId.get(id);
    return p ? p.name : "0x" + (id >>> 0).toString(16).padStart(8, "0");
  }

  /** The parameter id a DocParameterID value names. */
  idOf(v: string): number {
    const p = this.byName.get(v);
    if (p) return p.id;
    if (/^0x[0-9a-f]{8}$/.test(v)) return parseInt(v.slice(2), 16);
    throw new TypeError(`'${v}' names no parameter id`);
  }

  private makePidCodec(): Codec {
    const self = this;
    return {
      code: "pid",
      enumeration: true,
      // Its own name, or 0x and eight lower-case digits of an id without one.
      exact(text: string) {
        if (self.byName.has(text)) return text;
        if (/^0x[0-9a-f]{8}$/.test(text) && !self.byId.has(parseInt(text.slice(2), 16))) return text;
        return FAIL;
      },
      // As the registry reads a name, or 0x and eight hexadecimal digits; any other text is id 0.
      decode(text: string) {
        const p = self.byName.get(text);
        if (p) return p.name;
        if (text.length === 10 && text.startsWith("0x") && /^[0-9a-fA-F]{8}$/.test(text.slice(2)))
          return self.pidText(parseInt(text.slice(2), 16));
        return self.pidText(0);
      },
      json: (v) => quote(self.pidText(self.idOf(v as string))),
      text: (v) => self.pidText(self.idOf(v as string)),
      empty: (v) => self.idOf(v as string) === 0,
      compare: (a, b) => order(self.idOf(a as string) >>> 0, self.idOf(b as string) >>> 0),
      integer: (v) => self.idOf(v as string) >>> 0,
      check: (v) => void self.idOf(v as string),
    };
  }

  private makeCodec(code: string): Codec {
    const plain = (decode: (t: string) => unknown, text: (v: unknown) => string, rest: Partial<Codec>): Codec => ({
      code,
      enumeration: false,
      decode,
      exact: (t) => {
        try {
          return decode(t);
        } catch {
          return FAIL;
        }
      },
      text,
      json: (v) => quote(text(v)),
      empty: (v) => v === 0,
      compare: (a, b) => order(a as number, b as number),
      integer: (v) => Number(v),
      check: () => undefined,
      ...rest,
    });
    const int = (v: unknown, lo: number, hi: number) => {
      if (typeof v !== "number" || !Number.isInteger(v) || v < lo || v > hi) throw new TypeError(`${String(v)} is not a ${code}`);
    };
    const big = (v: unknown, lo: bigint, hi: bigint) => {
      if (typeof v !== "bigint" || v < lo || v > hi) throw new TypeError(`${String(v)} is not a ${code}`);
    };
    switch (code) {
      case "bool":
        return plain(
          (t) => {
            if (t === "true") return true;
            if (t === "false") return false;
            throw valueTextError("flag", t);
          },
          (v) => (v ? "true" : "false"),
          {
            exact: (t) => (t === "true" ? true : t === "false" ? false : FAIL),
            json: (v) => (v ? '"true"' : '"false"'),
            empty: (v) => !v,
            compare: (a, b) => order(Number(a), Number(b)),
            check: (v) => {
              if (typeof v !== "boolean") throw new TypeError(`${String(v)} is not a flag`);
            },
          },
        );
      case "int":
        return plain((t) => parseSmall(t, -2147483648, 2147483647, "integer", true), (v) => String(v), {
          exact: (t) => smallExact(t, -2147483648, 2147483647, true),
          json: (v) => {
            if (((v as number) | 0) !== v) throw new TypeError(`${String(v)} is not an int`);
            return intJson(v);
          },
          check: (v) => int(v, -2147483648, 2147483647),
        });
      case "uint":
        return plain((t) => parseSmall(t, 0, 4294967295, "unsigned integer", false), (v) => String(v), {
          exact: (t) => smallExact(t, 0, 4294967295, false),
          json: (v) => {
            if ((v as number) >>> 0 !== v) throw new TypeError(`${String(v)} is not a uint`);
            return intJson(v);
          },
          check: (v) => int(v, 0, 4294967295),
        });
      case "int64":
      case "seconds":
        return plain((t) => parseInteger(t, -(2n ** 63n), 2n ** 63n - 1n, code === "seconds" ? "seconds" : "integer", true), (v) => String(v), {
          empty: (v) => v === 0n,
          check: (v) => big(v, -(2n ** 63n), 2n ** 63n - 1n),
        });
      case "uint64":
        return plain((t) => parseInteger(t, 0n, 2n ** 64n - 1n, "unsigned integer", false), (v) => String(v), {
          empty: (v) => v === 0n,
          check: (v) => big(v, 0n, 2n ** 64n - 1n),
        });
      case "float":
      case "double": {
        const float = code === "float";
        return plain((t) => parseReal(t, float), (v) => realText(v as number, float), {
          check: (v) => {
            if (typeof v !== "number") throw new TypeError(`${String(v)} is not a number`);
          },
        });
      }
      case "text":
      case "image":
      case "pixmap":
        return plain(
          code === "text" ? (t) => t : (t) => checkImage(t, code === "image" ? "image" : "pixmap"),
          (v) => v as string,
          {
            ...(code === "text" ? { exact: (t: string) => t } : {}),
            json: (v) => {
              if (typeof v !== "string") throw new TypeError(`${String(v)} is not a text`);
              return quote(v);
            },
            empty: (v) => (v as string).length === 0,
            compare: (a, b) => same(a === b),
            check: (v) => {
              if (typeof v !== "string") throw new TypeError(`${String(v)} is not a text`);
            },
          },
        );
      case "uuid":
        return plain(parseUuid, (v) => parseUuid(v as string), {
          exact: (t) => (CANONICAL_UUID.test(t) ? t : parseUuid(t)),
          json: (v) => '"' + parseUuid(v as string) + '"',
          empty: (v) => parseUuid(v as string) === NULL_UUID,
          compare: (a, b) => same(parseUuid(a as string) === parseUuid(b as string)),
          check: (v) => {
            if (typeof v !== "string") throw new TypeError(`${String(v)} is not an identifier`);
          },
        });
      case "color":
        return plain(colorOf, (v) => colorText(v as Color), {
          exact: colorOf,
          json: (v) => '"' + colorText(v as Color) + '"',
          empty: (v) => sameColor(v as Color, DEFAULT_COLOR),
          compare: (a, b) => same(sameColor(a as Color, b as Color)),
        });
      case "data":
        return plain(parseDataValue, (v) => dataValueText(v as DataValue), {
          empty: (v) => v === null,
          compare: (a, b) => same(sameDataValue(a as DataValue, b as DataValue)),
        });
    }
    if (code.startsWith("e:")) {
      const e = this.enums.get(code.slice(2))!;
      return {
        code,
        enumeration: true,
        decode: (t) => e.decode(t),
        exact: (t) => (e.byText.has(t) ? t : FAIL),
        text: (v) => e.textOf(v as string | number),
        json: (v) => {
          if (typeof v === "string") {
            const j = e.json.get(v);
            if (j !== undefined) return j;
          }
          return quote(e.textOf(v as string | number));
        },
        empty: (v) => e.valueOf(v as string | number) === 0,
        compare: (a, b) => order(e.valueOf(a as string | number), e.valueOf(b as string | number)),
        integer: (v) => e.valueOf(v as string | number),
        check: (v) => void e.valueOf(v as string | number),
      };
    }
    throw new Error(`no value type ${code}`);
  }

  // Whether an enumeration's value read from `text` is written as that text again.
  private holdsText(codec: Codec, value: unknown, text: string): boolean {
    try {
      return codec.text(value) === text;
    } catch {
      return false;
    }
  }

  // ---- models

  /** A new model of the class, every member at its starting value. */
  create(name: string): Model {
    return this.make(this.classOf(name));
  }

  private make(cls: ClassInfo): Model {
    refuseHooked(cls);
    const o = cls.copy(cls.template);
    for (const m of cls.fresh) o[m.stem] = this.freshValue(m, o[m.stem]);
    return o as unknown as Model;
  }

  // A starting value made anew for each model: a nested model, an identifier, a container.
  freshValue(m: MemberInfo, v: unknown): unknown {
    if (v === NEW) return this.make(m.model!);
    if (v === UUID) return newUuid();
    if (m.kind === "list" || m.kind === "items") return [];
    if (m.kind === "tmap" || m.kind === "smap") return new Map();
    return structuredCopy(v);
  }

  /** The wire name of a member, by class and stem. */
  wireName(model: string, stem: string): string | undefined {
    return this.classes.get(model)?.all.find((m) => m.stem === stem)?.param.name;
  }

  /** The members of a class on the wire: stem, wire name, kind, value type. */
  membersOf(model: string): { stem: string; name: string; kind: string; type: string }[] {
    return this.classOf(model).all.map((m) => ({ stem: m.stem, name: m.param.name, kind: m.kind, type: m.type }));
  }

  // ---- reading a model from its bag (the class's reader)

  // A bag the reader takes a model's members from: by member (the value its parameter's
  // serializer made of the text), and by id.
  private toObject(cls: ClassInfo, bag: BagSource, ctx: ReadContext): Model | null {
    // Checked levels: the class the discriminants name, filled level by level.
    if (this.inCheckedLevels(cls)) {
      const target = this.createLevel(cls, bag);
      this.readAbove(cls, bag, target, ctx);
      return this.fillLevel(cls, bag, target, ctx);
    }
    if (cls.kinds && cls.kinds.readByKind) {
      const named = this.classNamed(cls, bag);
      if (!named) return null;
      const target = this.make(named);
      if (named === cls) this.readOwn(cls, bag, target, ctx);
      else this.readLevels(named, bag, target, ctx);
      return target;
    }
    let named = cls;
    const root = cls.dispatch ? cls : null;
    if (root) {
      // The class the discriminant names, read afresh.
      const d = root.dispatch!.member;
      let type: number;
      const v = bag.value(d);
      type = v === undefined ? this.pid.integer(root.template[d.stem]) : this.pid.integer(v);
      named = root.dispatch!.fallback ?? root;
      for (const c of root.dispatch!.concrete)
        if (c.type === type) {
          named = c.info;
          break;
        }
    }
    const target = this.make(named);
    this.readLevels(named, bag, target, ctx);
    return target;
  }

  // Every level's own members, the root's first (a class's reader reads its base's first).
  // A kind root's reader, given the model, reads its own members only.
  private readLevels(cls: ClassInfo, bag: BagSource, target: Model, ctx: ReadContext): void {
    if (cls.base && !(cls.kinds && cls.kinds.readByKind)) this.readLevels(cls.base, bag, target, ctx);
    this.readOwn(cls, bag, target, ctx);
  }

  private readOwn(cls: ClassInfo, bag: BagSource, target: Model | null, ctx: ReadContext, watch: MemberInfo | null = null): boolean {
    let watched = false;
    const present = ctx.absent && target ? presentSet(target, this.classOf(target.$class)) : null;
    for (const m of cls.readOrder) {
      if (!m.read) continue;
      const v = bag.value(m);
      if (v === undefined) continue;
      try {
        if (!target) throw new ValueError(NULL_POINTER);
        (target as unknown as { [stem: string]: unknown })[m.stem] = m.kind === "ctx" ? parseDataValue(v as string) : m.asUnsigned ? (v as number) >>> 0 : v;
        if (present) present.add(m.stem);
        if (m === watch) watched = true;
      } catch (e) {
        if (e instanceof ValueError) e.steps.push(m.step);
        throw e;
      }
    }
    return watched;
  }

  private inCheckedLevels(cls: ClassInfo): boolean {
    for (let b: ClassInfo | null = cls; b; b = b.base) if (b.level) return true;
    return false;
  }

  private caseOf(cls: ClassInfo, value: number): ClassInfo | null {
    return cls.level!.cases.get(value | 0) ?? null;
  }

  private levelError(cls: ClassInfo, text: string): never {
    throw new ValueError(text);
  }

  private createLevel(cls: ClassInfo, bag: BagSource): Model {
    if (!cls.level) return this.make(cls);
    const d = cls.level.member;
    const v = bag.value(d);
    if (v !== undefined) {
      const next = this.caseOf(cls, d.codec!.integer(v));
      if (!next) this.levelError(cls, "Unexpected value of property " + d.stem);
      return this.createLevel(next, bag);
    }
    return this.make(cls);
  }

  private readAbove(cls: ClassInfo, bag: BagSource, target: Model, ctx: ReadContext): void {
    if (!cls.base) return;
    this.readAbove(cls.base, bag, target, ctx);
    this.readOwn(cls.base, bag, target, ctx);
  }

  private nextLevel(cls: ClassInfo, model: Model, unexpected: string): ClassInfo {
    const d = cls.level!.member;
    const next = this.caseOf(cls, d.codec!.integer((model as unknown as { [s: string]: unknown })[d.stem]));
    if (!next) this.levelError(cls, unexpected + d.stem);
    if (!next.isInstance(model)) this.levelError(cls, `Unable to down cast model of type ${cls.short} to type ${next.short}`);
    return next;
  }

  private fillLevel(cls: ClassInfo, bag: BagSource, target: Model, ctx: ReadContext): Model {
    const named = this.readOwn(cls, bag, target, ctx, cls.level ? cls.level.member : null);
    if (!named) return target;
    const next = this.nextLevel(cls, target, "Unexpected value of discriminant parameter DPI_");
    return this.fillLevel(next, bag, target, ctx);
  }

  private classNamed(root: ClassInfo, bag: BagSource): ClassInfo | null {
    const kinds = root.kinds!;
    let kind: MemberInfo | null = null;
    for (const c of kinds.tags.values()) {
      kind = c.all.find((m) => m.id === kinds.kind) ?? null;
      if (kind) break;
    }
    if (kind) {
      const v = bag.value(kind);
      if (v !== undefined) return kinds.tags.get(kind.codec!.integer(v)) ?? null;
    }
    return kinds.missingIsNull ? null : root;
  }

  // ---- reading text

  readBag(text: string, options: ReadOptions = {}): Bag {
    return this.read(text, options, null, null).bag as Bag;
  }

  readBagLenient(text: string, options: ReadOptions = {}): { bag: Bag; skipped: Skipped[] } {
    const skipped: Skipped[] = [];
    const bag = this.read(text, options, skipped, null).bag as Bag;
    return { bag, skipped };
  }

  readModel(name: string, json: string | JsonObject, options: ReadOptions = {}): Model | null {
    const cls = this.classOf(name);
    const target = this.byId.get(cls.defaultId)!;
    const text = typeof json === "string" ? json : null;
    if (text === null) {
      const ctx = new ReadContext(options);
      try {
        return this.fastStructure(target, json as JsonObject, ctx) as Model | null;
      } catch (e) {
        if (!(e instanceof Bail)) throw e;
      }
      return this.read(JSON.stringify(json), options, null, target).bag as Model | null;
    }
    return this.read(text, options, null, target).bag as Model | null;
  }

  private read(text: string, options: ReadOptions, skipped: Skipped[] | null, root: Param | null): { bag: unknown } {
    const ctx = new ReadContext(options);
    if (!options.eventByEvent) {
      // The writer's own text: parsed whole, then pulled apart by the tables.
      let raw: unknown;
      try {
        raw = JSON.parse(text);
      } catch {
        raw = undefined;
      }
      if (raw !== null && typeof raw === "object" && !Array.isArray(raw)) {
        try {
          ctx.length = 0;
          const bag = root ? this.fastStructure(root, raw as JsonObject, ctx) : this.fastBag(raw as JsonObject, ctx);
          if (ctx.length + escapedLength(text) + outerSpace(text) === text.length) {
            LAST_WAY = "fast";
            return { bag };
          }
        } catch (e) {
          if (!(e instanceof Bail)) throw e;
        }
        ctx.reset();
      }
    }
    LAST_WAY = "events";
    const handler = new Handler(this, text, ctx, skipped, root);
    try {
      return { bag: handler.run() };
    } catch (e) {
      if (e instanceof WireError && skipped) e.skipped = skipped.slice();
      throw e;
    }
  }

  // ---- the fast way: text as the writer writes it, parsed by JSON.parse

  // Counts what the writer would have written for the parsed value, so that the text is known
  // to be exactly that (no white space, no name given twice, no escapes).
  private fastBag(raw: JsonObject, ctx: ReadContext): Bag {
    const bag: Bag = {};
    let n = 0;
    ctx.length += 2;
    if (++ctx.depth > ctx.limits.depth) throw BAIL;
    for (const name in raw) {
      const p = this.byName.get(name);
      if (!p) throw BAIL;
      if (n++) ctx.length += 1;
      ctx.length += name.length + 3;
      bag[name] = this.fastParam(p, raw[name], ctx);
    }
    --ctx.depth;
    return bag;
  }

  // A parameter's value as its serializer makes it from text.
  private fastParam(p: Param, raw: JsonValue, ctx: ReadContext): unknown {
    if (p.shape === "B") {
      if (raw === null || typeof raw !== "object" || Array.isArray(raw)) throw BAIL;
      return this.fastBag(raw, ctx);
    }
    if (p.shape === "S") {
      if (typeof raw === "string") {
        if (!p.values || p.serializer === "Tuple" || raw.length > ctx.longText) throw BAIL;
        ctx.length += raw.length + 2;
        if (p.serializer === "SimpleCommands") return raw;
        return this.fastText(p.codec!, raw);
      }
      if (Array.isArray(raw)) {
        if (!p.parsesList) throw BAIL;
        return this.fastTuple(raw, ctx);
      }
      if (raw === null || !p.structures || p.serializer === "Tuple") throw BAIL;
      return this.fastStructure(p, raw, ctx);
    }
    if (p.shape === "L") {
      if (!Array.isArray(raw) || raw.length > ctx.limits.count) throw BAIL;
      ctx.length += 2 + (raw.length ? raw.length - 1 : 0);
      if (++ctx.depth > ctx.limits.depth) throw BAIL;
      const out: unknown[] = new Array(raw.length);
      if (p.structures) {
        for (let i = 0; i < raw.length; ++i) {
          const item = raw[i];
          if (p.parsesList) {
            if (!Array.isArray(item)) throw BAIL;
            out[i] = this.fastTuple(item, ctx);
          } else {
            if (item === null || typeof item !== "object" || Array.isArray(item)) throw BAIL;
            out[i] = this.fastStructure(p, item, ctx);
          }
        }
        --ctx.depth;
        return out;
      }
      if (!p.values) throw BAIL;
      const codec = p.codec;
      for (let i = 0; i < raw.length; ++i) {
        const item = raw[i];
        if (typeof item !== "string" || item.length > ctx.longText) throw BAIL;
        ctx.length += item.length + 2;
        out[i] = codec ? this.fastText(codec, item) : item;
      }
      --ctx.depth;
      return out;
    }
    // a map
    if (raw === null || typeof raw !== "object" || Array.isArray(raw)) throw BAIL;
    const out = new Map<string, unknown>();
    let n = 0;
    ctx.length += 2;
    if (++ctx.depth > ctx.limits.depth) throw BAIL;
    for (const key in raw) {
      if (n++) ctx.length += 1;
      if (key.length > ctx.longText) throw BAIL;
      ctx.length += key.length + 3;
      const item = raw[key];
      if (p.structures) {
        if (item === null) {
          ctx.length += 4;
          out.set(key, p.model ? null : p.serializer === "PaneId" ? { Row: 0, Column: 0 } : { Name: "", Values: [] });
        } else if (typeof item !== "object" || Array.isArray(item)) throw BAIL;
        else out.set(key, this.fastStructure(p, item, ctx));
      } else {
        if (typeof item !== "string" || !p.codec || item.length > ctx.longText) throw BAIL;
        ctx.length += item.length + 2;
        out.set(key, this.fastText(p.codec, item));
      }
    }
    --ctx.depth;
    return out;
  }

  private fastText(codec: Codec, text: string): unknown {
    const v = codec.exact(text);
    if (v === FAIL) throw BAIL;
    return v;
  }

  private fastTuple(raw: JsonValue[], ctx: ReadContext): DataValue[] {
    ctx.length += 2 + (raw.length ? raw.length - 1 : 0);
    if (raw.length > ctx.limits.count || ctx.depth + 1 > ctx.limits.depth) throw BAIL;
    const out: DataValue[] = [];
    for (const item of raw) {
      if (typeof item !== "string" || item.length > ctx.longText) throw BAIL;
      ctx.length += item.length + 2;
      try {
        out.push(parseDataValue(item));
      } catch {
        throw BAIL;
      }
    }
    return out;
  }

  // A structure under a parameter of the id's structure serializer: a model of its class, a
  // value structure.
  private fastStructure(p: Param, raw: JsonObject, ctx: ReadContext): unknown {
    if (p.serializer === "PaneId" || p.serializer === "DataColumn") return this.fastHost(p.serializer, raw, ctx);
    const cls = p.model;
    if (!cls) throw BAIL;
    return this.fastModel(cls, raw, ctx);
  }

  // A value structure from its members (any other name the object holds goes the long way).
  fastHost(kind: string, raw: JsonValue, ctx: ReadContext): PaneId | DataColumn {
    if (raw === null || typeof raw !== "object" || Array.isArray(raw) || ++ctx.depth > ctx.limits.depth) throw BAIL;
    ctx.length += 2;
    let v: PaneId | DataColumn;
    if (kind === "PaneId") {
      const row = raw["PaneId.Row"];
      const column = raw["PaneId.Column"];
      v = { Row: row === undefined ? 0 : this.fastUint(row, 10, ctx), Column: column === undefined ? 0 : this.fastUint(column, 13, ctx) };
      if (row !== undefined && column !== undefined) ctx.length += 1;
    } else {
      const name = raw["DataColumn.Name"];
      const values = raw["DataColumn.Values"];
      let n = 0;
      let text = "";
      if (name !== undefined) {
        if (typeof name !== "string" || name.length > ctx.longText) throw BAIL;
        ctx.length += 15 + 3 + name.length + 2;
        text = name;
        ++n;
      }
      let list: string[] = [];
      if (values !== undefined) {
        ctx.length += 17 + (n ? 4 : 3);
        list = this.fastParam(this.byName.get("DataColumn.Values")!, values, ctx) as string[];
      }
      v = { Name: text, Values: list };
    }
    --ctx.depth;
    return v;
  }

  // An unsigned number under a name of `nameLength` characters.
  private fastUint(r: JsonValue, nameLength: number, ctx: ReadContext): number {
    if (typeof r !== "string" || r.length > 10) throw BAIL;
    ctx.length += nameLength + 3 + r.length + 2;
    const v = smallExact(r, 0, 4294967295, false);
    if (v === FAIL) throw BAIL;
    return v as number;
  }

  // A model of class `cls` (as a member of that class holds it) from its parsed object: the
  // class its family's reader creates, then every member of that class the object holds made
  // by its parameter's serializer, and set where the class's reader sets it.
  fastModel(cls: ClassInfo, raw: JsonObject, ctx: ReadContext): Model {
    if (++ctx.depth > ctx.limits.depth) throw BAIL;
    refuseHooked(cls);
    let named = cls;
    if (cls.checked) {
      while (named.level) {
        const d = named.level.member;
        const r = raw[d.param.name];
        if (r === undefined) break;
        if (typeof r !== "string") throw BAIL;
        const next = this.caseOf(named, d.codec!.integer(this.fastText(d.codec!, r)));
        if (!next) throw BAIL;
        named = next;
      }
    } else if (cls.kinds && cls.kinds.readByKind) {
      const kind = cls.kindMember;
      const r = kind ? raw[kind.param.name] : undefined;
      if (r === undefined) {
        if (cls.kinds.missingIsNull) throw BAIL;
      } else {
        if (typeof r !== "string") throw BAIL;
        const c = cls.kinds.tags.get(kind!.codec!.integer(this.fastText(kind!.codec!, r)));
        if (!c) throw BAIL;
        named = c;
      }
    } else if (cls.dispatch) {
      const d = cls.dispatch.member;
      const r = raw[d.param.name];
      if (r !== undefined && typeof r !== "string") throw BAIL;
      const type = this.pid.integer(r === undefined ? cls.template[d.stem] : this.fastText(this.pid, r));
      named = cls.dispatch.byType.get(type) ?? cls.dispatch.fallback ?? cls;
    }
    if (named.reader === undefined) named.reader = COMPILING ? this.compileReader(named) : null;
    const stems = ctx.absent ? new Set<string>() : null;
    let o: { [stem: string]: unknown };
    if (named.reader) {
      o = named.reader(raw, ctx, stems);
    } else {
      o = named.copy(named.template);
      this.readRaw(named, raw, o, ctx, stems);
      const template = named.template;
      for (const m of named.fresh) if (o[m.stem] === template[m.stem]) o[m.stem] = this.freshValue(m, template[m.stem]);
    }
    if (stems) PRESENT.set(o, { cls: named, stems });
    ctx.length += 2;
    --ctx.depth;
    return o as unknown as Model;
  }

  // The members of a model's parsed object, each made by its parameter's serializer (and
  // counted), set where the class's reader sets them.
  private readRaw(named: ClassInfo, raw: JsonObject, o: { [stem: string]: unknown }, ctx: ReadContext, present: Set<string> | null): void {
    let n = 0;
    const all = named.all;
    const reads = named.reads;
    for (let i = 0; i < all.length; ++i) {
      const m = all[i];
      const name = m.param.name;
      const r = raw[name];
      if (r === undefined || (m.proto && !Object.prototype.hasOwnProperty.call(raw, name))) continue;
      ctx.length += name.length + (n++ ? 4 : 3);
      let v: unknown;
      if (typeof r === "string" && m.scalar !== null) {
        if (r.length > ctx.longText) throw BAIL;
        ctx.length += r.length + 2;
        v = m.scalar.exact(r);
        if (v === FAIL) throw BAIL;
      } else v = this.fastParam(m.param, r, ctx);
      if (!reads[i]) continue;
      if (m.kind === "ctx") {
        try {
          o[m.stem] = parseDataValue(v as string);
        } catch {
          throw BAIL;
        }
      } else o[m.stem] = m.asUnsigned ? (v as number) >>> 0 : v;
      if (present) present.add(m.stem);
    }
  }

  // readRaw for one class, made as code: the same steps, member by member, each at a place
  // of its own in the code, where it meets objects of one shape and one codec.
  // The model is made at the end, as one object of the class's shape: each member its value
  // read, or its starting value.
  private compileReader(cls: ClassInfo): Reader | null {
    const lines = ["let n = 0, r, v;"];
    const fields = [`"$class": ${JSON.stringify(cls.name)}`];
    cls.all.forEach((m, i) => {
      const name = JSON.stringify(m.param.name);
      const stem = JSON.stringify(m.stem);
      const own = m.proto ? ` && Object.prototype.hasOwnProperty.call(raw, ${name})` : "";
      const start = cls.fresh.includes(m) ? `cat.freshValue(a${i}, t${i})` : `t${i}`;
      lines.push(`let f${i} = ${cls.reads[i] ? "undefined" : start};`);
      fields.push(`${stem}: f${i}`);
      lines.push(`r = raw[${name}];`, `if (r !== undefined${own}) {`,
                 `  ctx.length += ${m.param.name.length} + (n++ ? 4 : 3);`);
      const p = m.param;
      if (m.scalar)
        lines.push(`  if (typeof r === "string") {`,
                   `    if (r.length > ctx.longText) throw BAIL;`,
                   `    ctx.length += r.length + 2;`,
                   `    v = c${i}.exact(r);`,
                   `    if (v === FAIL) throw BAIL;`,
                   `  } else v = cat.fastMember(p${i}, r, ctx);`);
      else if (p.model && p.shape === "S")
        lines.push(`  if (r === null || typeof r !== "object" || Array.isArray(r)) throw BAIL;`,
                   `  v = cat.fastModel(p${i}.model, r, ctx);`);
      else if (p.model && p.shape === "L") lines.push(`  v = cat.fastModels(p${i}.model, r, ctx);`);
      else if ((p.serializer === "PaneId" || p.serializer === "DataColumn") && p.shape === "S")
        lines.push(`  v = cat.fastHost(${JSON.stringify(p.serializer)}, r, ctx);`);
      else lines.push(`  v = cat.fastMember(p${i}, r, ctx);`);
      if (cls.reads[i]) {
        if (m.kind === "ctx") lines.push(`  try { f${i} = parseDataValue(v); } catch { throw BAIL; }`);
        else lines.push(`  f${i} = ${m.asUnsigned ? "v >>> 0" : "v"};`);
        lines.push(`  if (present) present.add(${stem});`);
        lines.push(`} else f${i} = ${start};`);
      } else lines.push("}");
    });
    lines.push(`return { ${fields.join(", ")} };`);
    const bind = cls.all
      .map((m, i) => `const a${i} = members[${i}], c${i} = a${i}.scalar, p${i} = a${i}.param, t${i} = template[${JSON.stringify(m.stem)}];`)
      .join("\n");
    try {
      const make = new Function("cat", "members", "template", "BAIL", "FAIL", "parseDataValue",
                                `${bind}\nreturn function (raw, ctx, present) {\n${lines.join("\n")}\n};`);
      return make(this, cls.all, cls.template, BAIL, FAIL, parseDataValue) as Reader;
    } catch {
      return null;
    }
  }

  // A list of models of one class (for the readers made as code).
  fastModels(cls: ClassInfo, raw: JsonValue, ctx: ReadContext): Model[] {
    if (!Array.isArray(raw) || raw.length > ctx.limits.count) throw BAIL;
    ctx.length += 2 + (raw.length ? raw.length - 1 : 0);
    if (++ctx.depth > ctx.limits.depth) throw BAIL;
    const out: Model[] = new Array(raw.length);
    for (let i = 0; i < raw.length; ++i) {
      const item = raw[i];
      if (item === null || typeof item !== "object" || Array.isArray(item)) throw BAIL;
      out[i] = this.fastModel(cls, item, ctx);
    }
    --ctx.depth;
    return out;
  }

  // A parameter's value of a structure's parsed object (for the readers made as code).
  fastMember(p: Param, raw: JsonValue, ctx: ReadContext): unknown {
    return this.fastParam(p, raw, ctx);
  }


  // ---- the long way: an event handler, as the library's reader handles each event

  makeText(p: Param, text: string): unknown {
    if (p.serializer === "SimpleCommands") return text;
    if (p.serializer === "Tuple") throw new ValueError(TYPE_MISMATCH);
    return p.codec!.decode(text);
  }

  makeList(p: Param, texts: string[]): unknown {
    if (p.serializer === "Commands") return texts.slice();
    if (p.serializer === "Tuple") return texts.map(parseDataValue);
    if (p.serializer === "SimpleCommands") throw new ValueError(TYPE_MISMATCH);
    const codec = p.codec!;
    return texts.map((t) => codec.decode(t));
  }

  makeMap(p: Param, texts: Map<string, string>): unknown {
    if (!p.codec) throw new ValueError(TYPE_MISMATCH);
    const out = new Map<string, unknown>();
    for (const [k, t] of [...texts].sort((a, b) => compareKeys(a[0], b[0]))) out.set(k, p.codec.decode(t));
    return out;
  }

  // The structure a bag of parameters read under p's id rebuilds.
  makeStructure(p: Param, bag: Map<number, unknown>, ctx: ReadContext): unknown {
    if (p.serializer === "PaneId" || p.serializer === "DataColumn") {
      return hostValue(p.serializer, (name) => bag.get(this.byName.get(name)!.id));
    }
    if (p.serializer === "Tuple") throw new ValueError(`Parameter 0x${hex8(p.id)} has another value type than expected`);
    return this.toObject(p.model!, new MapSource(bag), ctx);
  }

  nullItem(p: Param): unknown {
    if (p.serializer === "PaneId") return { Row: 0, Column: 0 };
    if (p.serializer === "DataColumn") return { Name: "", Values: [] };
    return null;
  }

  // An enumeration's text its table does not hold: false; what the text decoded to is kept.
  known(p: Param, value: unknown, text: string): boolean {
    return this.holdsText(p.codec!, value, text);
  }

  // ---- writing
  //
  // Each step returns its text, so that a class's members are one expression of the code made
  // for it; w.first says whether a member is the first of its structure (no comma before it).

  writeBag(bag: Bag): string {
    return "{" + this.bagText(bag, new Writer()) + "}";
  }

  write(model: Model): string {
    const cls = this.classOfModel(model);
    return "{" + this.byId.get(cls.defaultId)!.key + this.structureText(cls, model, new Writer()) + "}";
  }

  writeModel(model: Model): string {
    return this.structureText(this.classOfModel(model), model, new Writer());
  }

  private classOfModel(model: unknown): ClassInfo {
    if (model === null || typeof model !== "object") throw new WriteError(NULL_POINTER);
    const name = (model as Model).$class;
    const cls = this.classes.get(name);
    if (!cls) throw new TypeError(`not a model: $class ${String(name)}`);
    return cls;
  }

  // A structure: the model's members, written by the writer of class `cls`, in braces.
  structureText(cls: ClassInfo, model: Model | null, w: Writer): string {
    const first = w.first;
    w.first = true;
    let members: string;
    if (cls.plain && model !== null && cls.writer) {
      // A class of no family, without a base: its members alone.
      members = cls.writer(model as unknown as { [stem: string]: unknown }, w);
    } else {
      members = this.modelText(cls, model, w);
    }
    w.first = first;
    return "{" + members + "}";
  }

  // The parameters of a bag in the order of their ids.
  private bagText(bag: Bag, w: Writer): string {
    const entries: [Param, unknown][] = [];
    for (const name of Object.keys(bag)) {
      const v = bag[name];
      if (v === undefined) continue;
      const p = this.byName.get(name);
      if (!p) throw new TypeError(`unknown parameter name '${name}'`);
      entries.push([p, v]);
    }
    entries.sort((a, b) => (a[0].id >>> 0) - (b[0].id >>> 0));
    const first = w.first;
    w.first = true;
    let s = "";
    for (const [p, v] of entries) s += (s ? p.keyc : p.key) + this.parameterText(p, v, w);
    w.first = first;
    return s;
  }

  private parameterText(p: Param, v: unknown, w: Writer): string {
    if (p.shape === "B") return v ? "{" + this.bagText(v as Bag, w) + "}" : "{}";
    if (p.structures) {
      if (p.shape === "S") return this.heldText(p, v, w);
      if (p.shape === "L") {
        const items = v as unknown[];
        let s = "[";
        for (let i = 0; i < items.length; ++i) s += (i ? "," : "") + this.heldText(p, items[i], w);
        return s + "]";
      }
      if (p.shape === "M") {
        let s = "{";
        let n = 0;
        for (const [key, item] of sortedEntries(v as Map<string, unknown>))
          s += (n++ ? "," : "") + quote(key) + ":" + (p.model && item === null ? "null" : this.heldText(p, item, w));
        return s + "}";
      }
    }
    if (!p.values) throw new WriteError(`no serializer for parameter 0x${hex8(p.id)}`);
    if (p.shape === "S") return p.codec ? p.codec.json(v) : quote(v as string);
    if (p.shape === "L") {
      const items = v as unknown[];
      let s = "[";
      for (let i = 0; i < items.length; ++i) s += (i ? "," : "") + (p.codec ? p.codec.json(items[i]) : quote(items[i] as string));
      return s + "]";
    }
    let s = "{";
    let n = 0;
    for (const [key, item] of sortedEntries(v as Map<string, unknown>)) s += (n++ ? "," : "") + quote(key) + ":" + p.codec!.json(item);
    return s + "}";
  }

  // The structure serializer of p's id writing a value it holds.
  private heldText(p: Param, v: unknown, w: Writer): string {
    if (p.serializer === "Tuple") return tupleText(v as DataValue[] | null);
    if (p.serializer === "PaneId" || p.serializer === "DataColumn") return hostText(p.serializer, v);
    return this.structureText(p.model!, v as Model | null, w);
  }

  // The generic writer of a model through the writer of class `cls`: its members' text. The
  // serializing flags of the model being written are the classes in w.flags: a level whose
  // flag is set is not written again, and the writer that starts the model's write (no flag
  // set) hands it on.
  private modelText(cls: ClassInfo, model: Model | null, w: Writer): string {
    if (!model) throw new WriteError(NULL_POINTER);
    const same = w.cur === model;
    const savedModel = w.cur;
    const savedFlags = w.flags;
    if (!same) {
      w.cur = model;
      w.flags = null;
    }
    const mark = w.flags ? w.flags.length : 0;
    const starts = !cls.flag || mark === 0;
    try {
      if (starts && cls.kinds) return this.levelText(this.kindOf(cls, model), model, w, cls);
      const s = this.levelText(cls, model, w, cls);
      return starts && cls.root ? s + this.dispatch(cls.root, model, w) : s;
    } finally {
      if (w.flags) w.flags.length = mark;
      if (!same) {
        w.cur = savedModel;
        w.flags = savedFlags;
      }
    }
  }

  private kindOf(root: ClassInfo, model: Model): ClassInfo {
    const kinds = root.kinds!;
    if (kinds.scheme === "try") {
      for (const c of kinds.tried) if (c.isInstance(model)) return c;
      return root;
    }
    if (kinds.scheme !== "value") return root;
    let kind: MemberInfo | null = null;
    for (let b: ClassInfo | null = root; b && !kind; b = b.base) kind = b.members.find((m) => m.id === kinds.kind) ?? null;
    const named = kinds.tags.get(kind!.codec!.integer(field(model, kind!)));
    if (!named) return root;
    // The model is viewed as the class its kind names, unchecked: another class is a null view.
    if (!named.isInstance(model)) throw new WriteError(NULL_POINTER);
    return named;
  }

  // A dispatching root hands the model on to the serializer registered for its discriminant.
  private dispatch(root: ClassInfo, model: Model, w: Writer): string {
    const d = root.dispatch!;
    const type = this.pid.integer(field(model, d.member));
    const p = this.byId.get(type);
    if (d.fallback) {
      let view = d.fallback;
      for (const c of d.concrete)
        if (c.type === type) {
          view = c.view ?? c.info;
          break;
        }
      if (!view.isInstance(model)) return "";
      return p && p.structures ? this.handOn(p, view, model, w) : this.modelText(view, model, w);
    }
    let holder: ClassInfo | null = null;
    for (const c of d.concrete) {
      if (c.type !== type) continue;
      if (!c.info.isInstance(model)) return ""; // not the class its type names: base members only
      holder = c.info;
      break;
    }
    if (!p || !p.structures) {
      const e = new WriteError(NULL_POINTER);
      e.steps.push(d.member.step);
      throw e;
    }
    return this.handOn(p, holder ?? root, model, w);
  }

  // The serializer registered for p's id given a model held as class `holder`.
  private handOn(p: Param, holder: ClassInfo, model: Model, w: Writer): string {
    const cls = p.model;
    if (!cls) throw new WriteError(TYPE_MISMATCH);
    if (cls.viewedAs && holder === cls.viewedAs) return this.modelText(cls.viewedAs, model, w);
    if (holder !== cls) throw new WriteError(TYPE_MISMATCH);
    return this.modelText(cls, model, w);
  }

  // One class level and the levels above it not written yet: base levels first, then this
  // level's own members, then (a checked level) the level of the subclass.
  private levelText(cls: ClassInfo, model: Model, w: Writer, start: ClassInfo): string {
    refuseHooked(cls);
    if (cls.flag) {
      if (!w.flags) w.flags = [];
      if (w.flags.includes(cls)) return "";
      w.flags.push(cls);
    }
    let s = cls.base ? this.levelText(cls.base, model, w, start) : "";
    const o = model as unknown as { [stem: string]: unknown };
    if (cls.writer === undefined) cls.writer = COMPILING ? this.compileWriter(cls) : null;
    s += cls.writer ? cls.writer(o, w) : this.membersText(cls, o, w);
    return cls.level ? s + this.handDown(cls, model, w, start) : s;
  }

  // A level's own members, in write order, by their presence rules.
  private membersText(cls: ClassInfo, o: { [stem: string]: unknown }, w: Writer): string {
    let s = "";
    for (const m of cls.members) {
      if (!m.write) continue;
      const v = o[m.stem];
      if (!m.always && !this.isPresent(m, o, v)) continue;
      try {
        s += this.memberText(m, v, w);
      } catch (e) {
        throw placed(e, m);
      }
    }
    return s;
  }

  // membersText for one class, made as code: one expression of the members' texts, each
  // member at a place of its own in the code.
  private compileWriter(cls: ClassInfo): MemberWriter | null {
    const parts: string[] = [];
    cls.members.forEach((m, i) => {
      if (!m.write) return;
      const load = `at = ${i}, v = o[${JSON.stringify(m.stem)}]`;
      const key = `(w.first ? (w.first = false, ${JSON.stringify(m.param.key)}) : ${JSON.stringify(m.param.keyc)})`;
      let text: string;
      if (m.pieces) text = `(m${i}.pieces.get(v) ?? cat.pieceOf(m${i}, v))[w.first ? (w.first = false, 0) : 1]`;
      else if (m.kind === "scalar") text = `${key} + c${i}.json(${m.asUnsigned ? "v | 0" : "v"})`;
      else text = `cat.memberText(m${i}, v, w)`;
      parts.push(m.always ? "${(" + load + ", " + text + ")}" : "${(" + load + ", cat.isPresent(m" + i + ", o, v) ? " + text + ' : "")}');
    });
    const bind = cls.members.map((m, i) => `const m${i} = members[${i}], c${i} = m${i}.codec;`).join("\n");
    const body = `let at = -1, v;\ntry {\n  return \`${parts.join("")}\`;\n} catch (e) {\n  throw placed(e, members[at]);\n}`;
    try {
      const make = new Function("cat", "members", "placed", `${bind}\nreturn function (o, w) {\n${body}\n};`);
      return make(this, cls.members, placed) as MemberWriter;
    } catch {
      return null;
    }
  }

  // The text of a member with a value of few (for the writers made as code).
  pieceOf(m: MemberInfo, v: unknown): [string, string] {
    const json = m.codec!.json(v);
    const p: [string, string] = [m.param.key + json, m.param.keyc + json];
    if (m.pieces!.size < 256) m.pieces!.set(v, p);
    return p;
  }

  // A checked level hands the model on to the level of its subclass, unless the write was
  // started by the writer of a class below this level, which adds those levels itself.
  private handDown(cls: ClassInfo, model: Model, w: Writer, start: ClassInfo): string {
    if (start !== cls && start.ancestors.has(cls)) return "";
    let next: ClassInfo;
    try {
      next = this.nextLevel(cls, model, "Unexpected value of property ");
    } catch (e) {
      if (e instanceof ValueError) throw new WriteError(e.message);
      throw e;
    }
    return this.levelText(next, model, w, start);
  }

  private compares(subject: MemberInfo, v: unknown, op: string, value: unknown): boolean {
    if (op === "set") return !this.isEmpty(subject, v);
    const c = (subject.codec ?? NESTED_CODEC).compare(v, value);
    switch (op) {
      case "eq":
        return c === 0;
      case "ne":
        return c !== 0;
      case "gt":
        return c === 1;
      case "ge":
        return c === 0 || c === 1;
    }
    return true;
  }

  private isEmpty(m: MemberInfo, v: unknown): boolean {
    switch (m.kind) {
      case "scalar":
      case "ctx":
        return m.codec!.empty(v);
      case "list":
      case "items":
        return (v as unknown[]).length === 0;
      case "tmap":
      case "smap":
        return (v as Map<string, unknown>).size === 0;
      case "nested":
        if (m.type === "PaneId") return (v as PaneId).Row === 0 && (v as PaneId).Column === 0;
        if (m.type === "DataColumn") return (v as DataColumn).Name === "" && (v as DataColumn).Values.length === 0;
        return v === null;
      default:
        return v === null;
    }
  }

  isPresent(m: MemberInfo, o: { [stem: string]: unknown }, v: unknown): boolean {
    const g = m.guard;
    if (g) {
      const subject = g.member ?? m;
      if (!this.compares(subject, g.member ? o[subject.stem] : v, g.op, g.value)) return false;
    }
    if (m.whenSet) {
      if (m.omit !== undefined ? (m.codec ?? NESTED_CODEC).compare(v, m.omit) === 0 : this.isEmpty(m, v)) return false;
    }
    if (m.unless && m.unless(v)) return false;
    switch (m.kind) {
      case "tmap":
      case "smap":
        return (v as Map<string, unknown>).size !== 0; // maps are written only when they have entries
      case "cmd":
        return v !== null; // the command serializer writes nothing for no command
    }
    return true;
  }

  // A member's text: its key (after a comma but for the first) and its value.
  memberText(m: MemberInfo, v: unknown, w: Writer): string {
    const first = w.first;
    w.first = false;
    const key = first ? m.param.key : m.param.keyc;
    switch (m.kind) {
      case "scalar":
        if (m.pieces !== null) return (m.pieces.get(v) ?? this.pieceOf(m, v))[first ? 0 : 1];
        return key + m.codec!.json(m.asUnsigned ? (v as number) | 0 : v);
      case "ctx":
        return key + quote(dataValueText(v as DataValue));
      case "nested":
        if (m.type === "Tuple") return key + tupleText(v as DataValue[] | null);
        if (m.type === "PaneId" || m.type === "DataColumn") return key + hostText(m.type, v);
        return key + this.structureText(m.model!, v as Model | null, w);
      case "list": {
        const items = v as unknown[];
        let s = key + "[";
        for (let i = 0; i < items.length; ++i) {
          if (i) s += ",";
          if (m.type === "Tuple") {
            s += tupleText(items[i] as DataValue[] | null);
            continue;
          }
          try {
            s += this.structureText(m.model!, items[i] as Model | null, w);
          } catch (e) {
            if (e instanceof WriteError) e.steps.push(`[${i}]`);
            throw e;
          }
        }
        return s + "]";
      }
      case "items": {
        const items = v as unknown[];
        const codec = m.codec!;
        let s = key + "[";
        for (let i = 0; i < items.length; ++i) s += (i ? "," : "") + codec.json(items[i]);
        return s + "]";
      }
      case "tmap": {
        const codec = m.codec!;
        let s = key + "{";
        let n = 0;
        for (const [k, item] of sortedEntries(v as Map<string, unknown>)) s += (n++ ? "," : "") + quote(k) + ":" + codec.json(item);
        return s + "}";
      }
      case "smap": {
        let s = key + "{";
        let n = 0;
        for (const [k, item] of sortedEntries(v as Map<string, unknown>)) {
          s += (n++ ? "," : "") + quote(k) + ":";
          if (m.type === "PaneId" || m.type === "DataColumn") s += hostText(m.type, item);
          else if (item === null) s += "null";
          else
            try {
              s += this.structureText(m.model!, item as Model, w);
            } catch (e) {
              if (e instanceof WriteError) e.steps.push(`["${k}"]`);
              throw e;
            }
        }
        return s + "}";
      }
      case "bag":
        if (!v) throw new WriteError(NULL_POINTER);
        return key + "{" + this.bagText(v as Bag, w) + "}";
      case "cmd": {
        if (m.type !== "Commands") return key + quote(v as string);
        let s = key + "[";
        let n = 0;
        for (const c of v as string[]) s += (n++ ? "," : "") + quote(c);
        return s + "]";
      }
    }
    throw new Error(`no kind ${m.kind}`);
  }
}

function tupleText(t: DataValue[] | null): string {
  if (!t) throw new WriteError(NULL_POINTER);
  let s = "[";
  for (let i = 0; i < t.length; ++i) s += (i ? "," : "") + quote(dataValueText(t[i]));
  return s + "]";
}

function hostText(kind: string, v: unknown): string {
  if (kind === "PaneId") {
    const p = v as PaneId;
    return `{"PaneId.Row":"${p.Row >>> 0}","PaneId.Column":"${p.Column >>> 0}"}`;
  }
  const c = v as DataColumn;
  let s = "";
  for (let i = 0; i < c.Values.length; ++i) s += (i ? "," : "") + quote(c.Values[i]);
  return `{"DataColumn.Name":${quote(c.Name)},"DataColumn.Values":[${s}]}`;
}

// Comparison of texts as the library orders map keys: by UTF-16 code unit.
function compareKeys(a: string, b: string): number {
  return a < b ? -1 : a > b ? 1 : 0;
}

// The entries of a map in key order: the map itself when its keys are in order already (as
// the reader makes maps).
function sortedEntries(map: Map<string, unknown>): Iterable<[string, unknown]> {
  let last: string | null = null;
  for (const key of map.keys()) {
    if (last !== null && !(last < key)) return [...map].sort((a, b) => compareKeys(a[0], b[0]));
    last = key;
  }
  return map;
}

function hex8(id: number): string {
  return (id >>> 0).toString(16).padStart(8, "0");
}

function field(model: Model, m: MemberInfo): unknown {
  return (model as unknown as { [stem: string]: unknown })[m.stem];
}

function structuredCopy(v: unknown): unknown {
  if (Array.isArray(v)) return v.map(structuredCopy);
  if (v !== null && typeof v === "object") {
    const o: { [k: string]: unknown } = {};
    for (const k of Object.keys(v)) o[k] = structuredCopy((v as { [k: string]: unknown })[k]);
    return o;
  }
  return v;
}

function presentSet(model: Model, cls: ClassInfo): Set<string> {
  let s = PRESENT.get(model);
  if (!s) {
    s = { cls, stems: new Set() };
    PRESENT.set(model, s);
  }
  return s.stems;
}

function dispatchingRootOf(cls: ClassInfo): ClassInfo | null {
  for (let b: ClassInfo | null = cls; b; b = b.base) if (b.row[4]?.dispatch) return b;
  return null;
}

// The value structures of the presentation layer from the bag of their members.
function hostValue(kind: string, get: (name: string) => unknown): PaneId | DataColumn {
  if (kind === "PaneId") {
    const r = get("PaneId.Row");
    const c = get("PaneId.Column");
    return { Row: typeof r === "number" ? r : 0, Column: typeof c === "number" ? c : 0 };
  }
  const n = get("DataColumn.Name");
  const v = get("DataColumn.Values");
  return { Name: typeof n === "string" ? n : "", Values: Array.isArray(v) ? (v as string[]) : [] };
}

// Nested models compare by being the same model.
const NESTED_CODEC = {
  compare: (a: unknown, b: unknown) => same(a === b),
};

class Writer {
  first = true; // the next member is the first of its structure
  // The model being written and the classes whose serializing flags its write holds.
  cur: Model | null = null;
  flags: ClassInfo[] | null = null;
}

// ---- reading: the sources a class's reader takes members from

interface BagSource {
  value(m: MemberInfo): unknown;
}

class MapSource implements BagSource {
  constructor(private readonly bag: Map<number, unknown>) {}
  value(m: MemberInfo): unknown {
    return this.bag.get(m.id);
  }
}

type Reader = (raw: JsonObject, ctx: ReadContext, present: Set<string> | null) => { [stem: string]: unknown };
type MemberWriter = (o: { [stem: string]: unknown }, w: Writer) => string;

// A class whose serializer runs a hand-written step (write-hook=, read-hook=) is read and
// written by the library only.
function refuseHooked(cls: ClassInfo): void {
  if (cls.hooked) throw new Error(`${cls.name} has a hand-written step (${cls.hooked}) the web reader does not have`);
}

// An error passing a member's write, with the member's step added to its place.
function placed(e: unknown, m: MemberInfo): unknown {
  if (e instanceof WriteError) e.steps.push(m.step);
  else if (e instanceof ValueError) {
    const we = new WriteError(e.message);
    we.steps.push(...e.steps, m.step);
    return we;
  }
  return e;
}

// The way the last text was read: "fast" (JSON.parse, then the tables) or "events" (the
// parser's events one by one): for tests that text as the writer writes it takes the fast way.
let LAST_WAY = "";
export function lastReadWay(): string {
  return LAST_WAY;
}

// Whether the engine makes its steps for each class as code (where the page allows it); the
// tests turn it off to compare the two.
let COMPILING = true;
export function compileSteps(on: boolean): void {
  COMPILING = on;
}

// A function that copies the named properties of an object into a new one. Made as code where
// the page allows it: an object literal of one shape per class is many times faster to make
// than a copy by spreading, which slows down with the number of shapes it meets.
function copier(keys: string[]): (t: { [k: string]: unknown }) => { [k: string]: unknown } {
  try {
    return new Function("t", "return {" + keys.map((k) => `${JSON.stringify(k)}: t[${JSON.stringify(k)}]`).join(", ") + "};") as (
      t: { [k: string]: unknown },
    ) => { [k: string]: unknown };
  } catch {
    return (t) => {
      const o: { [k: string]: unknown } = {};
      for (const k of keys) o[k] = t[k];
      return o;
    };
  }
}

// Names an object has without holding them.
const PROTO_NAMES = new Set(Object.getOwnPropertyNames(Object.prototype));

export class ReadContext {
  readonly absent: boolean;
  readonly limits: Limits;
  length = 0; // of the text the parsed value stands for, escapes and white space aside
  depth = 0; // objects and arrays open
  readonly longText: number; // a text this long may be past the limit: the long way counts it
  constructor(options: ReadOptions) {
    this.absent = !!options.absent;
    this.limits = { ...DEFAULT_LIMITS, ...(options.limits ?? {}) };
    this.longText = Math.floor(this.limits.textBytes / 3);
  }
  reset(): void {
    this.length = 0;
    this.depth = 0;
  }
}

// ---- the long way

// Frames: the outer bag, a structure read into a bag, embedded parameters, lists of texts and
// of structures, maps of texts and of structures.
const enum FrameKind {
  Bag,
  Structure,
  Composite,
  TextList,
  StructureList,
  TextMap,
  StructureMap,
}

interface Frame {
  kind: FrameKind;
  target: Param | null;
  bag: Map<number, unknown>;
  key: Param | null;
  texts: string[];
  items: unknown[];
  textMap: Map<string, string>;
  itemMap: Map<string, unknown>;
  mapKey: string | null;
  count: number;
}

function isBag(k: FrameKind): boolean {
  return k === FrameKind.Bag || k === FrameKind.Structure || k === FrameKind.Composite;
}

class Stop {
  constructor(readonly reason: string) {}
}

// States and tokens of the general parser, which reads the text value by value.
const enum S {
  Start,
  Finish,
  Error,
  ObjectInitial,
  MemberKey,
  KeyValueDelimiter,
  MemberValue,
  MemberDelimiter,
  ObjectFinish,
  ArrayInitial,
  Element,
  ElementDelimiter,
  ArrayFinish,
  Value,
}
const E = S.Error;
// [ ] { } , : string false true null number
const PREDICT: S[][] = [
  [S.ArrayInitial, E, S.ObjectInitial, E, E, E, S.Value, S.Value, S.Value, S.Value, S.Value],
  [E, E, E, E, E, E, E, E, E, E, E],
  [E, E, E, E, E, E, E, E, E, E, E],
  [E, E, E, S.ObjectFinish, E, E, S.MemberKey, E, E, E, E],
  [E, E, E, E, E, S.KeyValueDelimiter, E, E, E, E, E],
  [S.ArrayInitial, E, S.ObjectInitial, E, E, E, S.MemberValue, S.MemberValue, S.MemberValue, S.MemberValue, S.MemberValue],
  [E, E, E, S.ObjectFinish, S.MemberDelimiter, E, E, E, E, E, E],
  [E, E, E, S.ObjectFinish, E, E, S.MemberKey, E, E, E, E],
  [E, E, E, E, E, E, E, E, E, E, E],
  [S.ArrayInitial, S.ArrayFinish, S.ObjectInitial, E, E, E, S.Element, S.Element, S.Element, S.Element, S.Element],
  [E, S.ArrayFinish, E, E, S.ElementDelimiter, E, E, E, E, E, E],
  [S.ArrayInitial, S.ArrayFinish, S.ObjectInitial, E, E, E, S.Element, S.Element, S.Element, S.Element, S.Element],
  [E, E, E, E, E, E, E, E, E, E, E],
  [E, E, E, E, E, E, E, E, E, E, E],
];

function tokenOf(c: number): number {
  switch (c) {
    case 0x5b:
      return 0;
    case 0x5d:
      return 1;
    case 0x7b:
      return 2;
    case 0x7d:
      return 3;
    case 0x2c:
      return 4;
    case 0x3a:
      return 5;
    case 0x22:
      return 6;
    case 0x66:
      return 7;
    case 0x74:
      return 8;
    case 0x6e:
      return 9;
    default:
      return 10;
  }
}

// A syntax error of the general parser: its text, at a character index.
class Syntax {
  constructor(readonly reason: string, readonly at: number) {}
}

const SYNTAX = {
  empty: "The document is empty.",
  notSingular: "The document root must not be followed by other values.",
  invalid: "Invalid value.",
  missName: "Missing a name for object member.",
  missColon: "Missing a colon after a name of object member.",
  missCommaOrCurly: "Missing a comma or '}' after an object member.",
  missCommaOrSquare: "Missing a comma or ']' after an array element.",
  badHex: "Incorrect hex digit after \\u escape in string.",
  badSurrogate: "The surrogate pair in string is invalid.",
  badEscape: "Invalid escape character in string.",
  missQuote: "Missing a closing quotation mark in string.",
  tooBig: "Number too big to be stored in double.",
  missFraction: "Miss fraction part in number.",
  missExponent: "Miss exponent in number.",
};

// The reader's handler of parser events (wire/WireReader.cpp), the reference way: every
// object a bag of parameters, each rebuilt by its serializer as it closes.
class Handler {
  private readonly stack: Frame[] = [];
  private depth = 0;
  private result: unknown = undefined;
  private done = false;
  private skipNext = false;
  private skipDepth = 0;
  private pos = 0;
  // byte offsets of character indexes, counted on from the last one asked
  private lastIndex = 0;
  private lastBytes = 0;
  private eventAt = 0; // the character index the parser is at for the event being handled

  constructor(
    private readonly cat: Catalogue,
    private readonly text: string,
    private readonly ctx: ReadContext,
    private readonly skipped: Skipped[] | null,
    private readonly root: Param | null,
  ) {}

  private bytes(index: number): number {
    if (index < this.lastIndex) {
      this.lastIndex = 0;
      this.lastBytes = 0;
    }
    this.lastBytes += utf8Length(this.text, this.lastIndex, index);
    this.lastIndex = index;
    return this.lastBytes;
  }

  run(): unknown {
    try {
      this.parse();
    } catch (e) {
      if (e instanceof Syntax) throw new WireError(this.bytes(e.at), e.reason, "");
      throw e;
    }
    if (this.result === undefined) throw new WireError(0, "the text is a bag: an object", "");
    return this.result;
  }

  // Runs one event; an error stops the read at the parser's place.
  private guard(at: number, f: () => void): void {
    this.eventAt = at;
    try {
      f();
    } catch (e) {
      if (e instanceof Stop) throw new WireError(this.bytes(at), e.reason, this.placeNow());
      if (e instanceof ValueError) {
        const inner = e.path;
        const place = this.placeNow();
        throw new WireError(this.bytes(at), e.message, place + (inner ? (place ? " > " : "") + inner : ""));
      }
      throw e;
    }
  }

  // ---- the parser

  private peek(): number {
    return this.pos < this.text.length ? this.text.charCodeAt(this.pos) : 0;
  }

  private skipWhitespace(): void {
    const t = this.text;
    let p = this.pos;
    while (p < t.length) {
      const c = t.charCodeAt(p);
      if (c === 0x20 || c === 0x0a || c === 0x0d || c === 0x09) ++p;
      else break;
    }
    this.pos = p;
  }

  private parse(): void {
    const states: S[] = [];
    let state = S.Start;
    this.skipWhitespace();
    while (this.peek() !== 0) {
      const t = tokenOf(this.peek());
      const dst = PREDICT[state][t];
      const next = this.transit(state, dst, states);
      if (next === S.Error) {
        this.error(state);
        return;
      }
      state = next;
      this.skipWhitespace();
    }
    if (state !== S.Finish) {
      this.error(state);
      return;
    }
    if (this.pos < this.text.length) throw new Syntax("a NUL byte outside a text", this.pos);
  }

  private error(state: S): never {
    const at = this.pos;
    switch (state) {
      case S.Start:
        throw new Syntax(SYNTAX.empty, at);
      case S.Finish:
        throw new Syntax(SYNTAX.notSingular, at);
      case S.ObjectInitial:
      case S.MemberDelimiter:
        throw new Syntax(SYNTAX.missName, at);
      case S.MemberKey:
        throw new Syntax(SYNTAX.missColon, at);
      case S.MemberValue:
        throw new Syntax(SYNTAX.missCommaOrCurly, at);
      case S.KeyValueDelimiter:
      case S.ArrayInitial:
      case S.ElementDelimiter:
        throw new Syntax(SYNTAX.invalid, at);
      default:
        throw new Syntax(SYNTAX.missCommaOrSquare, at);
    }
  }

  private transit(src: S, dst: S, states: S[]): S {
    switch (dst) {
      case S.Error:
        return dst;
      case S.ObjectInitial:
      case S.ArrayInitial: {
        let n = src;
        if (src === S.ArrayInitial || src === S.ElementDelimiter) n = S.Element;
        else if (src === S.KeyValueDelimiter) n = S.MemberValue;
        states.push(n);
        const at = this.pos;
        if (dst === S.ObjectInitial) this.startObject(at);
        else this.startArray(at);
        ++this.pos;
        return dst;
      }
      case S.MemberKey:
        this.parseString(true);
        return dst;
      case S.KeyValueDelimiter:
        ++this.pos;
        return dst;
      case S.MemberValue:
      case S.Element:
        this.parseValue(false);
        return dst;
      case S.MemberDelimiter:
      case S.ElementDelimiter:
        ++this.pos;
        return dst;
      case S.ObjectFinish: {
        if (src === S.MemberDelimiter) throw new Syntax(SYNTAX.missName, this.pos);
        const n = states.pop()!;
        this.endObject(this.pos);
        ++this.pos;
        return n === S.Start ? S.Finish : n;
      }
      case S.ArrayFinish: {
        if (src === S.ElementDelimiter) throw new Syntax(SYNTAX.invalid, this.pos);
        const n = states.pop()!;
        this.endArray(this.pos);
        ++this.pos;
        return n === S.Start ? S.Finish : n;
      }
      default:
        // A single value, or (after the root) a further value read by the recursive parser.
        this.parseValue(src === S.Finish);
        return S.Finish;
    }
  }

  // A value that is not an object or an array here (or, after the root, any value: the
  // parser's recursive way, which reports a handler's stop after the bracket).
  private parseValue(recursive: boolean): void {
    const c = this.peek();
    switch (c) {
      case 0x6e:
        return this.parseLiteral("null", () => this.onNull(this.pos));
      case 0x74:
        return this.parseLiteral("true", () => this.onDefault(this.pos));
      case 0x66:
        return this.parseLiteral("false", () => this.onDefault(this.pos));
      case 0x22:
        return this.parseString(false);
      case 0x7b:
        if (recursive) {
          ++this.pos;
          this.startObject(this.pos);
        }
        return;
      case 0x5b:
        if (recursive) {
          ++this.pos;
          this.startArray(this.pos);
        }
        return;
      default:
        return this.parseNumber();
    }
  }

  private parseLiteral(word: string, event: () => void): void {
    ++this.pos;
    for (let i = 1; i < word.length; ++i) {
      if (this.peek() !== word.charCodeAt(i)) throw new Syntax(SYNTAX.invalid, this.pos);
      ++this.pos;
    }
    event();
  }

  private parseNumber(): void {
    const t = this.text;
    const start = this.pos;
    let p = this.pos;
    const digit = () => {
      const c = p < t.length ? t.charCodeAt(p) : 0;
      return c >= 48 && c <= 57;
    };
    const minus = t.charCodeAt(p) === 45;
    if (minus) ++p;
    let useDouble = false;
    let use64 = false;
    let i = 0n;
    let d = 0;
    let significand = 0;
    if (p < t.length && t.charCodeAt(p) === 48) {
      ++p;
    } else if (digit()) {
      const lim32 = minus ? 214748364n : 429496729n;
      const last32 = minus ? 56 : 53;
      i = BigInt(t.charCodeAt(p++) - 48);
      while (digit()) {
        if (i >= lim32 && (i !== lim32 || t.charCodeAt(p) > last32)) {
          use64 = true;
          break;
        }
        i = i * 10n + BigInt(t.charCodeAt(p++) - 48);
        ++significand;
      }
      if (use64) {
        const lim64 = minus ? 0x0cccccccccccccccn : 0x1999999999999999n;
        const last64 = minus ? 56 : 53;
        while (digit()) {
          if (i >= lim64 && (i !== lim64 || t.charCodeAt(p) > last64)) {
            d = Number(i);
            useDouble = true;
            break;
          }
          i = i * 10n + BigInt(t.charCodeAt(p++) - 48);
          ++significand;
        }
      }
      if (useDouble) {
        while (digit()) {
          if (d >= 1.7976931348623157e307) throw new Syntax(SYNTAX.tooBig, start);
          d = d * 10 + (t.charCodeAt(p++) - 48);
        }
      }
    } else {
      throw new Syntax(SYNTAX.invalid, p);
    }
    let expFrac = 0;
    if (p < t.length && t.charCodeAt(p) === 46) {
      ++p;
      if (!digit()) throw new Syntax(SYNTAX.missFraction, p);
      if (!useDouble) {
        while (digit()) {
          if (i > 0x1fffffffffffffn) break;
          i = i * 10n + BigInt(t.charCodeAt(p++) - 48);
          --expFrac;
          if (i !== 0n) ++significand;
        }
        d = Number(i);
        useDouble = true;
      }
      while (digit()) {
        if (significand < 17) {
          d = d * 10 + (t.charCodeAt(p++) - 48);
          --expFrac;
          if (d > 0) ++significand;
        } else ++p;
      }
    }
    if (p < t.length && (t.charCodeAt(p) === 101 || t.charCodeAt(p) === 69)) {
      ++p;
      let expMinus = false;
      if (p < t.length && t.charCodeAt(p) === 43) ++p;
      else if (p < t.length && t.charCodeAt(p) === 45) {
        ++p;
        expMinus = true;
      }
      if (!digit()) throw new Syntax(SYNTAX.missExponent, p);
      let exp = t.charCodeAt(p++) - 48;
      if (expMinus) {
        while (digit()) {
          exp = exp * 10 + (t.charCodeAt(p++) - 48);
          if (exp >= 214748364) while (digit()) ++p;
        }
      } else {
        const maxExp = 308 - expFrac;
        while (digit()) {
          exp = exp * 10 + (t.charCodeAt(p++) - 48);
          if (exp > maxExp) throw new Syntax(SYNTAX.tooBig, start);
        }
      }
    }
    this.pos = p;
    this.onDefault(start);
  }

  private static readonly STRING_END = /["\\\u0000-\u001f]/g;

  private parseString(isKey: boolean): void {
    const t = this.text;
    let p = this.pos + 1;
    let out = "";
    const re = Handler.STRING_END;
    for (;;) {
      re.lastIndex = p;
      const m = re.exec(t);
      const at = m ? m.index : t.length;
      out += t.slice(p, at);
      p = at;
      if (at >= t.length) throw new Syntax(SYNTAX.missQuote, t.length);
      const c = t.charCodeAt(at);
      if (c === 0x22) {
        ++p;
        break;
      }
      if (c === 0x5c) {
        const escapeAt = p;
        const e = p + 1 < t.length ? t.charCodeAt(p + 1) : 0;
        const simple = ESCAPES[e];
        if (simple !== undefined) {
          out += simple;
          p += 2;
          continue;
        }
        if (e !== 0x75) throw new Syntax(SYNTAX.badEscape, escapeAt);
        p += 2;
        const unit = this.hex4(p, escapeAt);
        p += 4;
        if (unit >= 0xd800 && unit <= 0xdbff) {
          // A pair when a low surrogate's escape follows; else a lone surrogate, as the
          // reader takes the escape of one.
          if (t.charCodeAt(p) === 0x5c && t.charCodeAt(p + 1) === 0x75 && /^[0-9a-fA-F]{4}$/.test(t.slice(p + 2, p + 6))) {
            const low = parseInt(t.slice(p + 2, p + 6), 16);
            if (low >= 0xdc00 && low <= 0xdfff) {
              out += String.fromCharCode(unit, low);
              p += 6;
              continue;
            }
          }
        }
        out += String.fromCharCode(unit);
        continue;
      }
      if (c === 0) throw new Syntax(SYNTAX.missQuote, at);
      throw new Syntax(SYNTAX.badEscape, at);
    }
    this.pos = p;
    if (isKey) this.onKey(out, p);
    else this.onString(out, p);
  }

  private hex4(p: number, escapeAt: number): number {
    let v = 0;
    for (let i = 0; i < 4; ++i) {
      const c = p + i < this.text.length ? this.text.charCodeAt(p + i) : 0;
      const d = c >= 48 && c <= 57 ? c - 48 : c >= 65 && c <= 70 ? c - 55 : c >= 97 && c <= 102 ? c - 87 : -1;
      if (d < 0) throw new Syntax(SYNTAX.badHex, escapeAt);
      v = v * 16 + d;
    }
    return v;
  }

  // ---- events

  private top(): Frame {
    if (this.depth === 0) throw new Stop("the text is a bag: an object");
    return this.stack[this.depth - 1];
  }

  private push(kind: FrameKind, target: Param | null): Frame {
    this.checkDepth(this.depth + 1);
    const f: Frame = {
      kind,
      target,
      bag: new Map(),
      key: null,
      texts: [],
      items: [],
      textMap: new Map(),
      itemMap: new Map(),
      mapKey: null,
      count: 0,
    };
    this.stack[this.depth++] = f;
    return f;
  }

  private pop(): void {
    --this.depth;
  }

  private inSkipped(): boolean {
    return this.skipDepth > 0 || this.skipNext;
  }

  private passOver(opens: boolean): void {
    this.skipNext = false;
    if (opens) this.checkDepth(this.depth + ++this.skipDepth);
  }

  private endSkipped(): boolean {
    if (this.skipDepth === 0) return false;
    --this.skipDepth;
    return true;
  }

  private checkDepth(open: number): void {
    if (open > this.ctx.limits.depth) throw new Stop(`nesting deeper than ${this.ctx.limits.depth} levels`);
  }

  private checkLength(s: string): void {
    const limit = this.ctx.limits.textBytes;
    if (s.length * 3 > limit && utf8Length(s) > limit) throw new Stop(`a text longer than ${limit} bytes`);
  }

  private count(f: Frame): void {
    if (++f.count > this.ctx.limits.count)
      throw new Stop(`more than ${this.ctx.limits.count}` + (isBag(f.kind) ? " parameters in one bag" : " entries in one list or map"));
  }

  private placeNow(): string {
    let path = "";
    for (let i = 1; i < this.depth; ++i) {
      const f = this.stack[i];
      const parent = this.stack[i - 1];
      if (parent.kind === FrameKind.StructureList) path += `[${parent.count - 1}]`;
      else if (parent.kind === FrameKind.StructureMap && parent.mapKey !== null) path += `["${parent.mapKey}"]`;
      else {
        if (path) path += " > ";
        path += f.target!.name;
      }
    }
    return path;
  }

  private skip(reason: string, last = ""): void {
    this.skipped!.push({ offset: this.bytes(this.eventAt), path: this.placeNow() + last, reason });
  }

  private find(name: string): Param | null {
    const p = this.cat.byName.get(name);
    if (p) return p;
    if (name.length === 10 && name.startsWith("0x") && /^[0-9a-fA-F]{8}$/.test(name.slice(2))) {
      const named = this.cat.byId.get(parseInt(name.slice(2), 16));
      if (named) return named;
    }
    return null;
  }

  private takeKey(f: Frame): Param {
    const t = f.key!;
    f.key = null;
    return t;
  }

  private takeMapKey(f: Frame): string {
    const k = f.mapKey!;
    f.mapKey = null;
    return k;
  }

  private startObject(at: number): void {
    if (this.inSkipped()) return this.guard(at, () => this.passOver(true));
    this.guard(at, () => {
      if (this.depth === 0) {
        if (this.done) throw new Stop("more than one bag");
        if (this.root) this.push(FrameKind.Structure, this.root);
        else this.push(FrameKind.Bag, null);
        return;
      }
      const top = this.top();
      if (isBag(top.kind)) {
        const t = this.takeKey(top);
        switch (t.shape) {
          case "B":
            this.push(FrameKind.Composite, t);
            return;
          case "M":
            this.push(t.structures ? FrameKind.StructureMap : FrameKind.TextMap, t);
            return;
          case "S":
            if (t.structures) {
              this.push(FrameKind.Structure, t);
              return;
            }
            throw new Stop(`'${t.name}' holds a text, not a structure`);
          default:
            throw new Stop(`'${t.name}' holds a list, not a structure`);
        }
      }
      if (top.kind === FrameKind.StructureList || (top.kind === FrameKind.StructureMap && top.mapKey !== null)) {
        if (top.kind === FrameKind.StructureList) this.count(top);
        this.push(FrameKind.Structure, top.target);
        return;
      }
      throw new Stop("unexpected structure");
    });
  }

  private onKey(name: string, at: number): void {
    if (this.skipDepth > 0) return;
    this.guard(at, () => {
      const top = this.top();
      this.checkLength(name);
      this.count(top);
      if (isBag(top.kind)) {
        const t = this.find(name);
        if (!t) {
          const reason = `unknown parameter name '${name}'`;
          if (!this.skipped) throw new Stop(reason);
          this.skip(reason);
          this.skipNext = true;
          return;
        }
        if (top.bag.has(t.id)) throw new Stop(`'${t.name}' given twice`);
        top.key = t;
      } else {
        if (top.textMap.has(name) || top.itemMap.has(name)) throw new Stop(`map key '${name}' given twice`);
        top.mapKey = name;
      }
    });
  }

  private onString(s: string, at: number): void {
    if (this.inSkipped()) {
      this.passOver(false);
      return;
    }
    this.guard(at, () => {
      const top = this.top();
      this.checkLength(s);
      switch (top.kind) {
        case FrameKind.Bag:
        case FrameKind.Structure:
        case FrameKind.Composite: {
          const t = this.takeKey(top);
          if (t.shape !== "S" || !t.values) throw new Stop(`'${t.name}' does not hold a text`);
          let value: unknown;
          try {
            value = this.cat.makeText(t, s);
          } catch (e) {
            if (e instanceof ValueError) throw new Stop(`bad value for '${t.name}': ${e.message}`);
            throw e;
          }
          if (t.enumeration) this.checkKnown(t, value, s, () => (this.depth > 1 ? " > " : "") + t.name);
          top.bag.set(t.id, value);
          return;
        }
        case FrameKind.TextList:
          this.count(top);
          if (top.target!.enumeration) {
            const value = top.target!.codec!.decode(s);
            this.checkKnown(top.target!, value, s, () => `[${top.texts.length}]`);
          }
          top.texts.push(s);
          return;
        case FrameKind.TextMap: {
          const key = this.takeMapKey(top);
          if (top.target!.enumeration) {
            const value = top.target!.codec!.decode(s);
            this.checkKnown(top.target!, value, s, () => `["${key}"]`);
          }
          top.textMap.set(key, s);
          return;
        }
        default:
          throw new Stop(`'${top.target!.name}' holds structures, not texts`);
      }
    });
  }

  private checkKnown(t: Param, value: unknown, text: string, place: () => string): void {
    if (this.cat.known(t, value, text)) return;
    const reason = `unknown text '${text}' for '${t.name}'`;
    if (!this.skipped) throw new Stop(reason);
    this.skip(reason + ", read as the default value", place());
  }

  private onNull(at: number): void {
    if (this.inSkipped()) {
      this.passOver(false);
      return;
    }
    this.guard(at, () => {
      const top = this.top();
      if (top.kind !== FrameKind.StructureMap) throw new Stop("null is only a structure map's entry");
      top.itemMap.set(this.takeMapKey(top), this.cat.nullItem(top.target!));
    });
  }

  private startArray(at: number): void {
    if (this.inSkipped()) return this.guard(at, () => this.passOver(true));
    this.guard(at, () => {
      if (this.depth === 0) throw new Stop("the text is a bag: an object");
      const top = this.top();
      if (top.kind === FrameKind.StructureList && top.target!.parsesList) {
        this.count(top);
        this.push(FrameKind.TextList, top.target);
        return;
      }
      if (!isBag(top.kind)) throw new Stop("unexpected list");
      const t = this.takeKey(top);
      if (t.shape === "S" && t.parsesList) {
        this.push(FrameKind.TextList, t);
        return;
      }
      if (t.shape !== "L") throw new Stop(`'${t.name}' does not hold a list`);
      if (!t.structures && !t.values) throw new Stop(`no serializer for '${t.name}'`);
      this.push(t.structures ? FrameKind.StructureList : FrameKind.TextList, t);
    });
  }

  private endArray(at: number): void {
    if (this.endSkipped()) return;
    this.guard(at, () => {
      const done = this.top();
      const parent = this.stack[this.depth - 2];
      if (done.kind === FrameKind.StructureList) {
        parent.bag.set(done.target!.id, done.items.slice());
      } else if (done.kind === FrameKind.TextList) {
        const value = this.cat.makeList(done.target!, done.texts);
        if (parent.kind === FrameKind.StructureList) parent.items.push(value);
        else parent.bag.set(done.target!.id, value);
      }
      this.pop();
    });
  }

  private endObject(at: number): void {
    if (this.endSkipped()) return;
    this.guard(at, () => {
      const done = this.top();
      if (this.depth === 1) {
        this.result = done.kind === FrameKind.Bag ? this.bagOf(done.bag) : this.cat.makeStructure(done.target!, done.bag, this.ctx);
        this.done = true;
        this.pop();
        return;
      }
      const parent = this.stack[this.depth - 2];
      switch (done.kind) {
        case FrameKind.Structure:
          this.handOn(parent, done.target!, this.cat.makeStructure(done.target!, done.bag, this.ctx));
          break;
        case FrameKind.Composite:
          parent.bag.set(done.target!.id, this.bagOf(done.bag));
          break;
        case FrameKind.TextMap:
          parent.bag.set(done.target!.id, this.cat.makeMap(done.target!, done.textMap));
          break;
        case FrameKind.StructureMap: {
          const sorted = new Map([...done.itemMap].sort((a, b) => compareKeys(a[0], b[0])));
          parent.bag.set(done.target!.id, sorted);
          break;
        }
        default:
          throw new Stop("unbalanced structure");
      }
      this.pop();
    });
  }

  private handOn(parent: Frame, t: Param, value: unknown): void {
    if (parent.kind === FrameKind.StructureList) {
      parent.items.push(value);
      return;
    }
    if (parent.kind === FrameKind.StructureMap) {
      parent.itemMap.set(this.takeMapKey(parent), value);
      return;
    }
    parent.bag.set(t.id, value);
  }

  private onDefault(at: number): void {
    if (this.inSkipped()) {
      this.passOver(false);
      return;
    }
    this.eventAt = at;
    throw new WireError(this.bytes(at), "every value is a text: numbers and flags are written as strings", this.placeNow());
  }

  private bagOf(bag: Map<number, unknown>): Bag {
    const out: Bag = {};
    for (const id of [...bag.keys()].sort((a, b) => (a >>> 0) - (b >>> 0))) out[this.cat.byId.get(id)!.name] = bag.get(id);
    return out;
  }
}

const ESCAPES: { [c: number]: string } = {
  0x22: '"',
  0x5c: "\\",
  0x2f: "/",
  0x62: "\b",
  0x66: "\f",
  0x6e: "\n",
  0x72: "\r",
  0x74: "\t",
};
