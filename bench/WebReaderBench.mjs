// Reading and writing a wire text with the web reader, beside JSON.parse of the same text and
// JSON.stringify of what it parses to, in the same run: medians of the runs (after warm-up
// runs), their spread, and the ratios of the medians; the machine's load before and after.
// With --expose-gc each step starts on a collected heap, so that no step pays for the garbage
// of the one before.
//   node --expose-gc WebReaderBench.mjs PACKAGE_DIR TEXT_FILE [RUNS]

import { readFileSync } from "node:fs";
import { loadavg } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";

const [dir, file, runsArg] = process.argv.slice(2);
const pm = await import(pathToFileURL(path.join(dir, "presmodel.js")).href);
const text = readFileSync(file, "utf8").replace(/\n$/, "");
const runs = Math.max(5, Number(runsArg ?? 9));
const load = loadavg()[0];

const times = { parse: [], read: [], stringify: [], write: [] };
let raw, bag, written;
const collect = globalThis.gc ?? (() => undefined);
const time = (name, f) => {
  collect();
  const t0 = performance.now();
  f();
  times[name].push(performance.now() - t0);
};
for (let i = 0; i < runs + 3; ++i) {
  // Each step in turn, so that the machine's moods fall on all of them alike.
  if (i === 3) for (const k in times) times[k] = [];
  time("parse", () => (raw = JSON.parse(text)));
  time("read", () => (bag = pm.readBag(text)));
  time("stringify", () => JSON.stringify(raw));
  time("write", () => (written = pm.writeBag(bag)));
}
if (written !== text) throw new Error("the text written differs from the text read");

const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];
const mb = new TextEncoder().encode(text).length / 1e6;
console.log(`text: ${file}, ${mb.toFixed(2)} MB; ${runs} runs after 3 warm-up runs; node ${process.version}`);
for (const [name, xs] of Object.entries(times)) {
  const m = median(xs);
  console.log(`${name.padEnd(10)} median ${m.toFixed(1).padStart(7)} ms (${Math.min(...xs).toFixed(1)}..${Math.max(...xs).toFixed(1)}), ${(mb / (m / 1000)).toFixed(0)} MB/s`);
}
console.log(`read / JSON.parse:      ${(median(times.read) / median(times.parse)).toFixed(2)}x (target at most 2x)`);
console.log(`write / JSON.stringify: ${(median(times.write) / median(times.stringify)).toFixed(2)}x (target at most 2x)`);
console.log(`load average: ${load.toFixed(2)} before, ${loadavg()[0].toFixed(2)} after` +
            (globalThis.gc ? "; heap collected before each step" : ""));
