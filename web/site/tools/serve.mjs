// A small static server for the built site, on the loopback address only: for trying the
// site and for its browser tests. A real host needs nothing of it: any static host serves
// the folder as it is.
//
//   node serve.mjs [--port N] [--root DIR]     (port 0, the default, takes a free one)
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";

const TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".json": "application/json",
    ".png": "image/png",
    ".ini": "application/octet-stream",
    ".map": "application/json",
};

export const defaultRoot = fileURLToPath(new URL("../../../build-web/site/", import.meta.url));

// Starts serving `root`; resolves to { server, url } once it listens.
export function startServer({ root = defaultRoot, port = 0 } = {}) {
    const base = resolve(root);
    const server = createServer(async (request, response) => {
        try {
            const path = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
            let file = normalize(join(base, path));
            if (file !== base && !file.startsWith(base + sep)) throw new Error("outside");
            if ((await stat(file)).isDirectory()) file = join(file, "index.html");
            const body = await readFile(file);
            response.writeHead(200, {
                "Content-Type": TYPES[extname(file)] ?? "application/octet-stream",
                "Cache-Control": "no-cache",
                "X-Content-Type-Options": "nosniff",
            });
            response.end(request.method === "HEAD" ? undefined : body);
        } catch {
            response.writeHead(404, { "Content-Type": "text/plain; charset=utf-8" });
            response.end("not found\n");
        }
    });
    return new Promise((resolveStart, reject) => {
        server.once("error", reject);
        server.listen(port, "127.0.0.1", () =>
            resolveStart({ server, url: `http://127.0.0.1:${server.address().port}/` }));
    });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const args = process.argv.slice(2);
    const option = (name, fallback) => {
        const at = args.indexOf(name);
        return at >= 0 && at + 1 < args.length ? args[at + 1] : fallback;
    };
    const { url } = await startServer({ root: option("--root", defaultRoot), port: Number(option("--port", 0)) });
    console.log(`Mireto is served at ${url} (Ctrl+C stops it)`);
}
