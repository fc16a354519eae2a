// Mireto's core for JavaScript: the settings, the current selection and the page
// builder of the desktop editor, compiled to WebAssembly.
//
// Every string here is an ordinary JavaScript string; the core keeps it as Shift_JIS,
// the encoding of Mireto.ini and of the pages. A name, word or rule holding a
// character that Shift_JIS cannot hold is refused: the method throws a MiretoError
// whose message names the character, and nothing changes.
//
// One Mireto object is one editing session (a store of templates, the page styles'
// settings and the current selection), as the desktop editor's view holds them.
// Sessions are independent; each createMireto() makes a new one.

/** One sentence-ending set (語尾変換): four words, each with a frequency in percent. */
export interface EndingSet {
    name: string;
    words: [string, string, string, string];
    /** Whole numbers 0 to 100. */
    frequencies: [number, number, number, number];
    /** 1: the drawn word also takes the place of line breaks (改行も変更); else 0. */
    changeLineBreaks: number;
}

/** One replacement rule: any of the non-empty sources becomes the target. */
export interface ReplacementRule {
    sources: [string, string, string, string];
    target: string;
}

/** One named set of replacement rules (置換), applied in order. */
export interface ReplacementSet {
    name: string;
    rules: ReplacementRule[];
}

/** One overall template (全体テンプレート): its sets by name and a page style's name. */
export interface OverallTemplate {
    name: string;
    endingSetName: string;
    replacementSetName: string;
    formatName: string;
}

/** The page styles' settings. Numbers are kept as the settings file holds them. */
export interface FormatSettings {
    idolNews: {
        supportTarget: string;
        name: string;
        /** 1: the page has its support line; else 0. */
        supportOn: number;
        title: string;
    };
    thread: {
        title: string;
        name: string;
        /** 0 none, 1 良スレ, 2 クソスレ. */
        mode: number;
    };
    standardColours: {
        /** "#RRGGBB", kept exactly as entered. */
        textColour: string;
        backgroundColour: string;
    };
    fontPlay: {
        /** 1: commas are dropped; else 0. */
        deleteCommas: number;
        /** 0 to 9. */
        lineBreakDegree: number;
    };
}

/** What a conversion uses now: what the panel's four lists show as selected. */
export interface Selection {
    overallTemplate: OverallTemplate;
    endingSet: EndingSet;
    replacementSet: ReplacementSet;
    /** Position 0-6 of the style the template names, or null when it names none of them. */
    format: number | null;
}

/** The names of the stored records, by store position, as the panel lists them. */
export interface Names {
    overallTemplates: string[];
    /** Position 0 is the built-in none set, 無し. */
    endingSets: string[];
    /** Position 0 is the built-in none set, 無し. */
    replacementSets: string[];
    /** The seven page styles, positions 0-6. */
    formats: string[];
}

/**
 * How settings bytes were taken: "loaded"; or, with the defaults left in force, "too-large"
 * (over 16 MiB) or "too-many-entries" (more entries than a file of that size can hold).
 */
export type LoadOutcome = "loaded" | "too-large" | "too-many-entries";

/**
 * A save under a name: "saved" (a new record), "overwritten" (the listed record of that
 * name), "exists" (a listed record has that name and nothing changed: ask, then save
 * again with overwrite), or "empty-name" (nothing changed).
 */
export type SaveOutcome = "saved" | "overwritten" | "exists" | "empty-name";

/** A stored record, by store position or by name (the first of that name, exact). */
export type RecordKey = number | string;

/** "shift_jis": the page as the desktop writes it. "utf-8": the same page decoded, its head declaring UTF-8. */
export type PageEncoding = "shift_jis" | "utf-8";

/** Bytes read from a text file, and the encoding they were read as. */
export interface DecodedText {
    text: string;
    encoding: "utf-8" | "shift_jis";
}

/** The kinds of named record. */
export type RecordKind = "template" | "ending" | "replacement";

/** Named records, as a shared set file holds them, each list in the file's order. */
export interface SharedRecords {
    templates: OverallTemplate[];
    endingSets: EndingSet[];
    replacementSets: ReplacementSet[];
}

/** What a set file holds: as the editor would list it after starting from it (current slots left out, the first of a name kept). */
export interface SetFile {
    records: SharedRecords;
    formatSettings: FormatSettings;
}

/** One record of a set file to import (`index` in the file's list of its kind), and what to do when its name is taken. */
export interface ImportChoice {
    kind: RecordKind;
    index: number;
    onConflict: "overwrite" | "keep-both" | "skip";
}

/** What became of one imported record; "added-as": kept beside the stored one as "名前 (2)". */
export interface ImportedRecord {
    kind: RecordKind;
    fileName: string;
    storedName: string;
    result: "added" | "overwritten" | "added-as" | "skipped";
}

