// Small pieces of the screen: building elements, message boxes, downloads.

type Child = Node | string | null | undefined | false;

export function h<K extends keyof HTMLElementTagNameMap>(
    tag: K,
    props: Partial<Record<string, unknown>> = {},
    ...children: Child[]
): HTMLElementTagNameMap[K] {
    const element = document.createElement(tag);
    for (const [key, value] of Object.entries(props)) {
        if (value === undefined || value === null || value === false) continue;
        if (key.startsWith("on") && typeof value === "function")
            element.addEventListener(key.slice(2).toLowerCase(), value as EventListener);
        else if (key in element && key !== "list") (element as unknown as Record<string, unknown>)[key] = value;
        else element.setAttribute(key, value === true ? "" : String(value));
    }
    for (const child of children) if (child) element.append(child);
    return element;
}

export function byId<T extends HTMLElement = HTMLElement>(id: string): T {
    const element = document.getElementById(id);
    if (!element) throw new Error(`no element #${id}`);
    return element as T;
}

// Fills a list box with names, keeping a selected position.
export function fillSelect(select: HTMLSelectElement, names: readonly string[], selected: number): void {
    select.replaceChildren(...names.map((name, at) => h("option", { value: String(at) }, name)));
    select.selectedIndex = selected;
}

let messageQueue: Promise<unknown> = Promise.resolve();

// A modal message box: the caption, the text, and its buttons; resolves to the index of
// the button pressed (Escape answers as the last button).
export function messageBox(caption: string, text: string, buttons: string[] = ["OK"]): Promise<number> {
    const run = () =>
        new Promise<number>((resolve) => {
            const dialog = byId<HTMLDialogElement>("message");
            byId("messageCaption").textContent = caption;
            byId("messageText").textContent = text;
            const row = byId("messageButtons");
            row.replaceChildren(...buttons.map((label, at) => h("button", { type: "submit", value: String(at) }, label)));
            dialog.addEventListener(
                "close",
                () => resolve(dialog.returnValue === "" ? buttons.length - 1 : Number(dialog.returnValue)),
                { once: true },
            );
            dialog.returnValue = "";
            dialog.showModal();
            (row.firstElementChild as HTMLElement | null)?.focus();
        });
    const shown = messageQueue.then(run, run);
    messageQueue = shown;
    return shown;
}

export const inform = (caption: string, text: string) => messageBox(caption, text).then(() => undefined);
export const ask = (caption: string, text: string) => messageBox(caption, text, ["はい", "いいえ"]).then((b) => b === 0);

export function download(bytes: Uint8Array | Blob, name: string, type: string): void {
    const blob = bytes instanceof Blob ? bytes : new Blob([bytes as BlobPart], { type });
    const url = URL.createObjectURL(blob);
    const link = h("a", { href: url, download: name });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10_000);
}

// Asks for one file and resolves to its bytes and name, or null when none was chosen.
export function pickFile(accept: string): Promise<{ name: string; bytes: Uint8Array } | null> {
    return new Promise((resolve) => {
        const input = h("input", { type: "file", accept });
        input.addEventListener("change", async () => {
            const file = input.files?.[0];
            resolve(file ? { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()) } : null);
        });
        input.addEventListener("cancel", () => resolve(null));
        input.click();
    });
}

export function errorText(error: unknown): string {
    return error instanceof Error ? error.message : String(error);
}
