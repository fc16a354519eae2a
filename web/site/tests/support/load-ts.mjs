// Imports one of the site's TypeScript modules into a Node test, bundled on the fly.
import { build } from "esbuild";
import { fileURLToPath } from "node:url";

export async function loadTs(relativeToSrc) {
    const entry = fileURLToPath(new URL(`../../src/${relativeToSrc}`, import.meta.url));
    const result = await build({ entryPoints: [entry], bundle: true, format: "esm", write: false, platform: "neutral" });
    const code = result.outputFiles[0].text;
    return import(`data:text/javascript;base64,${Buffer.from(code).toString("base64")}`);
}
