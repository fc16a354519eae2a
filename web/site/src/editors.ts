// The dialogs that edit what conversions use: the ending sets, the replacement sets, the
// overall templates and each page style's settings. Each shows what is current, lets the
// user load, change, save, overwrite and delete stored records with the desktop's own
// questions, and use a record for conversions without storing it.

import type { App } from "./app";
import type { EndingSet, FormatSettings, OverallTemplate, ReplacementRule, ReplacementSet } from "./core-types";
import { FrequencyRows, ROWS } from "./frequency";
import { ask, byId, errorText, fillSelect, h, inform } from "./ui";

const SAVE_CAPTION = "テンプレート保存";
const SAVED_CAPTION = "テンプレート保存完了";
const DELETE_CAPTION = "テンプレート削除";
const DELETED_CAPTION = "テンプレート削除完了";

interface Button {
    label: string;
    action?: () => unknown;
    id?: string;
    storing?: boolean;
}

function openDialog(caption: string, body: Node[], buttons: Button[], canStore: boolean): HTMLDialogElement {
    const dialog = byId<HTMLDialogElement>("editor");
    byId("editorCaption").textContent = caption;
    byId("editorBody").replaceChildren(...body);
    byId("editorButtons").replaceChildren(
        ...buttons.map((b) =>
            h(
                "button",
                {
                    // No button submits the form, so Enter in a field never closes the dialog.
                    type: "button",
                    id: b.id,
                    disabled: b.storing && !canStore,
                    title: b.storing && !canStore ? "共有されたページの表示中は保存できません" : undefined,
                    onclick: b.action ? () => void b.action!() : close,
                },
                b.label,
            ),
        ),
    );
    if (!dialog.open) dialog.showModal();
    (byId("editorBody").querySelector("select, input") as HTMLElement | null)?.focus();
    return dialog;
}

function close() {
    byId<HTMLDialogElement>("editor").close();
}

function textField(label: string, value: string, props: Record<string, unknown> = {}) {
    const input = h("input", { type: "text", value, ...props });
    return { input, field: h("label", { className: "field" }, h("span", {}, label), input) };
}

// The store's position of `name` in `names`, letter case ignored, from `first` on.
function positionOf(names: readonly string[], name: string, first: number): number {
    const lower = name.toLowerCase();
    for (let at = first; at < names.length; ++at) if (names[at].toLowerCase() === lower) return at;
    return -1;
}

// Saves `record` under its name as the desktop's editors do: a new name is stored, a
// listed one is overwritten after a question.
async function saveNamed<T extends { name: string }>(
    app: App,
    record: T,
    listed: () => readonly string[],
    first: number,
    save: (r: T, overwrite: boolean) => string,
): Promise<boolean> {
    if (record.name === "") {
        await inform(SAVE_CAPTION, "テンプレート名を入力して下さい。");
        return false;
    }
    try {
        const outcome = save(record, false);
        if (outcome === "saved") {
            await app.changed();
            await inform(SAVED_CAPTION, `テンプレート「${record.name}」を保存しました`);
            return true;
        }
        const at = positionOf(listed(), record.name, first);
        if (outcome !== "exists" || at < 0) return false;
        if (!(await ask(SAVE_CAPTION, `テンプレート「${listed()[at]}」はすでに存在します。上書きしますか？`))) return false;
        save(record, true);
        await app.changed();
        await inform(SAVED_CAPTION, "上書き保存しました");
        return true;
    } catch (error) {
        await inform(SAVE_CAPTION, errorText(error));
        return false;
    }
}

async function deleteNamed(app: App, name: string, at: number, remove: (at: number) => boolean, what = "テンプレート") {
    if (at < 0) return false;
    if (!(await ask(DELETE_CAPTION, `${what}「${name}」を削除しますか？`))) return false;
    remove(at);
    await app.changed();
    await inform(DELETED_CAPTION, `${what}「${name}」を削除しました。`);
    return true;
}

async function use(app: App, caption: string, apply: () => void) {
    try {
        apply();
        close();
        await app.changed();
    } catch (error) {
        await inform(caption, errorText(error));
    }
}

