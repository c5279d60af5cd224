// What the example uses of Node.js (there are no @types packages here).
declare module "node:fs" {
  export function readFileSync(path: string, encoding: "utf8"): string;
}
declare const process: { argv: string[] };
declare const console: { log(...values: unknown[]): void };
