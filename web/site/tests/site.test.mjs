// The browser edition driven as a person would: typing, picking, editing, reloading,
// sharing, downloading, on a phone and offline. Every page is compared byte for byte
// with the native converter's.
import { test } from "node:test";
import assert from "node:assert/strict";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { execFileSync } from "node:child_process";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { afterNewPage, answer, downloaded, setMoment, shownBytes, useSite } from "./support/browser.mjs";
import { nativePage, nativeTool, scratch } from "./support/native.mjs";
import { colourShares, overlap, readPng } from "./support/png.mjs";

const site = useSite();
const repo = fileURLToPath(new URL("../../../", import.meta.url));
const screenshots = join(repo, "build-web/screenshots");

const SAMPLE = "私は今日、学校に行きました。こんにちは、ありがとう！\n" +
    "皆さん、とても嬉しいです。猫がいます。〜波ダッシュ〜と😀も。\n" +
    "空行のあとの最後の文です。";
const MOMENT = 1767225600 + 3 * 3600 + 25 * 60 + 7; // 2026-01-01 12:25:07 in Tokyo

async function typeText(page, text) {
    await afterNewPage(page, async () => {
        await page.fill("#text", text.slice(0, -1));
        await page.type("#text", text.slice(-1));
    });
}

async function exportIni(page) {
    await page.click("#openTransfer");
    const file = await downloaded(page, "#exportIni");
    await page.click("#editorButtons button:text-is('閉じる')");
    return file.bytes;
}

async function importIni(page, bytes) {
    const path = join(scratch(), "Mireto.ini");
    writeFileSync(path, bytes);
    await page.click("#openTransfer");
    const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("#importIni")]);
    await chooser.setFiles(path);
    await answer(page, "はい");
    await page.waitForSelector("#editor", { state: "hidden" });
}

const listNames = (page, id) => page.$$eval(`#${id} option`, (options) => options.map((o) => o.textContent));
const selected = (page, id) => page.$eval(`#${id}`, (s) => s.selectedIndex);

test("typing shows the page, and for every style its bytes are mireto-convert's", async () => {
    const context = await site.newContext();
    const page = await site.open(context);
    await typeText(page, SAMPLE);
    await setMoment(page, MOMENT);
    const settings = await exportIni(page);
    for (let format = 0; format < 7; ++format) {
        await afterNewPage(page, () => page.selectOption("#formatList", String(format)));
        const expected = nativePage(SAMPLE, settings, { format, moment: MOMENT });
        assert.ok(expected.length > 200);
        assert.ok((await shownBytes(page)).equals(expected), `style ${format} as shown`);
        const file = await downloaded(page, "#saveHtml");
        assert.ok(file.bytes.equals(expected), `style ${format} as saved`);
    }
    await page.selectOption("#pageEncoding", "utf-8");
    const utf8 = await downloaded(page, "#saveHtml");
    assert.ok(utf8.bytes.equals(nativePage(SAMPLE, settings, { format: 6, moment: MOMENT, pageEncoding: "utf-8" })));
    await context.close();
});

test("each list pick changes the page, and 別の乱数で changes the moment and the page", async () => {
    const context = await site.newContext();
    const page = await site.open(context);
    await typeText(page, SAMPLE);
    for (const list of ["templateList", "replacementList", "endingList", "formatList"]) {
        const before = await shownBytes(page);
        const count = (await listNames(page, list)).length;
        const next = ((await selected(page, list)) + 1) % count;
        await afterNewPage(page, () => page.selectOption(`#${list}`, String(next)));
        assert.notDeepEqual(await shownBytes(page), before, `a pick in ${list}`);
    }
    const moment = await page.inputValue("#moment");
    const before = await shownBytes(page);
    await afterNewPage(page, () => page.click("#reroll"));
    assert.notEqual(await page.inputValue("#moment"), moment);
    assert.notDeepEqual(await shownBytes(page), before);
    await context.close();
});