export function openEndingEditor(app: App): void {
    const s = app.session;
    const caption = "語尾変換設定";
    const rows = new FrequencyRows();
    const list = h("select", { id: "endingStored" });
    const name = textField("テンプレート名", "", { id: "endingName" });
    const sliders: HTMLInputElement[] = [];
    const percents: HTMLInputElement[] = [];
    const words: HTMLInputElement[] = [];
    const grid: Node[] = [];
    for (let row = 0; row < ROWS; ++row) {
        const slider = h("input", { type: "range", min: 0, max: 100, step: 1, id: `slider${row + 1}`, "aria-label": `候補${row + 1}の頻度` });
        const percent = h("input", { type: "text", inputMode: "numeric", maxLength: 3, id: `percent${row + 1}`, "aria-label": `候補${row + 1}の頻度（％）` });
        const word = h("input", { type: "text", className: "word", id: `word${row + 1}`, "aria-label": `候補${row + 1}の単語` });
        slider.addEventListener("input", () => {
            // A drag passes every value between, as the desktop's slider reports them.
            const to = Number(slider.value);
            let at = rows.sliders[row];
            while (at !== to) rows.moveSlider(row, (at += to > at ? 1 : -1));
            sync();
        });
        percent.addEventListener("input", () => {
            // Only digits are taken, as the desktop's box takes them: anything else typed
            // leaves the box as it was.
            const digits = percent.value.replace(/\D/g, "").slice(0, 3);
            if (digits === rows.percents[row]) percent.value = digits;
            else rows.typePercent(row, digits);
            sync();
        });
        sliders.push(slider);
        percents.push(percent);
        words.push(word);
        grid.push(h("div", { className: "frequency" }, slider, percent, word));
    }
    const lineBreaks = h("input", { type: "checkbox", id: "changeLineBreaks" });

    function sync() {
        for (let row = 0; row < ROWS; ++row) {
            sliders[row].value = String(rows.sliders[row]);
            if (percents[row].value !== rows.percents[row]) percents[row].value = rows.percents[row];
        }
    }
    function show(set: EndingSet) {
        name.input.value = set.name;
        set.words.forEach((w, row) => (words[row].value = w));
        rows.showRecord(set.frequencies);
        sync();
        lineBreaks.checked = set.changeLineBreaks !== 0;
    }
    const record = (): EndingSet => ({
        name: name.input.value,
        words: words.map((w) => w.value) as EndingSet["words"],
        frequencies: rows.frequencies.slice() as EndingSet["frequencies"],
        changeLineBreaks: lineBreaks.checked ? 1 : 0,
    });
    function refill(selectName: string) {
        const names = s.names().endingSets;
        fillSelect(list, names, names.indexOf(selectName));
    }
    list.addEventListener("change", () => {
        const set = s.getEndingSet(list.selectedIndex);
        if (set) show(set);
    });

    const current = s.current().endingSet;
    refill(current.name);
    show(current);
    openDialog(
        caption,
        [
            h("label", { className: "field" }, h("span", {}, "保存された語尾変換"), list),
            name.field,
            h("fieldset", {}, h("legend", {}, "変換候補 頻度（単位：%）と単語"), ...grid),
            h("label", { className: "inline" }, lineBreaks, "改行も変更"),
        ],
        [
            { label: "この設定で変換", id: "endingUse", action: () => use(app, caption, () => s.useEndingSet(record())) },
            {
                label: "保存", id: "endingSave", storing: true,
                action: async () => {
                    const r = record();
                    if (await saveNamed(app, r, () => s.names().endingSets, 1, (x, o) => s.saveEndingSet(x, o)))
                        refill(r.name);
                },
            },
            {
                label: "削除", id: "endingDelete", storing: true,
                action: async () => {
                    const at = list.selectedIndex;
                    if (at < 1) return;
                    if (await deleteNamed(app, s.names().endingSets[at], at, (p) => s.deleteEndingSet(p))) refill("");
                },
            },
            { label: "閉じる" },
        ],
        app.canStore,
    );
}

