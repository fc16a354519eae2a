// Mireto's core for JavaScript: the API that mireto.d.ts describes, over the functions
// the WebAssembly module exports (web/core/bindings.cpp).
import createMiretoCore from "./mireto-core.mjs";

export class MiretoError extends Error {
    constructor(message) {
        super(message);
        this.name = "MiretoError";
    }
}

const TEMPLATE = 0;
const ENDING = 1;
const REPLACEMENT = 2;
const KINDS = { template: TEMPLATE, ending: ENDING, replacement: REPLACEMENT };
const KIND_NAMES = ["template", "ending", "replacement"];
const ON_CONFLICT = { overwrite: 0, "keep-both": 1, skip: 2 };
const IMPORT_RESULTS = ["added", "overwritten", "added-as", "skipped"];
const LOAD_OUTCOMES = ["loaded", "too-large", "too-many-entries"];

const encoder = new TextEncoder();

const isNode = typeof process === "object" && typeof process.versions?.node === "string";

// The .wasm beside this module. In Node the emitted loader cannot fetch a file: URL, so
// the bytes are read here and handed over. The module name is built at run time so
// that a bundler for the browser does not try to resolve it.
async function nodeWasmBinary() {
    const fsModule = ["node", "fs/promises"].join(":");
    const { readFile } = await import(/* @vite-ignore */ fsModule);
    return readFile(new URL("./mireto-core.wasm", import.meta.url));
}

function bytes(view) {
    return view.slice(); // the module's memory is reused by the next call
}

function checked(result) {
    if (result !== null && typeof result === "object" && typeof result.error === "string")
        throw new MiretoError(result.error);
    return result;
}

function refuseIf(error) {
    if (error) throw new MiretoError(error);
}

function text(value) {
    return value === undefined || value === null ? "" : String(value);
}

function int(value) {
    return Number(value) | 0;
}

function four(list, convert) {
    const values = Array.isArray(list) ? list : [];
    return [0, 1, 2, 3].map((slot) => convert(values[slot]));
}

// Records as the module takes them: every field there and of its type.
function endingSet(set) {
    return {
        name: text(set?.name),
        words: four(set?.words, text),
        frequencies: four(set?.frequencies, int),
        changeLineBreaks: int(set?.changeLineBreaks),
    };
}

function replacementSet(set) {
    const rules = Array.isArray(set?.rules) ? set.rules : [];
    return {
        name: text(set?.name),
        rules: rules.map((rule) => ({ sources: four(rule?.sources, text), target: text(rule?.target) })),
    };
}

function overallTemplate(overall) {
    return {
        name: text(overall?.name),
        endingSetName: text(overall?.endingSetName),
        replacementSetName: text(overall?.replacementSetName),
        formatName: text(overall?.formatName),
    };
}

function formatSettings(settings) {
    const idolNews = settings?.idolNews ?? {};
    const thread = settings?.thread ?? {};
    const colours = settings?.standardColours ?? {};
    const fontPlay = settings?.fontPlay ?? {};
    return {
        idolNews: {
            supportTarget: text(idolNews.supportTarget),
            name: text(idolNews.name),
            supportOn: int(idolNews.supportOn),
            title: text(idolNews.title),
        },
        thread: { title: text(thread.title), name: text(thread.name), mode: int(thread.mode) },
        standardColours: {
            textColour: text(colours.textColour),
            backgroundColour: text(colours.backgroundColour),
        },
        fontPlay: { deleteCommas: int(fontPlay.deleteCommas), lineBreakDegree: int(fontPlay.lineBreakDegree) },
    };
}

const NORMALISE = [overallTemplate, endingSet, replacementSet];

function asBytes(value, what) {
    if (value instanceof Uint8Array) return value;
    if (value instanceof ArrayBuffer) return new Uint8Array(value);
    if (ArrayBuffer.isView(value)) return new Uint8Array(value.buffer, value.byteOffset, value.byteLength);
    throw new TypeError(`${what} must be a Uint8Array`);
}

class Session {
    #core;

    constructor(core) {
        this.#core = core;
    }

