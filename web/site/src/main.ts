// The browser edition: the text, the four lists, the page beside the text, and the
// settings kept in this browser.

import type { App } from "./app";
import type { Mireto } from "./core-types";
import { openEndingEditor, openFormatSettings, openReplacementEditor, openTemplateEditor, settingsCaption } from "./editors";
import { pageToPng } from "./png";
import { Preview } from "./preview";
import { isShareFragment, MAX_LINK_LENGTH, readShareFragment, writeShareFragment, type SharedPage } from "./share";
import { onSettingsWrittenElsewhere, readDraft, readSettings, writeDraft, writeSettings } from "./storage";
import { openTransfer as transferSettings } from "./transfer";
import { ask, byId, download, errorText, fillSelect, h, inform } from "./ui";

type CoreModule = typeof import("../../core/mireto");

const text = byId<HTMLTextAreaElement>("text");
const momentBox = byId<HTMLInputElement>("moment");
const lists = {
    template: byId<HTMLSelectElement>("templateList"),
    replacement: byId<HTMLSelectElement>("replacementList"),
    ending: byId<HTMLSelectElement>("endingList"),
    format: byId<HTMLSelectElement>("formatList"),
};
const formatButton = byId<HTMLButtonElement>("formatButton");

let createMireto: CoreModule["default"];
let own: Mireto;
let shared: { session: Mireto; page: SharedPage } | null = null;
let revision = 0;
let moment = Math.floor(Date.now() / 1000);

const app: App = {
    get session() {
        return shared ? shared.session : own;
    },
    get own() {
        return own;
    },
    get canStore() {
        return shared === null;
    },
    changed: async () => {
        refreshPanel();
        preview.now();
        await persist();
    },
};

const preview = new Preview(byId<HTMLIFrameElement>("page"), () => {
    try {
        return app.session.buildPage(text.value, moment, "shift_jis");
    } catch (error) {
        showNotice(errorText(error));
        return null;
    }
});

// ---- Settings kept in the browser

let writing: Promise<void> = Promise.resolve();

function persist(): Promise<void> {
    if (shared) return writing;
    writing = writing.then(async () => {
        const written = await writeSettings(own.settingsBytes(), revision);
        if (written !== null) {
            revision = written;
            return;
        }
        await takeStoredSettings();
        showNotice("別のタブで設定が変更されていたため、この変更は保存されませんでした。そのタブの設定を読み込みました。もう一度操作して下さい。");
    }).catch((error) => {
        // The browser refused to store (no room, private mode): say so, keep going.
        showNotice(`設定をこのブラウザに保存できませんでした。「読み込み・書き出し」から Mireto.ini を書き出して下さい。（${errorText(error)}）`);
    });
    return writing;
}

async function takeStoredSettings(): Promise<void> {
    const stored = await readSettings();
    if (!stored) return;
    own.loadSettings(stored.bytes);
    revision = stored.revision;
    if (!shared) {
        refreshPanel();
        preview.now();
    }
}

async function replaceSettings(bytes: Uint8Array): Promise<void> {
    const outcome = own.loadSettings(bytes);
    await app.changed();
    byId<HTMLDialogElement>("editor").close();
    if (outcome !== "loaded")
        await inform("読み込み・書き出し", "このファイルは大きすぎるか項目が多すぎるため読み込めませんでした。初期設定になっています。");
}

let draftTimer: ReturnType<typeof setTimeout> | undefined;
function saveDraftSoon(): void {
    clearTimeout(draftTimer);
    draftTimer = setTimeout(saveDraft, 300);
}
function saveDraft(): void {
    clearTimeout(draftTimer);
    if (!shared)
        writeDraft({ text: text.value, moment }).catch((error) =>
            showNotice(`テキストをこのブラウザに保存できませんでした。（${errorText(error)}）`));
}

// ---- The panel

function refreshPanel(): void {
    const s = app.session;
    const names = s.names();
    const current = s.current();
    fillSelect(lists.template, names.overallTemplates, names.overallTemplates.indexOf(current.overallTemplate.name));
    fillSelect(lists.replacement, names.replacementSets, names.replacementSets.indexOf(current.replacementSet.name));
    fillSelect(lists.ending, names.endingSets, names.endingSets.indexOf(current.endingSet.name));
    fillSelect(lists.format, names.formats, current.format ?? -1);
    const caption = settingsCaption(current.format);
    formatButton.title = caption;
    formatButton.setAttribute("aria-label", caption);
    formatButton.disabled = current.format === null || current.format === 6;
    updateTextInfo();
}

