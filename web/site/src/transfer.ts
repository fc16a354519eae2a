// Reading and writing settings files: the whole Mireto.ini, and set files of chosen
// records, both byte for byte as the desktop reads and writes them.

import type { App } from "./app";
import type { ImportChoice, RecordKind } from "./core-types";
import { ask, byId, download, errorText, h, inform, pickFile } from "./ui";

const CAPTION = "読み込み・書き出し";
const KINDS: { kind: RecordKind; label: string; key: "templates" | "endingSets" | "replacementSets" }[] = [
    { kind: "template", label: "テンプレート", key: "templates" },
    { kind: "replacement", label: "置換", key: "replacementSets" },
    { kind: "ending", label: "語尾変換", key: "endingSets" },
];

function showDialog(caption: string, body: Node[], buttons: Node[]) {
    const dialog = byId<HTMLDialogElement>("editor");
    byId("editorCaption").textContent = caption;
    byId("editorBody").replaceChildren(...body);
    byId("editorButtons").replaceChildren(...buttons, h("button", { type: "button", onclick: () => dialog.close() }, "閉じる"));
    if (!dialog.open) dialog.showModal();
}

// Reading and writing work on the user's own settings, also while a shared page is shown.
export function openTransfer(app: App, replaceSettings: (bytes: Uint8Array) => Promise<void>): void {
    const s = app.own;
    const storing = app.canStore;
    const button = (label: string, id: string, action: () => unknown, needsStore = false) =>
        h("button", { type: "button", id, disabled: needsStore && !storing, onclick: () => void action() }, label);
    showDialog(CAPTION, [
        h("p", {}, "設定はこのブラウザの中だけに保存されています。Mireto.ini はデスクトップ版と同じ形式です。"),
        h("div", { className: "buttons" },
            button("Mireto.ini を書き出す", "exportIni", () => download(s.settingsBytes(), "Mireto.ini", "application/octet-stream")),
            button("Mireto.ini を読み込む（置き換え）", "importIni", async () => {
                const file = await pickFile(".ini,text/plain");
                if (!file) return;
                if (!(await ask(CAPTION, `いまの設定を「${file.name}」の内容で置き換えますか？`))) return;
                await replaceSettings(file.bytes);
            }, true),
            button("セットを書き出す", "exportSets", () => openExport(app)),
            button("セットを読み込む", "importSets", () => openImport(app), true),
        ),
    ], []);
}

function openExport(app: App): void {
    const s = app.own;
    const names = s.names();
    const boxes: { kind: RecordKind; at: number; box: HTMLInputElement }[] = [];
    const groups = KINDS.map(({ kind, label }) => {
        const list = kind === "template" ? names.overallTemplates : kind === "ending" ? names.endingSets : names.replacementSets;
        const first = kind === "template" ? 0 : 1;
        const items = list.slice(first).map((name, i) => {
            const box = h("input", { type: "checkbox", "data-kind": kind, "data-at": i + first });
            boxes.push({ kind, at: i + first, box });
            return h("label", {}, box, name);
        });
        return h("fieldset", {}, h("legend", {}, label), h("div", { className: "checklist" }, ...items));
    });
    showDialog("セットを書き出す", groups, [
        h("button", {
            type: "button", id: "exportChosen",
            onclick: async () => {
                const chosen = (kind: RecordKind) => boxes.filter((b) => b.kind === kind && b.box.checked).map((b) => b.at);
                const positions = { templates: chosen("template"), endingSets: chosen("ending"), replacementSets: chosen("replacement") };
                if (!positions.templates.length && !positions.endingSets.length && !positions.replacementSets.length) {
                    await inform("セットを書き出す", "書き出すものを選んで下さい。");
                    return;
                }
                try {
                    download(s.exportRecords(positions), "Mireto-sets.ini", "application/octet-stream");
                } catch (error) {
                    await inform("セットを書き出す", errorText(error));
                }
            },
        }, "書き出す"),
    ]);
}

async function openImport(app: App): Promise<void> {
    const s = app.own;
    const file = await pickFile(".ini,text/plain");
    if (!file) return;
    const read = s.readSetFile(file.bytes);
    if (!read) {
        await inform("セットを読み込む", `「${file.name}」はMiretoの設定ファイルではありません。`);
        return;
    }
    const rows: { choice: ImportChoice; box: HTMLInputElement; conflict: HTMLSelectElement | null }[] = [];
    const groups = KINDS.map(({ kind, label, key }) => {
        const items = read.records[key].map((record, index) => {
            const box = h("input", { type: "checkbox", checked: true });
            const taken = s.nameTaken(kind, record.name);
            const conflict = taken
                ? h("select", { "aria-label": `「${record.name}」は同じ名前があります` },
                    h("option", { value: "keep-both" }, "両方残す"),
                    h("option", { value: "overwrite" }, "上書き"),
                    h("option", { value: "skip" }, "読み込まない"))
                : null;
            rows.push({ choice: { kind, index, onConflict: "keep-both" }, box, conflict });
            return h("label", {}, box, record.name, taken ? h("span", {}, "（同じ名前あり）") : null, conflict);
        });
        return items.length ? h("fieldset", {}, h("legend", {}, label), h("div", { className: "checklist" }, ...items)) : null;
    }).filter((g): g is HTMLFieldSetElement => g !== null);
    showDialog(`セットを読み込む: ${file.name}`, groups, [
        h("button", {
            type: "button", id: "importChosen",
            onclick: async () => {
                const choices = rows.filter((r) => r.box.checked).map((r) => ({
                    ...r.choice,
                    onConflict: (r.conflict?.value ?? "keep-both") as ImportChoice["onConflict"],
                }));
                try {
                    const results = s.importRecords(file.bytes, choices);
                    await app.changed();
                    byId<HTMLDialogElement>("editor").close();
                    const said = { added: "追加", overwritten: "上書き", "added-as": "別名で追加", skipped: "読み込まず" } as const;
                    await inform("セットを読み込む", results.map((r) =>
                        `${r.storedName}: ${said[r.result]}`).join("\n") || "読み込むものはありませんでした。");
                } catch (error) {
                    await inform("セットを読み込む", errorText(error));
                }
            },
        }, "読み込む"),
    ]);
}