test("edited sets and a saved template are kept across a reload", async () => {
    const context = await site.newContext();
    const page = await site.open(context);

    await page.click("#endingButton");
    await page.fill("#endingName", "試しの語尾");
    await page.fill("#word1", "ですぞ。");
    await page.fill("#percent1", "");
    await page.type("#percent1", "70");
    await page.click("#endingSave");
    assert.equal(await answer(page), "テンプレート「試しの語尾」を保存しました");
    const percents = await Promise.all([1, 2, 3, 4].map((n) => page.inputValue(`#percent${n}`)));
    await page.click("#editorButtons button:text-is('閉じる')");

    await page.click("#replacementButton");
    await page.fill("#replacementName", "試しの置換");
    const last = page.locator("#rules fieldset").last();
    await last.locator("input").nth(0).fill("学校");
    await last.locator("input").nth(4).fill("がっこう");
    await page.click("#addRule");
    await page.click("#replacementSave");
    assert.equal(await answer(page), "テンプレート「試しの置換」を保存しました");
    await page.click("#editorButtons button:text-is('閉じる')");

    await page.click("#templateButton");
    await page.fill("#templateName", "試しのテンプレート");
    await page.selectOption("#templateEnding", { label: "試しの語尾" });
    await page.selectOption("#templateReplacement", { label: "試しの置換" });
    await page.click("#templateSave");
    assert.equal(await answer(page), "テンプレート「試しのテンプレート」を保存しました");
    // Saving a listed name asks first; いいえ keeps the stored one.
    await page.click("#templateSave");
    assert.match(await answer(page, "いいえ"), /すでに存在します。上書きしますか？/);
    await page.click("#editorButtons button:text-is('閉じる')");

    await page.reload();
    await page.waitForSelector("body[data-ready=true]");
    assert.ok((await listNames(page, "templateList")).includes("試しのテンプレート"));
    assert.ok((await listNames(page, "replacementList")).includes("試しの置換"));
    await page.click("#endingButton");
    await page.selectOption("#endingStored", { label: "試しの語尾" });
    assert.equal(await page.inputValue("#word1"), "ですぞ。");
    assert.deepEqual(await Promise.all([1, 2, 3, 4].map((n) => page.inputValue(`#percent${n}`))), percents);
    await page.click("#editorButtons button:text-is('閉じる')");
    await page.click("#replacementButton");
    await page.selectOption("#replacementStored", { label: "試しの置換" });
    const rule = page.locator("#rules fieldset").nth((await page.locator("#rules fieldset").count()) - 2);
    assert.equal(await rule.locator("input").nth(0).inputValue(), "学校");
    assert.equal(await rule.locator("input").nth(4).inputValue(), "がっこう");
    await context.close();
});

test("a Mireto.ini the desktop wrote imports into the same lists and exports the same bytes", async () => {
    const dir = scratch();
    execFileSync(nativeTool("mireto-desktop-settings"), [dir]);
    const written = readFileSync(join(dir, "Mireto.ini"));
    const listing = execFileSync(nativeTool("mireto-convert"), ["--list", "-s", join(dir, "Mireto.ini")]).toString("utf8");

    const context = await site.newContext();
    const page = await site.open(context);
    await importIni(page, written);
    for (const [list, heading] of [["templateList", 0], ["endingList", 1], ["replacementList", 2]]) {
        const names = await listNames(page, list);
        const section = listing.split(/\n(?=\S)/)[heading].split("\n").slice(1).map((l) => l.trim()).filter(Boolean);
        assert.deepEqual(names, section, list);
    }
    assert.ok((await exportIni(page)).equals(written), "Mireto.ini written back");

    // A set file the desktop exported reads in, and the same records export the same bytes.
    const sets = readFileSync(join(dir, "sets.ini"));
    const positions = JSON.parse(readFileSync(join(dir, "sets.json"), "utf8"));
    await page.click("#openTransfer");
    await page.click("#exportSets");
    for (const [kind, list] of [["template", positions.templates], ["ending", positions.endingSets], ["replacement", positions.replacementSets]])
        for (const at of list) await page.check(`input[data-kind=${kind}][data-at="${at}"]`);
    const exported = await downloaded(page, "#exportChosen");
    assert.ok(exported.bytes.equals(sets), "set file written back");
    await page.click("#editorButtons button:text-is('閉じる')");

    // And it reads in: a new name is added, a taken one kept beside the stored one.
    const [chooser] = await Promise.all([page.waitForEvent("filechooser"), (async () => {
        await page.click("#openTransfer");
        await page.click("#importSets");
    })()]);
    const setsPath = join(scratch(), "sets.ini");
    writeFileSync(setsPath, sets);
    await chooser.setFiles(setsPath);
    await page.click("#importChosen");
    assert.match(await answer(page), /別名で追加/);
    await context.close();
});

