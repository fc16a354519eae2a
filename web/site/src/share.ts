// Share links: everything a page needs, carried in the address's fragment, which browsers
// never send to a server. The fragment is "#" + version + "." + the payload: the JSON of a
// SharedPage compressed with raw deflate and written in base64url. The version stands
// before the payload, uncompressed, so that a link from a newer version is told apart
// from a damaged one without guessing.

import type { EndingSet, FormatSettings, ReplacementSet } from "./core-types";

export const SHARE_VERSION = 1;

// Longest link that リンクをコピー makes. Chat programs and mail keep links of this length
// whole; browsers take far longer ones, but a link that is cut on the way is worse than a
// clear refusal up front.
export const MAX_LINK_LENGTH = 8000;

export interface SharedPage {
    text: string;
    moment: number;
    format: number;
    endingSet: EndingSet;
    replacementSet: ReplacementSet;
    formatSettings: FormatSettings;
    // The sender's offset from UTC at the moment, in minutes east. Pages show their
    // dates in the time zone of the browser that builds them; this tells the visitor
    // when theirs differs.
    zone?: number;
}

export type ShareReadResult =
    | { ok: true; page: SharedPage }
    | { ok: false; reason: "damaged" | "newer" };

const PREFIX_PATTERN = /^#?(\d+)\.([A-Za-z0-9_-]*)$/;

export function isShareFragment(hash: string): boolean {
    return /^#\d+\./.test(hash);
}

export async function writeShareFragment(page: SharedPage): Promise<string> {
    const json = new TextEncoder().encode(JSON.stringify(page));
    const packed = await runThrough(new CompressionStream("deflate-raw"), json);
    return `#${SHARE_VERSION}.${toBase64Url(packed)}`;
}

export async function readShareFragment(hash: string): Promise<ShareReadResult> {
    const match = PREFIX_PATTERN.exec(hash);
    if (!match) return { ok: false, reason: "damaged" };
    const version = Number(match[1]);
    if (version > SHARE_VERSION) return { ok: false, reason: "newer" };
    if (version !== SHARE_VERSION) return { ok: false, reason: "damaged" };
    try {
        const bytes = fromBase64Url(match[2]);
        const json = await runThrough(new DecompressionStream("deflate-raw"), bytes);
        const page = JSON.parse(new TextDecoder("utf-8", { fatal: true }).decode(json));
        return isSharedPage(page) ? { ok: true, page } : { ok: false, reason: "damaged" };
    } catch {
        return { ok: false, reason: "damaged" };
    }
}

async function runThrough(stream: CompressionStream | DecompressionStream, bytes: Uint8Array) {
    const writer = stream.writable.getWriter();
    // Errors surface on the reading side; the writer's own promises are only awaited there.
    writer.write(bytes as BufferSource).catch(() => {});
    writer.close().catch(() => {});
    const chunks: Uint8Array[] = [];
    const reader = stream.readable.getReader();
    for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        chunks.push(value);
    }
    const out = new Uint8Array(chunks.reduce((n, c) => n + c.length, 0));
    let at = 0;
    for (const chunk of chunks) {
        out.set(chunk, at);
        at += chunk.length;
    }
    return out;
}

export function toBase64Url(bytes: Uint8Array): string {
    let binary = "";
    for (let i = 0; i < bytes.length; i += 0x8000)
        binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(binary).replace(/\+/g, "-").replace(/\//g, "_").replace(/=+$/, "");
}

export function fromBase64Url(text: string): Uint8Array {
    if (text.length % 4 === 1) throw new Error("not base64url");
    const binary = atob(text.replace(/-/g, "+").replace(/_/g, "/"));
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
}

const isString = (v: unknown): v is string => typeof v === "string";
const isInt = (v: unknown): v is number => Number.isInteger(v);
const isObject = (v: unknown): v is Record<string, unknown> => typeof v === "object" && v !== null && !Array.isArray(v);
const tuple4 = (v: unknown, check: (x: unknown) => boolean) =>
    Array.isArray(v) && v.length === 4 && v.every(check);

// Checks every field's type, so that a hand-made link cannot put odd values into the core.
function isSharedPage(v: unknown): v is SharedPage {
    if (!isObject(v) || !isString(v.text) || !isInt(v.moment) || !isInt(v.format)) return false;
    if (v.zone !== undefined && !isInt(v.zone)) return false;
    const e = v.endingSet, r = v.replacementSet, f = v.formatSettings;
    if (!isObject(e) || !isString(e.name) || !tuple4(e.words, isString) || !tuple4(e.frequencies, isInt) ||
        !isInt(e.changeLineBreaks))
        return false;
    if (!isObject(r) || !isString(r.name) || !Array.isArray(r.rules) ||
        !r.rules.every((rule) => isObject(rule) && tuple4(rule.sources, isString) && isString(rule.target)))
        return false;
    if (!isObject(f)) return false;
    const { idolNews, thread, standardColours, fontPlay } = f;
    return isObject(idolNews) && isString(idolNews.supportTarget) && isString(idolNews.name) &&
        isInt(idolNews.supportOn) && isString(idolNews.title) &&
        isObject(thread) && isString(thread.title) && isString(thread.name) && isInt(thread.mode) &&
        isObject(standardColours) && isString(standardColours.textColour) &&
        isString(standardColours.backgroundColour) &&
        isObject(fontPlay) && isInt(fontPlay.deleteCommas) && isInt(fontPlay.lineBreakDegree);
}
