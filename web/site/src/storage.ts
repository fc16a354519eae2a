// What the browser keeps for the user, in IndexedDB: the settings as the bytes of a
// Mireto.ini, with a revision number, and the text being edited.
//
// Two tabs may be open at once. Every change is written at once with the revision it
// started from; a write whose revision is no longer the stored one is refused (another
// tab wrote in between), and the tab takes the newer settings and says so. Each write is
// announced to the other tabs, which take the new settings at once, so a refusal needs
// two changes within the same moment.

const DB_NAME = "mireto";
const STORE = "kv";
const SETTINGS = "settings";
const DRAFT = "draft";

export interface StoredSettings {
    bytes: Uint8Array;
    revision: number;
}

let opened: Promise<IDBDatabase> | null = null;

function database(): Promise<IDBDatabase> {
    opened ??= new Promise((resolve, reject) => {
        const request = indexedDB.open(DB_NAME, 1);
        request.onupgradeneeded = () => request.result.createObjectStore(STORE);
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
    return opened;
}

function done<T>(request: IDBRequest<T>): Promise<T> {
    return new Promise((resolve, reject) => {
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
}

async function transaction(mode: IDBTransactionMode) {
    const tx = (await database()).transaction(STORE, mode);
    const finished = new Promise<void>((resolve, reject) => {
        tx.oncomplete = () => resolve();
        tx.onerror = tx.onabort = () => reject(tx.error);
    });
    return { store: tx.objectStore(STORE), finished };
}

export async function readSettings(): Promise<StoredSettings | null> {
    const { store } = await transaction("readonly");
    const value = await done(store.get(SETTINGS));
    return value ? { bytes: new Uint8Array(value.bytes), revision: value.revision } : null;
}

// Writes `bytes` if the stored revision is still `basedOn` (0: nothing stored yet).
// Resolves to the new revision, or null when another tab wrote first.
export async function writeSettings(bytes: Uint8Array, basedOn: number): Promise<number | null> {
    const { store, finished } = await transaction("readwrite");
    const current = await done(store.get(SETTINGS));
    const stored = current ? current.revision : 0;
    if (stored !== basedOn) {
        await finished;
        return null;
    }
    const revision = stored + 1;
    store.put({ bytes: bytes.slice(), revision }, SETTINGS);
    await finished;
    channel()?.postMessage({ revision });
    return revision;
}

// The text being edited and the moment of its page.
export interface Draft {
    text: string;
    moment: number;
}

export async function readDraft(): Promise<Draft | null> {
    const { store } = await transaction("readonly");
    const value = await done(store.get(DRAFT));
    return value && typeof value.text === "string" && Number.isInteger(value.moment) ? value : null;
}

export async function writeDraft(draft: Draft): Promise<void> {
    const { store, finished } = await transaction("readwrite");
    store.put({ text: draft.text, moment: draft.moment }, DRAFT);
    await finished;
}

let broadcast: BroadcastChannel | null | undefined;
function channel(): BroadcastChannel | null {
    if (broadcast === undefined) broadcast = typeof BroadcastChannel === "function" ? new BroadcastChannel("mireto-settings") : null;
    return broadcast;
}

// Calls `listener` when another tab has written the settings.
export function onSettingsWrittenElsewhere(listener: (revision: number) => void): void {
    channel()?.addEventListener("message", (event) => listener(Number(event.data?.revision)));
}