/** Thrown for a refused input: a character Shift_JIS cannot hold, a record that is not stored. */
export class MiretoError extends Error {}

export interface Mireto {
    /**
     * Starts again from the bytes of a Mireto.ini, as the desktop editor starts from its
     * file: the store, the page settings and the current selection. Unless "loaded", the
     * defaults of a start without a file are in force.
     */
    loadSettings(bytes: Uint8Array): LoadOutcome;
    /** The bytes of Mireto.ini as the desktop editor writes it: page settings, every list, the current selection. */
    settingsBytes(): Uint8Array;

    names(): Names;
    current(): Selection;

    /** Makes a stored overall template current, with its sets (by name; the none set when gone) and its style. False when there is no such template. */
    pickTemplate(key: RecordKey): boolean;
    /** Makes a stored ending set current. False when there is none at that key. */
    pickEndingSet(key: RecordKey): boolean;
    pickReplacementSet(key: RecordKey): boolean;
    /** Makes a style current: a position 0-6 or a style's name. False for any other. */
    pickFormat(key: RecordKey): boolean;

    /** Makes these records current without storing them (a shared page's sets, say). */
    useTemplate(overall: OverallTemplate): void;
    useEndingSet(set: EndingSet): void;
    useReplacementSet(set: ReplacementSet): void;

    getTemplate(key: RecordKey): OverallTemplate | null;
    getEndingSet(key: RecordKey): EndingSet | null;
    getReplacementSet(key: RecordKey): ReplacementSet | null;

    /**
     * Saves the record under its own name, as the editors' 保存 does: a name no listed
     * record has (letter case ignored) goes in as a new record where the editor's sorted
     * list puts it; a listed name is "exists", nothing changed, unless `overwrite` is true,
     * when the record replaces the listed one, every field (the name as given). The
     * current records are not changed.
     */
    saveTemplate(overall: OverallTemplate, overwrite?: boolean): SaveOutcome;
    saveEndingSet(set: EndingSet, overwrite?: boolean): SaveOutcome;
    saveReplacementSet(set: ReplacementSet, overwrite?: boolean): SaveOutcome;

    /** Removes the stored record at `key`. False when there is none; the none sets at position 0 are never removed. The current records are not changed. */
    deleteTemplate(key: RecordKey): boolean;
    deleteEndingSet(key: RecordKey): boolean;
    deleteReplacementSet(key: RecordKey): boolean;

    /**
     * A set file of the stored records at these positions (set positions from 1), each
     * template with the sets it names, in Mireto.ini's own format: the desktop's 書き出し.
     */
    exportRecords(positions: { templates?: number[]; endingSets?: number[]; replacementSets?: number[] }): Uint8Array;
    /** The records of a set file or a Mireto.ini; null when the bytes are no such file. */
    readSetFile(bytes: Uint8Array): SetFile | null;
    /** Whether a record of this kind is stored under `name`, letter case ignored (sets from position 1). */
    nameTaken(kind: RecordKind, name: string): boolean;
    /** Adds the chosen records of a set file to the store as the desktop's 読み込み does. Throws a MiretoError when the bytes are no such file. */
    importRecords(bytes: Uint8Array, choices: ImportChoice[]): ImportedRecord[];

    /** Text file bytes as a string: valid UTF-8 that is not plain ASCII as UTF-8 (a byte-order mark dropped), anything else as Shift_JIS. */
    decodeText(bytes: Uint8Array): DecodedText;

    formatSettings(): FormatSettings;
    setFormatSettings(settings: FormatSettings): void;

    /**
     * The page for `text` with the current selection and settings, as GO!! writes it,
     * at `moment` (seconds since 1970; it seeds the random choices and dates the page).
     * A string is converted to Shift_JIS, a character it cannot hold becoming a
     * character reference (&#x1F363;); a Uint8Array is taken as Shift_JIS bytes as they
     * are. Line ends become CR LF. Throws a MiretoError when the current template names
     * none of the seven styles, and a RangeError for a moment outside 1901 to 2038 (the
     * core counts seconds in 32 bits here).
     */
    buildPage(text: string | Uint8Array, moment: number, encoding?: PageEncoding): Uint8Array;
}

/** Options for the WebAssembly loader, for hosts that keep the .wasm elsewhere. */
export interface LoadOptions {
    /** Where the .wasm is: given its file name, returns its URL or path. */
    locateFile?: (file: string) => string;
    /** The .wasm's bytes, when the caller has them already. */
    wasmBinary?: ArrayBuffer | Uint8Array;
}

/** Loads the core and starts a session with the defaults of a start without a settings file. */
export function createMireto(options?: LoadOptions): Promise<Mireto>;
export default createMireto;