export function openReplacementEditor(app: App): void {
    const s = app.session;
    const caption = "置換設定";
    const list = h("select", { id: "replacementStored" });
    const name = textField("テンプレート名", "", { id: "replacementName" });
    const rulesBox = h("div", { className: "rules", id: "rules" });
    let rules: ReplacementRule[] = [];

    // The rules in order; the last is the one being written, as the desktop's 置換追加
    // tab holds it: 置換追加 makes it a rule of its own and starts a new one.
    function render(focusRule = -1) {
        const pending = rules.length - 1;
        rulesBox.replaceChildren(
            ...rules.map((rule, at) => {
                const title = at === pending ? "次に追加する置換" : `置換${at + 1}`;
                const sources = rule.sources.map((text, k) =>
                    h("input", {
                        type: "text", value: text, "aria-label": `${title}の置換候補${k + 1}`,
                        oninput: (e: Event) => (rule.sources[k] = (e.target as HTMLInputElement).value),
                    }),
                );
                const target = h("input", {
                    type: "text", value: rule.target, "aria-label": `${title}の置換後`,
                    oninput: (e: Event) => (rule.target = (e.target as HTMLInputElement).value),
                });
                const move = (by: number) => {
                    const to = at + by;
                    if (to < 0 || to >= pending) return;
                    [rules[at], rules[to]] = [rules[to], rules[at]];
                    render(to);
                };
                return h(
                    "fieldset", { className: "rule" },
                    h("legend", {}, title),
                    h("div", { className: "sources" }, ...sources),
                    h("div", { className: "target" }, h("span", { "aria-hidden": "true" }, "→"), target),
                    at === pending
                        ? h("div", { className: "row" }, h("button", {
                            type: "button", id: "addRule",
                            onclick: () => { rules.push({ sources: ["", "", "", ""], target: "" }); render(rules.length - 1); },
                        }, "置換追加"))
                        : h(
                            "div", { className: "row" },
                            h("button", { type: "button", onclick: () => move(-1), disabled: at === 0, "aria-label": `${title}を上へ` }, "↑"),
                            h("button", { type: "button", onclick: () => move(1), disabled: at === pending - 1, "aria-label": `${title}を下へ` }, "↓"),
                            h("button", { type: "button", onclick: () => { rules.splice(at, 1); render(Math.min(at, rules.length - 1)); } }, "置換削除"),
                        ),
                );
            }),
        );
        if (focusRule >= 0) (rulesBox.children[focusRule]?.querySelector("input") as HTMLElement | null)?.focus();
    }
    function show(set: ReplacementSet) {
        name.input.value = set.name;
        rules = set.rules.map((r) => ({ sources: [...r.sources] as ReplacementRule["sources"], target: r.target }));
        if (rules.length === 0) rules.push({ sources: ["", "", "", ""], target: "" });
        render();
    }
    const record = (): ReplacementSet => ({
        name: name.input.value,
        rules: rules.map((r) => ({ sources: [...r.sources] as ReplacementRule["sources"], target: r.target })),
    });
    function refill(selectName: string) {
        const names = s.names().replacementSets;
        fillSelect(list, names, names.indexOf(selectName));
    }
    list.addEventListener("change", () => {
        const set = s.getReplacementSet(list.selectedIndex);
        if (set) show(set);
    });

    const current = s.current().replacementSet;
    refill(current.name);
    show(current);
    openDialog(
        caption,
        [
            h("label", { className: "field" }, h("span", {}, "保存された置換"), list),
            name.field,
            rulesBox,
        ],
        [
            { label: "この設定で変換", id: "replacementUse", action: () => use(app, caption, () => s.useReplacementSet(record())) },
            {
                label: "保存", id: "replacementSave", storing: true,
                action: async () => {
                    const r = record();
                    if (await saveNamed(app, r, () => s.names().replacementSets, 1, (x, o) => s.saveReplacementSet(x, o)))
                        refill(r.name);
                },
            },
            {
                label: "削除", id: "replacementDelete", storing: true,
                action: async () => {
                    const at = list.selectedIndex;
                    if (at < 1) return;
                    if (await deleteNamed(app, s.names().replacementSets[at], at, (p) => s.deleteReplacementSet(p), "置換テンプレート")) refill("");
                },
            },
            { label: "閉じる" },
        ],
        app.canStore,
    );
}

