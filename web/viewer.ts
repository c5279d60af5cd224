// The viewer page's script: opens a wire text (file picker, drop, or a text the page carries)
// and shows its model tree: classes, values, the members that were absent and took their
// starting value, what a lenient read left out, and any error with its place. Written as a
// module against the web reader; web/bundle.py makes it one script inside the page.

import { absentMembers, catalogue, colorText, dataValueText, readBag, readBagLenient, writeBag, WireError, WriteError } from "./presmodel.js";
import type { Bag, Color, DataValue, Model, Skipped } from "./presmodel.js";

// Levels of the tree made open; deeper ones are made when opened.
const OPEN_LEVELS = 2;

interface Shown {
  models: number;
  absent: number;
}

function el<K extends keyof HTMLElementTagNameMap>(tag: K, cls?: string, text?: string): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  if (cls) e.className = cls;
  if (text !== undefined) e.textContent = text;
  return e;
}

function isModel(v: unknown): v is Model {
  return v !== null && typeof v === "object" && typeof (v as Model).$class === "string" && !Array.isArray(v);
}

function isColor(v: unknown): v is Color {
  return v !== null && typeof v === "object" && "r" in (v as object) && "type" in (v as object);
}

// The text of a value that is not a model, list or map.
function scalarText(v: unknown, type: string): string {
  if (v === null) return "null";
  if (type === "data") return dataValueText(v as DataValue);
  if (typeof v === "string") return JSON.stringify(v);
  if (typeof v === "bigint") return v.toString();
  if (isColor(v)) return colorText(v);
  if (typeof v === "object") return JSON.stringify(v);
  return String(v);
}

function valueNode(v: unknown, type: string, level: number, shown: Shown): HTMLElement {
  if (isModel(v)) return modelNode(v, level, shown);
  if (Array.isArray(v) && type !== "data") {
    if (v.length === 0) return el("span", "value empty", "[] (empty)");
    return containerNode(`[${v.length}]`, v.map((x, i) => [`[${i}]`, x] as [string, unknown]), type, level, shown);
  }
  if (v instanceof Map) {
    if (v.size === 0) return el("span", "value empty", "{} (empty)");
    return containerNode(`{${v.size}}`, [...v].map(([k, x]) => [JSON.stringify(k), x] as [string, unknown]), type, level, shown);
  }
  const span = el("span", "value", scalarText(v, type));
  if (isColor(v) && v.r >= 0 && v.r < 256 && v.g >= 0 && v.g < 256 && v.b >= 0 && v.b < 256) {
    const sw = el("span", "swatch");
    sw.style.background = `rgba(${v.r},${v.g},${v.b},${Math.max(0, Math.min(1, v.a / 255))})`;
    span.prepend(sw);
  }
  if ((type === "image" || type === "pixmap") && typeof v === "string" && v) {
    span.textContent = `(PNG, ${v.length} characters of base64) `;
    const img = el("img", "thumb");
    img.src = "data:image/png;base64," + v;
    span.append(img);
  }
  return span;
}

// A node that makes its children when it is first opened (at once for the first levels).
function lazy(summary: HTMLElement, level: number, fill: (into: HTMLElement) => void): HTMLElement {
  const d = el("details");
  d.append(summary);
  const body = el("div", "children");
  d.append(body);
  let made = false;
  const make = () => {
    if (made) return;
    made = true;
    fill(body);
  };
  if (level < OPEN_LEVELS) {
    d.open = true;
    make();
  } else {
    d.addEventListener("toggle", make);
  }
  return d;
}

function containerNode(label: string, entries: [string, unknown][], type: string, level: number, shown: Shown): HTMLElement {
  return lazy(el("summary", "container", label), level, (into) => {
    for (const [key, x] of entries) {
      const row = el("div", "row");
      row.append(el("span", "key", key + " "), valueNode(x, type, level + 1, shown));
      into.append(row);
    }
  });
}

function modelNode(m: Model, level: number, shown: Shown): HTMLElement {
  shown.models++;
  const absent = new Set(absentMembers(m) ?? []);
  shown.absent += absent.size;
  const summary = el("summary", "model");
  summary.append(el("span", "class", m.$class));
  if (absent.size) summary.append(el("span", "note", ` ${absent.size} absent`));
  return lazy(summary, level, (into) => {
    for (const member of catalogue.membersOf(m.$class)) {
      const row = el("div", "row member");
      const key = el("span", "key", member.stem);
      key.title = `${member.name} (${member.kind}, ${member.type})`;
      row.append(key, el("span", "sep", ": "));
      row.append(valueNode((m as unknown as { [stem: string]: unknown })[member.stem], member.type, level + 1, shown));
      if (absent.has(member.stem)) {
        row.classList.add("absent");
        row.append(el("span", "tag", "absent: starting value"));
      }
      into.append(row);
    }
  });
}