function wirePanel(): void {
    const pick = (list: HTMLSelectElement, pickAt: (s: Mireto, at: number) => boolean) =>
        list.addEventListener("change", () => {
            if (list.selectedIndex >= 0 && pickAt(app.session, list.selectedIndex)) void app.changed();
        });
    pick(lists.template, (s, at) => s.pickTemplate(at));
    pick(lists.replacement, (s, at) => s.pickReplacementSet(at));
    pick(lists.ending, (s, at) => s.pickEndingSet(at));
    pick(lists.format, (s, at) => s.pickFormat(at));
    byId("templateButton").addEventListener("click", () => openTemplateEditor(app));
    byId("replacementButton").addEventListener("click", () => openReplacementEditor(app));
    byId("endingButton").addEventListener("click", () => openEndingEditor(app));
    formatButton.addEventListener("click", () => openFormatSettings(app));
}

// ---- The moment

function localInputValue(seconds: number): string {
    const d = new Date(seconds * 1000);
    const two = (n: number) => String(n).padStart(2, "0");
    return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}T${two(d.getHours())}:${two(d.getMinutes())}:${two(d.getSeconds())}`;
}

function setMoment(seconds: number): void {
    moment = seconds;
    momentBox.value = localInputValue(seconds);
}

// Minutes east of UTC in this browser's time zone at `seconds`.
const zoneAt = (seconds: number) => -new Date(seconds * 1000).getTimezoneOffset();

// ---- Notices

function showNotice(message: string, actions: { label: string; id?: string; run: () => unknown }[] = [], extra?: Node, kind = "warn"): void {
    const notice = byId("notice");
    notice.className = `notice ${kind}`;
    byId("noticeText").textContent = message;
    byId("noticeActions").replaceChildren(
        ...(extra ? [extra] : []),
        ...actions.map((a) => h("button", { type: "button", id: a.id, onclick: () => void a.run() }, a.label)),
        h("button", { type: "button", onclick: () => (notice.hidden = true) }, "閉じる"),
    );
    notice.hidden = false;
}

function updateTextInfo(): void {
    const info = byId("textInfo");
    info.textContent = `${text.value.length}文字（共有リンクに入るのは、ふつうの文章でおよそ6,000文字まで）`;
}

// ---- Share links

async function copyLink(): Promise<void> {
    const s = app.session;
    const current = s.current();
    if (current.format === null) {
        await inform("リンクをコピー", "出力HTML形式が選ばれていません。");
        return;
    }
    const page: SharedPage = {
        text: text.value,
        moment,
        format: current.format,
        endingSet: current.endingSet,
        replacementSet: current.replacementSet,
        formatSettings: s.formatSettings(),
        zone: zoneAt(moment),
    };
    const link = `${location.origin}${location.pathname}${await writeShareFragment(page)}`;
    if (link.length > MAX_LINK_LENGTH) {
        await inform("リンクをコピー", `リンクが長すぎます（${link.length}文字、上限${MAX_LINK_LENGTH}文字）。テキストを短くして下さい。`);
        return;
    }
    const field = h("input", { type: "text", readOnly: true, value: link, id: "shareLink", "aria-label": "共有リンク" });
    let copied = true;
    try {
        await navigator.clipboard.writeText(link);
    } catch {
        copied = false;
    }
    showNotice(copied ? `リンクをコピーしました（${link.length}文字）。` : "リンクをコピーできませんでした。下の欄から選んでコピーして下さい。", [], field, "info");
    if (!copied) field.select();
}

async function openShared(hash: string): Promise<void> {
    const read = await readShareFragment(hash);
    if (!read.ok) {
        showNotice(read.reason === "newer"
            ? "このリンクは新しい版のMiretoで作られたため、この版では表示できません。ページを再読み込みして新しい版にして下さい。あなたの設定とテキストはそのままです。"
            : "このリンクは壊れているため、ページを表示できません。リンクが途中で切れていないか確かめて下さい。あなたの設定とテキストはそのままです。");
        return;
    }
    const page = read.page;
    const session = await createMireto({ locateFile: coreFile });
    session.loadSettings(own.settingsBytes());
    try {
        session.useEndingSet(page.endingSet);
        session.useReplacementSet(page.replacementSet);
        session.setFormatSettings(page.formatSettings);
        if (!session.pickFormat(page.format)) throw new Error("format");
    } catch {
        showNotice("このリンクは壊れているため、ページを表示できません。あなたの設定とテキストはそのままです。");
        return;
    }
    shared = { session, page };
    text.value = page.text;
    setMoment(page.moment);
    const otherZone = page.zone !== undefined && page.zone !== zoneAt(page.moment)
        ? "ページの日時は、リンクを作った人とは違うこのブラウザのタイムゾーンで表示されます。"
        : "";
    showNotice(
        `共有されたページを表示しています。ここでの変更は保存されません。あなたの設定とテキストはそのままです。${otherZone}`,
        [
            { label: "語尾変換と置換を自分の設定に保存", id: "keepSharedSets", run: keepSharedSets },
            { label: "自分のテキストに戻る", id: "leaveShared", run: leaveShared },
        ],
        undefined,
        "info",
    );
}

async function keepSharedSets(): Promise<void> {
    if (!shared) return;
    const { endingSet, replacementSet } = shared.page;
    const kept: string[] = [];
    const keep = async (name: string, save: (overwrite: boolean) => string) => {
        if (name === "" || name === "無し") return;
        const outcome = save(false);
        if (outcome === "saved") kept.push(name);
        else if (outcome === "exists" && (await ask("テンプレート保存", `テンプレート「${name}」はすでに存在します。上書きしますか？`))) {
            save(true);
            kept.push(name);
        }
    };
    try {
        await keep(endingSet.name, (o) => own.saveEndingSet(endingSet, o));
        await keep(replacementSet.name, (o) => own.saveReplacementSet(replacementSet, o));
    } catch (error) {
        await inform("テンプレート保存", errorText(error));
    }
    await persist();
    shared.session.loadSettings(own.settingsBytes());
    shared.session.useEndingSet(endingSet);
    shared.session.useReplacementSet(replacementSet);
    shared.session.setFormatSettings(shared.page.formatSettings);
    shared.session.pickFormat(shared.page.format);
    refreshPanel();
    await inform("テンプレート保存完了", kept.length ? `「${kept.join("」「")}」を保存しました` : "保存したものはありません。");
}

async function leaveShared(): Promise<void> {
    shared = null;
    history.replaceState(null, "", location.pathname + location.search);
    const draft = await readDraft();
    text.value = draft?.text ?? "";
    setMoment(draft?.moment ?? Math.floor(Date.now() / 1000));
    byId("notice").hidden = true;
    refreshPanel();
    preview.now();
}

// ---- Start

const coreFile = (file: string) => new URL(`core/${file}`, location.href).href;

async function start(): Promise<void> {
    const core: CoreModule = await import("./core/mireto.mjs" as string);
    createMireto = core.default;
    own = await createMireto({ locateFile: coreFile });

    const stored = await readSettings();
    if (stored) {
        own.loadSettings(stored.bytes);
        revision = stored.revision;
    } else {
        const starter = await fetch("starter.ini");
        own.loadSettings(new Uint8Array(await starter.arrayBuffer()));
        await persist();
    }
    onSettingsWrittenElsewhere((written) => {
        if (written > revision) void (writing = writing.then(takeStoredSettings));
    });

    const draft = await readDraft();
    text.value = draft?.text ?? "";
    setMoment(draft?.moment ?? moment);

    if (isShareFragment(location.hash)) await openShared(location.hash);
    window.addEventListener("hashchange", () => {
        if (isShareFragment(location.hash)) location.reload();
    });

    wirePanel();
    text.addEventListener("input", () => {
        preview.afterTyping();
        saveDraftSoon();
        updateTextInfo();
    });
    addEventListener("pagehide", saveDraft);
    document.addEventListener("visibilitychange", () => document.visibilityState === "hidden" && saveDraft());
    momentBox.addEventListener("change", () => {
        const at = new Date(momentBox.value).getTime();
        if (Number.isNaN(at)) return;
        moment = Math.floor(at / 1000);
        preview.now();
        saveDraft();
    });
    byId("reroll").addEventListener("click", () => {
        const now = Math.floor(Date.now() / 1000);
        setMoment(now === moment ? now + 1 : now);
        preview.now();
        saveDraft();
    });
    byId("copyLink").addEventListener("click", () => void copyLink());
    byId("saveHtml").addEventListener("click", () => {
        const encoding = byId<HTMLSelectElement>("pageEncoding").value as "shift_jis" | "utf-8";
        try {
            download(app.session.buildPage(text.value, moment, encoding), "mireto.html", "text/html");
        } catch (error) {
            void inform("HTMLを保存", errorText(error));
        }
    });
    byId("savePng").addEventListener("click", async () => {
        if (!preview.page) return;
        try {
            download(await pageToPng(preview.page), "mireto.png", "image/png");
        } catch (error) {
            await inform("PNGを保存", errorText(error));
        }
    });
    byId("openTransfer").addEventListener("click", () => transferSettings(app, replaceSettings));

    refreshPanel();
    preview.now();
    document.body.dataset.ready = "true";
}

start().catch((error) => showNotice(`Miretoを起動できませんでした: ${errorText(error)}`));

if ("serviceWorker" in navigator && location.protocol !== "file:")
    navigator.serviceWorker.register("sw.js").catch(() => {});