export function openTemplateEditor(app: App): void {
    const s = app.session;
    const caption = "テンプレート設定";
    const names = s.names();
    const list = h("select", { id: "templateStored" });
    const name = textField("テンプレート名", "", { id: "templateName" });
    const replacement = h("select", { id: "templateReplacement" });
    const ending = h("select", { id: "templateEnding" });
    const format = h("select", { id: "templateFormat" });
    fillSelect(replacement, names.replacementSets, -1);
    fillSelect(ending, names.endingSets, -1);
    fillSelect(format, names.formats, -1);

    function show(t: OverallTemplate) {
        name.input.value = t.name;
        replacement.selectedIndex = names.replacementSets.indexOf(t.replacementSetName);
        ending.selectedIndex = names.endingSets.indexOf(t.endingSetName);
        format.selectedIndex = names.formats.indexOf(t.formatName);
    }
    const chosen = (select: HTMLSelectElement) => (select.selectedIndex >= 0 ? select.options[select.selectedIndex].text : "");
    const record = (): OverallTemplate => ({
        name: name.input.value,
        replacementSetName: chosen(replacement),
        endingSetName: chosen(ending),
        formatName: chosen(format),
    });
    function refill(selectName: string) {
        const listed = s.names().overallTemplates;
        fillSelect(list, listed, listed.indexOf(selectName));
    }
    list.addEventListener("change", () => {
        const t = s.getTemplate(list.selectedIndex);
        if (t) show(t);
    });

    const current = s.current().overallTemplate;
    refill(current.name);
    show(current);
    openDialog(
        caption,
        [
            h("label", { className: "field" }, h("span", {}, "保存されたテンプレート"), list),
            name.field,
            h("label", { className: "field" }, h("span", {}, "置換"), replacement),
            h("label", { className: "field" }, h("span", {}, "語尾変換"), ending),
            h("label", { className: "field" }, h("span", {}, "出力HTML形式"), format),
        ],
        [
            {
                label: "この組み合わせで変換", id: "templateUse",
                action: () => use(app, caption, () => {
                    const t = record();
                    s.useTemplate(t);
                    if (replacement.selectedIndex >= 0) s.pickReplacementSet(replacement.selectedIndex);
                    if (ending.selectedIndex >= 0) s.pickEndingSet(ending.selectedIndex);
                    if (format.selectedIndex >= 0) s.pickFormat(format.selectedIndex);
                }),
            },
            {
                label: "保存", id: "templateSave", storing: true,
                action: async () => {
                    const r = record();
                    if (await saveNamed(app, r, () => s.names().overallTemplates, 0, (x, o) => s.saveTemplate(x, o)))
                        refill(r.name);
                },
            },
            {
                label: "削除", id: "templateDelete", storing: true,
                action: async () => {
                    const at = list.selectedIndex;
                    if (at < 0) return;
                    if (await deleteNamed(app, s.names().overallTemplates[at], at, (p) => s.deleteTemplate(p))) refill("");
                },
            },
            { label: "閉じる" },
        ],
        app.canStore,
    );
}

// The caption of the style settings button for a style position, as the desktop's panel has it.
export function settingsCaption(format: number | null): string {
    if (format === 0 || format === 1) return "フォント弄り設定";
    if (format === 2) return "某バーチャルネットアイドル設定";
    if (format === 3) return "2ch変換設定";
    if (format === 4 || format === 5) return "標準的HTML設定";
    return "この形式は設定がありません";
}

