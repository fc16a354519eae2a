// Builds the browser edition into build-web/site/: the bundled scripts, the page, its
// styles, the manifest and icons, the starter settings and the core's module and .wasm
// (taken from the npm package that scripts/web builds first).
//
//   node build.mjs [--core DIR] [--out DIR]
import { build } from "esbuild";
import { createHash } from "node:crypto";
import { copyFile, mkdir, readdir, readFile, rm, writeFile } from "node:fs/promises";
import { existsSync } from "node:fs";
import { join, relative } from "node:path";
import { fileURLToPath } from "node:url";

const here = (path) => fileURLToPath(new URL(path, import.meta.url));
const repo = here("../../../");
const args = process.argv.slice(2);
const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at >= 0 && at + 1 < args.length ? args[at + 1] : fallback;
};
const coreDir = option("--core", join(repo, "build-web/npm"));
const out = option("--out", join(repo, "build-web/site"));

const coreFiles = existsSync(coreDir) ? (await readdir(coreDir)).filter((f) => /\.(wasm|mjs)$/.test(f)) : [];
if (!coreFiles.some((f) => f.endsWith(".wasm"))) {
    console.error(`build: no core in ${coreDir}: build the npm package first (scripts/web does both)`);
    process.exit(1);
}

await rm(out, { recursive: true, force: true });
await mkdir(join(out, "core"), { recursive: true });

for (const file of coreFiles) await copyFile(join(coreDir, file), join(out, "core", file));
await copyFile(join(repo, "res/starter.ini"), join(out, "starter.ini"));
for (const size of [128, 256]) await copyFile(join(repo, `res/mireto-${size}.png`), join(out, `icon-${size}.png`));
for (const file of await readdir(here("../static"))) await copyFile(here(`../static/${file}`), join(out, file));

await build({
    entryPoints: [here("../src/main.ts")],
    outfile: join(out, "app.js"),
    bundle: true,
    format: "esm",
    target: "es2022",
    minify: true,
    sourcemap: true,
    external: ["./core/*"],
    logLevel: "warning",
});

// The service worker keeps every file of this build; its name for the cache changes with
// their contents, so a new build replaces the old cache at once.
const files = [];
async function walk(dir) {
    for (const entry of await readdir(dir, { withFileTypes: true })) {
        const path = join(dir, entry.name);
        if (entry.isDirectory()) await walk(path);
        else if (!entry.name.endsWith(".map")) files.push(relative(out, path).split("\\").join("/"));
    }
}
await walk(out);
files.sort();
const hash = createHash("sha256");
for (const file of files) hash.update(file).update(await readFile(join(out, file)));
const precache = ["./", ...files.filter((f) => f !== "index.html").map((f) => `./${f}`)];
await build({
    entryPoints: [here("../src/sw.ts")],
    outfile: join(out, "sw.js"),
    bundle: true,
    format: "iife",
    target: "es2022",
    minify: true,
    define: {
        __CACHE_NAME__: JSON.stringify(`mireto-${hash.digest("hex").slice(0, 16)}`),
        __PRECACHE__: JSON.stringify(precache),
    },
    logLevel: "warning",
});
console.log(`build: the site is in ${out}`);