test("a share link shows the same page in a stranger's browser, and a damaged one loses nothing", async () => {
    const sender = await site.newContext();
    const page = await site.open(sender);
    await typeText(page, SAMPLE);
    await afterNewPage(page, () => page.selectOption("#formatList", "3"));
    await page.click("#copyLink");
    const link = await page.inputValue("#shareLink");
    const expected = await shownBytes(page);
    assert.match(link, /^http:\/\/127\.0\.0\.1:\d+\/#1\.[A-Za-z0-9_-]+$/);

    const stranger = await site.newContext();
    const own = await site.open(stranger);
    await own.fill("#text", "自分の文章です。");
    const ownSettings = await exportIni(own);
    await own.close();

    const visit = await site.open(stranger, new URL(link).hash);
    assert.ok((await shownBytes(visit)).equals(expected), "the same page bytes");
    assert.equal(await visit.inputValue("#text"), SAMPLE);
    assert.ok((await exportIni(visit)).equals(ownSettings), "the visitor's settings untouched");
    await visit.close();

    for (const [hash, said] of [
        [new URL(link).hash.slice(0, -12), /壊れている/],
        ["#1.!!!!", /壊れている/],
        ["#9." + new URL(link).hash.slice(3), /新しい版/],
    ]) {
        const damaged = await site.open(stranger, hash);
        assert.match(await damaged.textContent("#noticeText"), said);
        assert.equal(await damaged.inputValue("#text"), "自分の文章です。");
        assert.ok((await exportIni(damaged)).equals(ownSettings));
        await damaged.close();
    }
    await sender.close();
    await stranger.close();
});

test("the PNG has the colours of the page as the frame shows it", async () => {
    const context = await site.newContext({ viewport: { width: 1400, height: 1000 } });
    const page = await site.open(context);
    await typeText(page, SAMPLE.repeat(3));
    for (const format of [0, 1, 2, 3, 4, 6]) {
        await afterNewPage(page, () => page.selectOption("#formatList", String(format)));
        await page.$eval("#page", (frame) => (frame.style.cssText = "flex:none;width:800px;height:600px;border:0"));
        const shot = readPng(await page.locator("#page").screenshot());
        const file = await downloaded(page, "#savePng");
        assert.equal(file.name, "mireto.png");
        const png = readPng(file.bytes);
        assert.equal(png.width, 800);
        const rows = Math.min(shot.height, png.height);
        const share = overlap(colourShares(shot, rows, 800), colourShares(png, rows, 800));
        assert.ok(share > 0.9, `style ${format}: ${share.toFixed(3)} of the colours in common`);
    }
    await context.close();
});

test("on a phone every control is reachable and nothing is cut off", async () => {
    const context = await site.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
    const page = await site.open(context);
    await typeText(page, SAMPLE);
    mkdirSync(screenshots, { recursive: true });
    await page.screenshot({ path: join(screenshots, "phone.png") });
    await page.screenshot({ path: join(screenshots, "phone-full.png"), fullPage: true });
    const width = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(width <= 390, `page is ${width}px wide`);
    const controls = await page.$$("header button, header select, main button, main select, main textarea, main input");
    for (const control of controls) {
        await control.scrollIntoViewIfNeeded();
        const box = await control.boundingBox();
        const name = await control.evaluate((e) => e.id || e.textContent);
        assert.ok(box && box.x >= 0 && box.x + box.width <= 390, `${name} within the screen`);
        if (await control.evaluate((e) => e.tagName !== "TEXTAREA"))
            assert.ok(box.height >= 40, `${name} is ${box.height}px high`);
    }
    await page.click("#endingButton");
    const dialog = await page.$("#editor");
    const box = await dialog.boundingBox();
    assert.ok(box.x >= 0 && box.x + box.width <= 390);
    await page.screenshot({ path: join(screenshots, "phone-ending.png") });
    await context.close();
});

test("the desktop-sized window, for the README", async () => {
    const context = await site.newContext();
    const page = await site.open(context);
    await typeText(page, SAMPLE);
    await afterNewPage(page, () => page.selectOption("#formatList", "2"));
    mkdirSync(screenshots, { recursive: true });
    await page.screenshot({ path: join(screenshots, "desktop.png") });
    // Every control is reached with the Tab key, in order, and shows where focus is. The
    // page in its frame takes as many presses as it has links, which its moment decides.
    const wanted = ["copyLink", "saveHtml", "savePng", "openTransfer", "templateList", "formatButton", "text", "moment", "reroll"];
    const reached = new Set();
    for (let i = 0; i < 200 && !wanted.every((id) => reached.has(id)); ++i) {
        await page.keyboard.press("Tab");
        const focus = await page.evaluate(() => {
            const e = document.activeElement;
            // The date box's calendar button is the browser's own, with its own focus ring.
            return e && e.matches(":focus") ? { id: e.id, outline: getComputedStyle(e).outlineStyle } : null;
        });
        if (focus?.id) {
            reached.add(focus.id);
            assert.notEqual(focus.outline, "none", `${focus.id} shows its focus`);
        }
    }
    for (const id of wanted)
        assert.ok(reached.has(id), `${id} reached from the keyboard`);
    await context.close();
});

test("the page runs no script, and a reload offline keeps the typed text", async () => {
    const context = await site.newContext();
    const page = await site.open(context);
    const sandbox = await page.getAttribute("#page", "sandbox");
    assert.ok(!/allow-scripts|allow-same-origin/.test(sandbox));
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector("body[data-ready=true]");
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
    await typeText(page, "オフラインでも消えない文章です。");
    await page.waitForTimeout(500);
    await context.setOffline(true);
    await page.reload();
    await page.waitForSelector("body[data-page-loads]");
    assert.equal(await page.inputValue("#text"), "オフラインでも消えない文章です。");
    await context.setOffline(false);
    await context.close();
});

test("two tabs: each takes the other's changes, and a change on stale settings is refused with a message", async () => {
    const context = await site.newContext();
    const first = await site.open(context);
    const second = await site.open(context);
    await first.click("#endingButton");
    await first.fill("#endingName", "別タブの語尾");
    await first.click("#endingSave");
    await answer(first);
    await second.waitForFunction(() =>
        [...document.querySelectorAll("#endingList option")].some((o) => o.textContent === "別タブの語尾"));

    // Another tab writes in the same instant (its announcement not yet arrived): the
    // stored revision moves on under this tab.
    const bumped = await second.evaluate(() => new Promise((resolve) => {
        const open = indexedDB.open("mireto", 1);
        open.onsuccess = () => {
            const store = open.result.transaction("kv", "readwrite").objectStore("kv");
            const get = store.get("settings");
            get.onsuccess = () => {
                store.put({ bytes: get.result.bytes, revision: get.result.revision + 5 }, "settings");
                store.transaction.oncomplete = () => resolve(get.result.revision + 5);
            };
        };
    }));
    const before = await second.$eval("#endingList", (s) => s.selectedIndex);
    await second.selectOption("#endingList", String(before === 1 ? 2 : 1));
    await second.waitForSelector("#notice:not([hidden])");
    assert.match(await second.textContent("#noticeText"), /別のタブで設定が変更されていた/);
    assert.equal(await second.$eval("#endingList", (s) => s.selectedIndex), before, "the stored selection shown again");
    const revision = await second.evaluate(() => new Promise((resolve) => {
        const open = indexedDB.open("mireto", 1);
        open.onsuccess = () => {
            const get = open.result.transaction("kv").objectStore("kv").get("settings");
            get.onsuccess = () => resolve(get.result.revision);
        };
    }));
    assert.equal(revision, bumped, "nothing written over the other tab's settings");
    await context.close();
});