export function openFormatSettings(app: App): void {
    const s = app.session;
    const format = s.current().format;
    const settings: FormatSettings = structuredClone(s.formatSettings());
    let caption: string;
    let body: Node[];
    if (format === 0 || format === 1) {
        caption = "フォント弄り設定";
        const f = settings.fontPlay;
        const slider = h("input", { type: "range", min: 0, max: 9, step: 1, value: f.lineBreakDegree, id: "lineBreakDegree", "aria-label": "改行度" });
        const box = h("input", { type: "text", inputMode: "numeric", maxLength: 1, value: String(f.lineBreakDegree), id: "lineBreakDegreeText", "aria-label": "改行度（数字）" });
        slider.addEventListener("input", () => { f.lineBreakDegree = Number(slider.value); box.value = slider.value; });
        box.addEventListener("input", () => { box.value = box.value.replace(/\D/g, ""); f.lineBreakDegree = Number(box.value || 0); slider.value = String(f.lineBreakDegree); });
        const commas = h("input", { type: "checkbox", checked: f.deleteCommas !== 0, id: "deleteCommas", onchange: () => (f.deleteCommas = commas.checked ? 1 : 0) });
        body = [
            h("fieldset", {}, h("legend", {}, "改行度（９段階）"), h("div", { className: "row" }, slider, box)),
            h("label", { className: "inline" }, commas, "読点を削除する"),
        ];
    } else if (format === 2) {
        caption = "某バーチャルネットアイドル";
        const n = settings.idolNews;
        const title = textField("題名", n.title, { oninput: () => (n.title = title.input.value), id: "idolTitle" });
        const name = textField("名前", n.name, { oninput: () => (n.name = name.input.value), id: "idolName" });
        const target = textField("応援対象", n.supportTarget, { oninput: () => (n.supportTarget = target.input.value), id: "idolTarget" });
        const on = h("input", { type: "checkbox", checked: n.supportOn !== 0, id: "supportOn" });
        const follow = () => { n.supportOn = on.checked ? 1 : 0; name.input.disabled = target.input.disabled = !on.checked; };
        on.addEventListener("change", follow);
        follow();
        body = [title.field, h("fieldset", {}, h("legend", {}, "応援"), h("label", { className: "inline" }, on, "応援ON"), name.field, target.field)];
    } else if (format === 3) {
        caption = "2ｃｈ設定";
        const t = settings.thread;
        const title = textField("スレッドタイトル", t.title, { oninput: () => (t.title = title.input.value), id: "threadTitle" });
        const name = textField("名前", t.name, { oninput: () => (t.name = name.input.value), id: "threadName" });
        const radios = ["無し", "良スレ", "クソスレ"].map((label, mode) =>
            h("label", { className: "inline" }, h("input", { type: "radio", name: "threadMode", checked: t.mode === mode, onchange: () => (t.mode = mode) }), label));
        body = [title.field, name.field, h("fieldset", {}, h("legend", {}, "スレッド変換"), ...radios)];
    } else if (format === 4 || format === 5) {
        caption = "標準HTML設定";
        const c = settings.standardColours;
        const colour = (label: string, key: "textColour" | "backgroundColour") => {
            const box = h("input", { type: "text", value: c[key], maxLength: 7, id: key, "aria-label": label });
            const swatch = h("input", { type: "color", className: "swatch", value: swatchOf(c[key]), "aria-label": `${label}（参照）` });
            box.addEventListener("input", () => {
                // Seven characters or the colour is black, as the desktop keeps it.
                c[key] = new TextEncoder().encode(box.value).length === 7 ? box.value : "#000000";
                swatch.value = swatchOf(c[key]);
            });
            swatch.addEventListener("input", () => {
                c[key] = box.value = swatch.value.toUpperCase();
            });
            return h("fieldset", {}, h("legend", {}, label), h("div", { className: "row" }, box, swatch));
        };
        body = [colour("文字色", "textColour"), colour("背景色", "backgroundColour")];
    } else {
        return;
    }
    openDialog(caption, body, [
        { label: "OK", id: "formatOk", action: () => use(app, caption, () => s.setFormatSettings(settings)) },
        { label: "ｷｬﾝｾﾙ" },
    ], app.canStore);
}

// "#RRGGBB" for a colour picker from a stored colour string: each pair read as far as
// it holds hexadecimal digits, the first character not looked at.
function swatchOf(text: string): string {
    const pair = (from: number) => {
        const digits = /^[0-9A-Fa-f]*/.exec(text.slice(from, from + 2))![0];
        return (digits ? parseInt(digits, 16) : 0).toString(16).padStart(2, "0");
    };
    return `#${pair(1)}${pair(3)}${pair(5)}`;
}