    // Position of the record of `kind` that `key` names, or -1.
    #position(kind, key) {
        if (typeof key === "number") return Number.isInteger(key) && key >= 0 ? key : -1;
        return this.#core.find(kind, text(key));
    }

    loadSettings(settings) {
        return LOAD_OUTCOMES[this.#core.loadSettings(asBytes(settings, "settings"))];
    }

    settingsBytes() {
        return bytes(this.#core.settingsBytes());
    }

    names() {
        return this.#core.names();
    }

    current() {
        return this.#core.current();
    }

    pickTemplate(key) {
        return this.#core.pick(TEMPLATE, this.#position(TEMPLATE, key));
    }

    pickEndingSet(key) {
        return this.#core.pick(ENDING, this.#position(ENDING, key));
    }

    pickReplacementSet(key) {
        return this.#core.pick(REPLACEMENT, this.#position(REPLACEMENT, key));
    }

    pickFormat(key) {
        const position = typeof key === "number" ? (Number.isInteger(key) ? key : -1) : this.#core.formatPosition(text(key));
        return this.#core.pickFormat(position);
    }

    useTemplate(overall) {
        refuseIf(this.#core.use(TEMPLATE, overallTemplate(overall)));
    }

    useEndingSet(set) {
        refuseIf(this.#core.use(ENDING, endingSet(set)));
    }

    useReplacementSet(set) {
        refuseIf(this.#core.use(REPLACEMENT, replacementSet(set)));
    }

    getTemplate(key) {
        return this.#core.get(TEMPLATE, this.#position(TEMPLATE, key));
    }

    getEndingSet(key) {
        return this.#core.get(ENDING, this.#position(ENDING, key));
    }

    getReplacementSet(key) {
        return this.#core.get(REPLACEMENT, this.#position(REPLACEMENT, key));
    }

    #save(kind, record, overwrite) {
        return checked(this.#core.save(kind, NORMALISE[kind](record), Boolean(overwrite)));
    }

    saveTemplate(overall, overwrite = false) {
        return this.#save(TEMPLATE, overall, overwrite);
    }

    saveEndingSet(set, overwrite = false) {
        return this.#save(ENDING, set, overwrite);
    }

    saveReplacementSet(set, overwrite = false) {
        return this.#save(REPLACEMENT, set, overwrite);
    }

    deleteTemplate(key) {
        return this.#core.remove(TEMPLATE, this.#position(TEMPLATE, key));
    }

    deleteEndingSet(key) {
        return this.#core.remove(ENDING, this.#position(ENDING, key));
    }

    deleteReplacementSet(key) {
        return this.#core.remove(REPLACEMENT, this.#position(REPLACEMENT, key));
    }

    exportRecords(positions) {
        const list = (values) => (Array.isArray(values) ? values.map((value) => int(value)).filter((value) => value >= 0) : []);
        return bytes(
            this.#core.exportRecords({
                templates: list(positions?.templates),
                endingSets: list(positions?.endingSets),
                replacementSets: list(positions?.replacementSets),
            }),
        );
    }

    readSetFile(file) {
        return this.#core.readSetFile(asBytes(file, "the set file"));
    }

    nameTaken(kind, name) {
        if (!(kind in KINDS)) throw new TypeError(`unknown kind of record '${kind}'`);
        return this.#core.nameTaken(KINDS[kind], text(name));
    }

    importRecords(file, choices) {
        const chosen = (Array.isArray(choices) ? choices : []).map((choice) => {
            if (!(choice?.kind in KINDS)) throw new TypeError(`unknown kind of record '${choice?.kind}'`);
            if (!(choice?.onConflict in ON_CONFLICT)) throw new TypeError(`unknown choice '${choice?.onConflict}'`);
            return { kind: KINDS[choice.kind], index: int(choice.index), onConflict: ON_CONFLICT[choice.onConflict] };
        });
        const results = checked(this.#core.importRecords(asBytes(file, "the set file"), chosen));
        return results.map((record) => ({
            kind: KIND_NAMES[record.kind],
            fileName: record.fileName,
            storedName: record.storedName,
            result: IMPORT_RESULTS[record.result],
        }));
    }

    decodeText(file) {
        return this.#core.decodeText(asBytes(file, "the text"));
    }

    formatSettings() {
        return this.#core.formatSettings();
    }

    setFormatSettings(settings) {
        refuseIf(this.#core.setFormatSettings(formatSettings(settings)));
    }

    buildPage(pageText, moment, encoding = "shift_jis") {
        if (encoding !== "shift_jis" && encoding !== "utf-8")
            throw new TypeError(`a page is shift_jis or utf-8, not '${encoding}'`);
        const seconds = Math.floor(Number(moment));
        // The core's clock counts in 32 bits: 1901 to 2038.
        if (!(seconds >= -(2 ** 31) && seconds < 2 ** 31)) throw new RangeError("the moment is seconds since 1970, from 1901 to 2038");
        let size;
        if (typeof pageText === "string") {
            // At most three bytes of UTF-8 for each UTF-16 unit.
            const at = this.#core.reserveText(pageText.length * 3);
            size = encoder.encodeInto(pageText, this.#core.HEAPU8.subarray(at, at + pageText.length * 3)).written;
        } else {
            const input = asBytes(pageText, "the text");
            const at = this.#core.reserveText(input.length);
            this.#core.HEAPU8.set(input, at);
            size = input.length;
        }
        const view = this.#core.pageFromText(size, seconds, typeof pageText === "string", encoding === "utf-8");
        return bytes(checked(view));
    }
}

export async function createMireto(options = {}) {
    const settings = {};
    if (options.locateFile) settings.locateFile = options.locateFile;
    if (options.wasmBinary) settings.wasmBinary = options.wasmBinary;
    else if (isNode && !options.locateFile) settings.wasmBinary = await nodeWasmBinary();
    return new Session(await createMiretoCore(settings));
}

export default createMireto;
