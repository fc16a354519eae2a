// The native command-line converter, for pages to compare with the site's.
import { execFileSync } from "node:child_process";
import { existsSync, mkdtempSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { TIMEZONE } from "./browser.mjs";

const repo = fileURLToPath(new URL("../../../../", import.meta.url));
const buildDir = process.env.MIRETO_BUILD_DIR ?? join(repo, "build");

export function nativeTool(name) {
    const path = join(buildDir, "bin", name);
    if (!existsSync(path)) throw new Error(`${path} is missing: build it first (cmake --build build)`);
    return path;
}

export const scratch = () => mkdtempSync(join(tmpdir(), "mireto-web-"));

// The page mireto-convert makes of UTF-8 `text` with the settings file `settings`.
export function nativePage(text, settings, { format, moment, pageEncoding = "sjis" }) {
    const dir = scratch();
    writeFileSync(join(dir, "Mireto.ini"), settings);
    writeFileSync(join(dir, "text.txt"), text);
    return execFileSync(nativeTool("mireto-convert"), [
        "-s", join(dir, "Mireto.ini"), "-f", String(format), "--time", String(moment),
        "--encoding", "utf-8", "--page-encoding", pageEncoding, join(dir, "text.txt"),
    ], { env: { ...process.env, TZ: TIMEZONE } });
}
