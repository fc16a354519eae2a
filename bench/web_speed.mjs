// Pages per second of the npm package (the core in WebAssembly, under Node) against the
// native core, in the same run: the bench's prose with its ending set and ten rules,
// every style, each page built from the text's bytes and handed back as bytes.
// Usage (scripts/bench-web runs it):
//   node bench/web_speed.mjs NPM_PACKAGE_FOLDER MIRETO_PAGE_SPEED CORPUS_FOLDER ROUNDS
// Rounds alternate between the two builds; the fastest round of each counts. Times are
// processor time in user mode (Node's whole process here, the building thread's there):
// on a machine other work shares, waiting for a processor does not count, nor does the
// kernel's zeroing of fresh memory (see bench/page_speed.cpp).
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";

const [packageFolder, nativeSpeed, corpus] = process.argv.slice(2, 5).map((path) => resolve(path));
const rounds = Number(process.argv[5] ?? 5);
const MOMENT = 1031227620; // as the native side

const { createMireto } = await import(pathToFileURL(join(packageFolder, "mireto.mjs")));
const mireto = await createMireto();
const text = readFileSync(join(corpus, "prose.txt"));
if (mireto.loadSettings(readFileSync(join(corpus, "rules.ini"))) !== "loaded") throw new Error("rules.ini");
const styles = mireto.names().formats;

const fastest = { wasm: styles.map(() => Infinity), native: styles.map(() => Infinity) };
for (let round = 0; round < rounds; ++round) {
    const lines = execFileSync(nativeSpeed, ["time", corpus, "1"], { encoding: "utf8" }).trim().split("\n");
    for (const line of lines) {
        const [style, seconds] = line.split(" ").map(Number);
        fastest.native[style] = Math.min(fastest.native[style], seconds);
    }
    styles.forEach((_, style) => {
        mireto.pickFormat(style);
        const start = process.cpuUsage();
        mireto.buildPage(text, MOMENT);
        const used = process.cpuUsage(start);
        const seconds = used.user / 1e6;
        fastest.wasm[style] = Math.min(fastest.wasm[style], seconds);
    });
}

const megabytes = text.length / 1e6;
const pad = (value, width) => String(value).padStart(width);
console.log(`prose, ${(text.length / 1048576).toFixed(0)} MiB, ten rules; fastest of ${rounds} rounds`);
console.log("style                          wasm MB/s  native MB/s  wasm/native");
styles.forEach((name, style) => {
    const wasm = megabytes / fastest.wasm[style];
    const native = megabytes / fastest.native[style];
    // Japanese characters take two columns of a terminal, ASCII one.
    const columns = [...name].reduce((sum, character) => sum + (character.charCodeAt(0) < 0x80 ? 1 : 2), 0);
    const label = name + " ".repeat(Math.max(1, 29 - columns));
    console.log(`${label}${pad(wasm.toFixed(1), 10)}${pad(native.toFixed(1), 13)}${pad((wasm / native).toFixed(2), 13)}`);
});