// The character index of a byte offset into the UTF-8 form of the text.
function charIndex(text: string, offset: number): number {
  let bytes = 0;
  for (let i = 0; i < text.length; ++i) {
    if (bytes >= offset) return i;
    const c = text.charCodeAt(i);
    bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c >= 0xd800 && c < 0xdc00 ? (++i, 4) : 3;
  }
  return text.length;
}

function show(text: string, name: string, lenient: boolean): void {
  const out = document.getElementById("out")!;
  const status = document.getElementById("status")!;
  out.replaceChildren();
  status.replaceChildren();
  status.className = "";
  const head = el("div", "file", `${name}: ${new TextEncoder().encode(text).length} bytes`);
  out.append(head);
  let bag: Bag;
  let skipped: Skipped[] = [];
  const started = performance.now();
  try {
    if (lenient) ({ bag, skipped } = readBagLenient(text, { absent: true }));
    else bag = readBag(text, { absent: true });
  } catch (e) {
    if (!(e instanceof WireError)) throw e;
    status.className = "error";
    status.append(el("div", "reason", e.message));
    if (e.path) status.append(el("div", "place", "at: " + e.path));
    const at = charIndex(text, e.offset);
    const context = el("pre", "context");
    context.append(text.slice(Math.max(0, at - 60), at), el("mark", "", text.slice(at, at + 1) || "\u2423"), text.slice(at + 1, at + 40));
    status.append(context);
    if (e.skipped.length) status.append(skippedList(e.skipped));
    return;
  }
  const ms = performance.now() - started;
  const shown: Shown = { models: 0, absent: 0 };
  const tree = el("div", "tree");
  for (const name of Object.keys(bag)) {
    const row = el("div", "row top");
    row.append(el("span", "key", name + " "), valueNode(bag[name], "", 0, shown));
    tree.append(row);
  }
  let rewrite: string;
  try {
    rewrite = writeBag(bag) === text.replace(/\n$/, "") ? "written again: the same text" : "written again: another text";
  } catch (e) {
    if (!(e instanceof WriteError)) throw e;
    rewrite = `written again: error: ${e.message}` + (e.path ? ` at ${e.path}` : "");
  }
  status.className = "ok";
  status.append(el("div", "summary", `read in ${ms.toFixed(1)} ms; ${rewrite}`));
  const counts = el("div", "counts", `${Object.keys(bag).length} parameters; models shown: ${shown.models}; absent members shown: ${shown.absent}`);
  status.append(counts);
  if (skipped.length) status.append(skippedList(skipped));
  out.append(tree);
}

function skippedList(skipped: Skipped[]): HTMLElement {
  const list = el("ul", "skipped");
  for (const s of skipped) list.append(el("li", "", `byte ${s.offset}, ${s.path || "(top)"}: ${s.reason}`));
  return list;
}

function open(file: File): void {
  const reader = new FileReader();
  reader.onload = () => show(String(reader.result), file.name, (document.getElementById("lenient") as HTMLInputElement).checked);
  reader.readAsText(file);
}

function start(): void {
  const picker = document.getElementById("file") as HTMLInputElement;
  picker.addEventListener("change", () => {
    if (picker.files && picker.files[0]) open(picker.files[0]);
  });
  const drop = document.body;
  drop.addEventListener("dragover", (e) => {
    e.preventDefault();
    drop.classList.add("dragging");
  });
  drop.addEventListener("dragleave", () => drop.classList.remove("dragging"));
  drop.addEventListener("drop", (e) => {
    e.preventDefault();
    drop.classList.remove("dragging");
    const file = e.dataTransfer?.files[0];
    if (file) open(file);
  });
  // A text the page carries: <script type="application/json" id="wire-text">"..."</script>,
  // with data-lenient for a lenient read.
  const carried = document.getElementById("wire-text");
  if (carried && carried.textContent) {
    const lenient = carried.hasAttribute("data-lenient");
    (document.getElementById("lenient") as HTMLInputElement).checked = lenient;
    show(JSON.parse(carried.textContent) as string, carried.getAttribute("data-name") ?? "text", lenient);
  }
}

start();
