// Reading and writing a wire text with the web reader, beside JSON.parse of the same text and
// JSON.stringify of what it parses to, in the same run: medians of the runs after warm-up
// runs, their spread, the first run apart, and the ratios of the medians; the machine's load
// before and after.
//   node WebReaderBench.mjs PACKAGE_DIR TEXT_FILE [RUNS]
//
// Reading and writing each run in a process of their own (this script with --pair), so that
// the writer does not collect the reader's garbage; in each, the web reader's step and its
// JSON counterpart take turns in blocks, so that both meet the process as it is (processes
// differ: the same JSON.parse takes a third more time in one than in another). The reader
// and writer make code for each class they meet, which the engine optimises after a few
// runs: hence the warm-up runs.

import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { loadavg } from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const WARM_UP = 8;
const ROUNDS = 3;
const PAIRS = { read: ["parse", "read"], write: ["stringify", "write"] };

async function pair(which, dir, file, runs) {
  const pm = await import(pathToFileURL(path.join(dir, "presmodel.js")).href);
  const text = readFileSync(file, "utf8").replace(/\n$/, "");
  const raw = which === "write" ? JSON.parse(text) : null;
  const bag = which === "write" ? pm.readBag(text) : null;
  const steps = {
    parse: () => JSON.parse(text),
    read: () => pm.readBag(text),
    stringify: () => JSON.stringify(raw),
    write: () => pm.writeBag(bag),
  };
  if (which === "write" && steps.write() !== text) throw new Error("the text written differs from the text read");
  if (which === "read") {
    steps.read();
    if (pm.lastReadWay() !== "fast") throw new Error("the text was read the long way");
  }
  const out = {};
  for (const name of PAIRS[which]) out[name] = { times: [], cpu: [], first: 0 };
  const time = (name, keep) => {
    const c0 = process.cpuUsage();
    const t0 = performance.now();
    steps[name]();
    const t = performance.now() - t0;
    const c = process.cpuUsage(c0);
    if (keep) {
      out[name].times.push(t);
      out[name].cpu.push((c.user + c.system) / 1000); // every thread of the process: the collector's too
    }
    return t;
  };
  for (const name of PAIRS[which]) {
    out[name].first = time(name, false);
    for (let i = 1; i < WARM_UP; ++i) time(name, false);
  }
  const perRound = Math.ceil(runs / ROUNDS);
  for (let round = 0; round < ROUNDS; ++round)
    for (const name of PAIRS[which]) for (let i = 0; i < perRound; ++i) time(name, true);
  return out;
}

const args = process.argv.slice(2);
if (args[0] === "--pair") {
  const [, which, dir, file, runs] = args;
  process.stdout.write(JSON.stringify(await pair(which, dir, file, Number(runs))));
} else {
  const [dir, file, runsArg] = args;
  const runs = Math.max(5, Number(runsArg ?? 15));
  const load = loadavg()[0];
  const self = fileURLToPath(import.meta.url);
  const results = {};
  for (const which of Object.keys(PAIRS))
    Object.assign(results, JSON.parse(execFileSync(process.execPath, [self, "--pair", which, dir, file, String(runs)], { encoding: "utf8" })));
  const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];
  const mb = Buffer.byteLength(readFileSync(file, "utf8").replace(/\n$/, "")) / 1e6;
  console.log(`text: ${file}, ${mb.toFixed(2)} MB; ${results.read.times.length} runs of each after ${WARM_UP} warm-up runs, ` +
              `in ${ROUNDS} rounds; reading and writing each in a process of its own; node ${process.version}`);
  for (const name of ["parse", "read", "stringify", "write"]) {
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
