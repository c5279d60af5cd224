// Reads every line of a file as wire text with the web reader and writes it again; prints one
// line of JSON per text as `pmtool read --batch` does: {"text"} or {"stage", "offset",
// "reason", "path"}, and "skipped".
// --ways: each result also says which way the reader took ("fast" or "events").
// --interpreted: the engine's steps for each class not made as code (as on a page that allows
// no code to be made).
//   node readback.mjs MODULE_DIR FILE [--lenient] [--event-by-event] [--interpreted] [--ways]

import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";
import path from "node:path";

const [moduleDir, file, ...flags] = process.argv.slice(2);
const pm = await import(pathToFileURL(path.join(moduleDir, "presmodel.js")).href);
const lenient = flags.includes("--lenient");
const options = { eventByEvent: flags.includes("--event-by-event") };
if (flags.includes("--interpreted")) pm.compileSteps(false);

const out = [];
for (const text of readFileSync(file, "utf8").split("\n").slice(0, -1)) {
  let skipped = [];
  let result;
  let way = pm.lastReadWay();
  try {
    let bag;
    if (lenient) ({ bag, skipped } = pm.readBagLenient(text, options));
    else bag = pm.readBag(text, options);
    way = pm.lastReadWay();
    try {
      result = { text: pm.writeBag(bag) };
    } catch (e) {
      if (!(e instanceof pm.WriteError)) throw e;
      result = { stage: "write", reason: e.message, path: e.path };
    }
  } catch (e) {
    if (!(e instanceof pm.WireError)) throw e;
    result = { stage: "read", offset: e.offset, reason: e.reason, path: e.path };
    skipped = e.skipped;
  }
  result.skipped = skipped;
  if (flags.includes("--ways")) result.way = way;
  out.push(JSON.stringify(result));
}
process.stdout.write(out.join("\n") + "\n");
