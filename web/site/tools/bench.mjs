// How long the page beside the text takes: from the last keystroke to the frame's load
// event, for texts of 10 KB and 100 KB (as Shift_JIS), in Debian's Chromium against the
// built site on 127.0.0.1. The pause the site waits for is 300 ms; what counts is the
// time past it. Also the longest the page keeps the main thread busy while typing goes
// on, so that typing never stalls.
//
//   node bench.mjs [--rounds N] [--formats 4,1]     (scripts/web builds the site first)
import { chromium } from "playwright-core";
import { readFileSync } from "node:fs";
import { fileURLToPath } from "node:url";
import { startServer } from "./serve.mjs";

const option = (name) => (process.argv.includes(name) ? process.argv[process.argv.indexOf(name) + 1] : undefined);
const rounds = Number(option("--rounds")) || 7;
const formats = (option("--formats") ?? "4,1").split(",").map(Number);
const sample = readFileSync(fileURLToPath(new URL("../../../docs/sample.txt", import.meta.url)), "utf8");
// Shift_JIS takes 2 bytes for each of these characters, 1 for a line break.
const sjisLength = (text) => [...text].reduce((n, c) => n + (c.charCodeAt(0) < 0x80 ? 1 : 2), 0);
function textOf(bytes) {
    let text = "";
    while (sjisLength(text) < bytes) text += sample;
    return text;
}

const { server, url } = await startServer();
const browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update", "--no-first-run"],
});
const page = await browser.newPage({ viewport: { width: 1280, height: 860 } });
page.setDefaultTimeout(300_000);
await page.goto(url);
await page.waitForSelector("body[data-page-loads]");
await page.evaluate(() => {
    window.benchTasks = [];
    new PerformanceObserver((list) => window.benchTasks.push(...list.getEntries().map((e) => e.duration)))
        .observe({ type: "longtask", buffered: false });
    document.getElementById("text").addEventListener("input", () => performance.mark("bench-input"));
});

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
console.log("style  size     keystroke→load  past the pause   build   frame load  longest task while typing");
for (const format of formats)
for (const kb of [10, 100]) {
    await page.selectOption("#formatList", String(format));
    await page.waitForTimeout(500);
    const text = textOf(kb * 1024);
    const totals = [], builds = [], frames = [], stalls = [];
    for (let round = 0; round < rounds; ++round) {
        const filled = Number(await page.evaluate(() => document.body.dataset.pageLoads));
        await page.fill("#text", text.slice(0, -1));
        await page.waitForFunction((n) => Number(document.body.dataset.pageLoads) > n, filled);
        await page.waitForTimeout(300);
        await page.evaluate(() => { performance.clearMarks(); window.benchTasks.length = 0; });
        const loads = Number(await page.evaluate(() => document.body.dataset.pageLoads));
        // Typing goes on for a while: ten keys 80 ms apart, then the pause.
        await page.focus("#text");
        await page.keyboard.press("End");
        for (let key = 0; key < 10; ++key) {
            await page.keyboard.type("あ");
            await page.waitForTimeout(80);
        }
        const typingTasks = await page.evaluate(() => Math.max(0, ...window.benchTasks));
        await page.keyboard.press("Backspace");
        await page.waitForFunction((n) => Number(document.body.dataset.pageLoads) > n, loads);
        const marks = await page.evaluate(() => ({
            input: performance.getEntriesByName("bench-input").at(-1).startTime,
            build: performance.getEntriesByName("mireto-page-build").at(-1).startTime,
            built: performance.getEntriesByName("mireto-page-built").at(-1).startTime,
            load: performance.getEntriesByName("mireto-page-load").at(-1).startTime,
        }));
        totals.push(marks.load - marks.input);
        builds.push(marks.built - marks.build);
        frames.push(marks.load - marks.built);
        stalls.push(typingTasks);
    }
    const total = median(totals);
    console.log(`${String(format).padStart(5)}  ${String(kb).padStart(3)} KB   ${total.toFixed(0).padStart(10)} ms   ${(total - 300).toFixed(0).padStart(10)} ms   ${median(builds).toFixed(0).padStart(5)} ms ${median(frames).toFixed(0).padStart(7)} ms   ${Math.max(...stalls).toFixed(0).padStart(10)} ms`);
}
await browser.close();
server.close();
