// The browser tests' harness: the built site served on 127.0.0.1, Debian's Chromium
// driven by playwright-core, and the checks every test gets: no console error, no
// uncaught exception and no request to any other origin.
import { chromium } from "playwright-core";
import assert from "node:assert/strict";
import { after, before } from "node:test";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { defaultRoot, startServer } from "../../tools/serve.mjs";

export const TIMEZONE = "Asia/Tokyo";

// Chromium as root, headless, and quiet on the network: no background requests of its
// own, no component updates. Playwright gives each launch a new, empty profile folder.
const LAUNCH = {
    executablePath: process.env.MIRETO_CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    args: [
        "--no-sandbox",
        "--disable-gpu",
        "--disable-background-networking",
        "--disable-component-update",
        "--no-first-run",
        "--disable-sync",
        "--disable-quic",
    ],
};

export function useSite() {
    const site = { url: "", browser: null, server: null, problems: [] };
    before(async () => {
        assert.ok(existsSync(join(defaultRoot, "core", "mireto.mjs")), `no site in ${defaultRoot}: build it first (scripts/web)`);
        const { server, url } = await startServer();
        site.server = server;
        site.url = url;
        site.browser = await chromium.launch(LAUNCH);
    });
    after(async () => {
        await site.browser?.close();
        await new Promise((resolve) => site.server?.close(resolve));
        assert.deepEqual(site.problems, [], "console errors or requests to other origins");
    });
    // A new browser context (a stranger's browser: nothing stored) watched for problems.
    site.newContext = async (options = {}) => {
        const context = await site.browser.newContext({
            timezoneId: TIMEZONE,
            acceptDownloads: true,
            viewport: { width: 1280, height: 860 },
            ...options,
        });
        const origin = new URL(site.url).origin;
        context.on("request", (request) => {
            const url = request.url();
            if (!url.startsWith("blob:") && !url.startsWith("data:") && new URL(url).origin !== origin)
                site.problems.push(`request to ${url}`);
        });
        context.on("page", (page) => watch(site, page));
        return context;
    };
    // Opens the site in a new page of `context` and waits until it shows a page.
    site.open = async (context, hash = "") => {
        const page = await context.newPage();
        await page.goto(site.url + hash);
        await page.waitForSelector("body[data-ready=true]");
        await page.waitForSelector("body[data-page-loads]");
        return page;
    };
    return site;
}

function watch(site, page) {
    page.on("console", (message) => {
        if (message.type() === "error") site.problems.push(`console: ${message.text()}`);
    });
    page.on("pageerror", (error) => site.problems.push(`page error: ${error.message}`));
}

// The number of pages the preview frame has loaded so far.
export async function loads(page) {
    return Number(await page.evaluate(() => document.body.dataset.pageLoads ?? 0));
}

// Runs `action` and waits until the preview frame has loaded a new page.
export async function afterNewPage(page, action) {
    const before = await loads(page);
    await action();
    await page.waitForFunction((n) => Number(document.body.dataset.pageLoads ?? 0) > n, before);
}

// The bytes the preview frame shows now (without the base tag that opens links in new tabs).
export async function shownBytes(page) {
    const bytes = await page.evaluate(async () => {
        const response = await fetch(document.getElementById("page").src);
        return Array.from(new Uint8Array(await response.arrayBuffer()));
    });
    const text = Buffer.from(bytes).toString("latin1").replace('<base target="_blank">', "");
    return Buffer.from(text, "latin1");
}

// Clicks `selector` and gives back the bytes of the file it downloads.
export async function downloaded(page, selector) {
    const [download] = await Promise.all([page.waitForEvent("download"), page.click(selector)]);
    const chunks = [];
    for await (const chunk of await download.createReadStream()) chunks.push(chunk);
    return { name: download.suggestedFilename(), bytes: Buffer.concat(chunks) };
}

// Sets the page's moment as the date box would take it, in the test's time zone.
export async function setMoment(page, seconds) {
    await afterNewPage(page, () =>
        page.evaluate((s) => {
            const d = new Date(s * 1000);
            const two = (n) => String(n).padStart(2, "0");
            const box = document.getElementById("moment");
            box.value = `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}T${two(d.getHours())}:${two(d.getMinutes())}:${two(d.getSeconds())}`;
            box.dispatchEvent(new Event("change"));
        }, seconds));
}

// Answers the next message box with the button labelled `label`, and gives back its text.
export async function answer(page, label = "OK") {
    await page.waitForSelector("#message[open]");
    const text = await page.textContent("#messageText");
    await page.click(`#messageButtons button:text-is("${label}")`);
    await page.waitForSelector("#message", { state: "hidden" });
    return text;
}
