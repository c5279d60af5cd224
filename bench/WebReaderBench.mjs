// Reading and writing a wire text with the web reader, beside JSON.parse of the same text and
// JSON.stringify of what it parses to, in the same run: medians of the runs after warm-up
// runs, their spread, the first run apart, and the ratios of the medians; the machine's load
// before and after.
//   node WebReaderBench.mjs PACKAGE_DIR TEXT_FILE [RUNS]
//
// Each step runs in a process of its own (this script with --step), so that no step meets the
// heap another one left: the reader's models are garbage that the next step would collect.
// The reader and writer make code for each class they meet, which the engine optimises after
// a few runs: hence the warm-up runs.

import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { loadavg } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const WARM_UP = 8;
const STEPS = ["parse", "read", "stringify", "write"];

async function step(name, dir, file, runs) {
  const pm = await import(pathToFileURL(path.join(dir, "presmodel.js")).href);
  const text = readFileSync(file, "utf8").replace(/\n$/, "");
  const raw = name === "stringify" ? JSON.parse(text) : null;
  const bag = name === "write" ? pm.readBag(text) : null;
  const run = {
    parse: () => JSON.parse(text),
    read: () => pm.readBag(text),
    stringify: () => JSON.stringify(raw),
    write: () => pm.writeBag(bag),
  }[name];
  if (name === "write" && run() !== text) throw new Error("the text written differs from the text read");
  const times = [];
  const cpu = [];
  let first = 0;
  for (let i = 0; i < runs + WARM_UP; ++i) {
    const c0 = process.cpuUsage();
    const t0 = performance.now();
    run();
    const t = performance.now() - t0;
    const c = process.cpuUsage(c0);
    if (i === 0) first = t;
    if (i >= WARM_UP) {
      times.push(t);
      cpu.push((c.user + c.system) / 1000); // every thread of the process: the collector's too
    }
  }
  return { times, cpu, first };
}

const args = process.argv.slice(2);
if (args[0] === "--step") {
  const [, name, dir, file, runs] = args;
  process.stdout.write(JSON.stringify(await step(name, dir, file, Number(runs))));
} else {
  const [dir, file, runsArg] = args;
  const runs = Math.max(5, Number(runsArg ?? 9));
  const load = loadavg()[0];
  const self = fileURLToPath(import.meta.url);
  const results = {};
  for (const name of STEPS)
    results[name] = JSON.parse(execFileSync(process.execPath, [self, "--step", name, dir, file, String(runs)], { encoding: "utf8" }));
  const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];
  const mb = Buffer.byteLength(readFileSync(file, "utf8").replace(/\n$/, "")) / 1e6;
  console.log(`text: ${file}, ${mb.toFixed(2)} MB; ${runs} runs after ${WARM_UP} warm-up runs, each step in a process of its own; node ${process.version}`);
  for (const name of STEPS) {
    const { times, cpu, first } = results[name];
    const m = median(times);
    console.log(`${name.padEnd(10)} median ${m.toFixed(1).padStart(6)} ms (${Math.min(...times).toFixed(1)}..${Math.max(...times).toFixed(1)}), ` +
                `${(mb / (m / 1000)).toFixed(0)} MB/s; processor time ${median(cpu).toFixed(1)} ms; first run ${first.toFixed(1)} ms`);
  }
  const ratio = (a, b, what) => (median(results[a][what]) / median(results[b][what])).toFixed(2);
  console.log(`read / JSON.parse:      ${ratio("read", "parse", "times")}x (processor time ${ratio("read", "parse", "cpu")}x; target at most 2x)`);
  console.log(`write / JSON.stringify: ${ratio("write", "stringify", "times")}x (processor time ${ratio("write", "stringify", "cpu")}x; target at most 2x)`);
  console.log(`load average: ${load.toFixed(2)} before, ${loadavg()[0].toFixed(2)} after`);
}
