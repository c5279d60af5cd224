// Reading and writing a wire text with the web reader, beside JSON.parse of the same text and
// JSON.stringify of what it parses to, in the same run: medians of the runs (after warm-up
// runs), their spread, and the ratios of the medians; the machine's load before and after.
//   node WebReaderBench.mjs PACKAGE_DIR TEXT_FILE [RUNS]

import { readFileSync } from "node:fs";
import { loadavg } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";

const [dir, file, runsArg] = process.argv.slice(2);
const pm = await import(pathToFileURL(path.join(dir, "presmodel.js")).href);
const text = readFileSync(file, "utf8").replace(/\n$/, "");
const runs = Math.max(5, Number(runsArg ?? 9));
const load = loadavg()[0];

// Each step in a block of its own: warm-up runs, then the timed runs, so that each meets the
// machine as it is when it runs alone.
const times = { parse: [], read: [], stringify: [], write: [] };
let raw, bag, written;
const block = (name, f) => {
  for (let i = 0; i < runs + 3; ++i) {
    const t0 = performance.now();
    f();
    if (i >= 3) times[name].push(performance.now() - t0);
  }
};
block("parse", () => (raw = JSON.parse(text)));
block("read", () => (bag = pm.readBag(text)));
block("stringify", () => JSON.stringify(raw));
block("write", () => (written = pm.writeBag(bag)));
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
console.log(`load average: ${load.toFixed(2)} before, ${loadavg()[0].toFixed(2)} after`);
