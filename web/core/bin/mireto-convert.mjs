#!/usr/bin/env node
// mireto-convert for Node: one conversion from the command line, with the options and
// exit statuses of the native program (0 done, 1 the conversion could not be done,
// 2 the command line was wrong) and the same page bytes.
import { closeSync, openSync, readFileSync, renameSync, statSync, unlinkSync, writeSync } from "node:fs";
import { homedir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

import { createMireto } from "../mireto.mjs";

const OK = 0;
const FAILED = 1;
const USAGE = 2;
const MAX_SETTINGS_BYTES = 16 * 1024 * 1024;
const FORMAT_COUNT = 7;

const packageFolder = join(dirname(fileURLToPath(import.meta.url)), "..");

class CommandError extends Error {
    constructor(message, status) {
        super(message);
        this.status = status;
    }
}

function fail(message, status) {
    throw new CommandError(message, status);
}

// Whether a value names Shift_JIS (false) or UTF-8 (true).
function namesUtf8(option, value) {
    if (["sjis", "shift_jis", "cp932"].includes(value)) return false;
    if (["utf-8", "utf8"].includes(value)) return true;
    return fail(`${option} takes sjis or utf-8, not '${value}'`, USAGE);
}

const OPTIONS = [
    { short: "-f", long: "--format", key: "format" },
    { short: "-o", long: "--output", key: "outputPath" },
    { long: "--time", key: "time" },
    { long: "--encoding", key: "encoding" },
    { long: "--page-encoding", key: "pageEncoding" },
    { short: "-s", long: "--settings", key: "settingsPath" },
    { short: "-t", long: "--template", key: "templateName" },
    { long: "--ending", key: "endingName" },
    { long: "--replacement", key: "replacementName" },
    { long: "--list", key: "list", flag: true },
    { short: "-h", long: "--help", key: "help", flag: true },
    { long: "--version", key: "version", flag: true },
];

function parseOptions(args) {
    const options = { inputPath: "-" };
    let haveInput = false;
    let optionsEnded = false;
    for (let i = 0; i < args.length; ++i) {
        const arg = args[i];
        if (optionsEnded || arg === "-" || arg === "" || arg[0] !== "-") {
            if (haveInput) fail(`only one input file may be given ('${options.inputPath}' and '${arg}')`, USAGE);
            options.inputPath = arg;
            haveInput = true;
            continue;
        }
        if (arg === "--") {
            optionsEnded = true;
            continue;
        }
        let name = arg;
        let inlineValue;
        if (arg.startsWith("--")) {
            const eq = arg.indexOf("=");
            if (eq >= 0) {
                name = arg.slice(0, eq);
                inlineValue = arg.slice(eq + 1);
            }
        } else if (arg.length > 2) {
            name = arg.slice(0, 2);
            inlineValue = arg.slice(2);
        }
        const spec = OPTIONS.find((option) => name === option.long || name === option.short);
        if (!spec) fail(`unknown option '${arg}' (see --help)`, USAGE);
        if (spec.flag) {
            if (inlineValue !== undefined) fail(`${spec.long} takes no value`, USAGE);
            options[spec.key] = true;
            continue;
        }
        let value = inlineValue;
        if (value === undefined) {
            if (i + 1 >= args.length) fail(`${spec.long} needs a value`, USAGE);
            value = args[++i];
        }
        options[spec.key] = value;
    }
    if (options.time !== undefined) {
        if (!/^-?\d+$/.test(options.time) || !Number.isSafeInteger(Number(options.time)))
            fail(`--time takes whole seconds since 1970, not '${options.time}'`, USAGE);
        options.time = Number(options.time);
        // The core in WebAssembly counts seconds in 32 bits.
        if (options.time < -(2 ** 31) || options.time >= 2 ** 31)
            fail(`--time takes seconds from 1901 to 2038 in this command, not '${options.time}'`, USAGE);
    }
    if (options.encoding !== undefined) options.utf8Input = namesUtf8("--encoding", options.encoding);
    if (options.pageEncoding !== undefined) options.utf8Page = namesUtf8("--page-encoding", options.pageEncoding);
    return options;
}

const USAGE_TEXT = `Usage: mireto-convert [options] [FILE]
Turn a Japanese text into a joke web page, as the Mireto editor's GO!! does.

FILE is the input text (UTF-8 when it reads as UTF-8, else Shift_JIS, unless
--encoding says otherwise); - or nothing reads standard input. The page is
Shift_JIS HTML unless --page-encoding says otherwise. The settings file is only
read, never written.

Options:
  -f, --format NAME|N   page style, by name or position 0-6 (default: the
                        settings file's current style)
  -o, --output PATH     write the page there (default, or -: standard output)
      --time SECONDS    the moment (seconds since 1970) that seeds the random
                        choices and dates the page; makes the output reproducible
      --encoding ENC    encoding of the input: sjis or utf-8
      --page-encoding ENC
                        encoding of the page: sjis (default) or utf-8
  -s, --settings PATH   read templates and page settings from this settings
                        file (default: the editor's Mireto.ini in
                        $XDG_DATA_HOME/mireto or ~/.local/share/mireto, or the
                        starter settings while there is none)
  -t, --template NAME   use the stored overall template NAME
      --ending NAME     use the stored ending set NAME (無し: none)
      --replacement NAME
                        use the stored replacement set NAME (無し: none)
      --list            list the stored overall templates, ending sets and
                        replacement sets by name, and exit
  -h, --help            show this help and exit
      --version         show the version and exit
`;

function errorReason(error) {
    switch (error.code) {
        case "ENOENT":
            return "there is no such file";
        case "EISDIR":
            return "not a regular file";
        case "EACCES":
        case "EPERM":
            return "no permission to read it";
        default:
            return "a read error";
    }
}

// The settings file as the editor reads it at start-up, never written.
function readSettings(path) {
    let file = path;
    if (file === undefined) {
        const dataHome = process.env.XDG_DATA_HOME || join(homedir(), ".local", "share");
        file = join(dataHome, "mireto", "Mireto.ini");
        try {
            statSync(file);
        } catch {
            file = join(packageFolder, "starter.ini");
        }
    }
    const unreadable = (reason) => fail(`cannot read the settings file '${file}': ${reason}`, FAILED);
    let stats;
    try {
        stats = statSync(file);
    } catch (error) {
        return unreadable(errorReason(error));
    }
    if (!stats.isFile()) return unreadable("not a regular file");
    if (stats.size > MAX_SETTINGS_BYTES) return unreadable(`larger than ${MAX_SETTINGS_BYTES >> 20} MiB`);
    try {
        return readFileSync(file);
    } catch (error) {
        return unreadable(errorReason(error));
    }
}

function listNames(heading, names) {
    return `${heading}:\n` + names.map((name) => `  ${name}\n`).join("");
}

function pick(what, pickIt, name) {
    if (name !== undefined && !pickIt(name)) fail(`no ${what} named '${name}' is stored (see --list)`, USAGE);
}

function readInput(path) {
    try {
        return readFileSync(path === "-" ? 0 : path);
    } catch (error) {
        return fail(`cannot read ${path === "-" ? "standard input" : path}: ${error.message}`, FAILED);
    }
}

function writeAll(descriptor, bytes) {
    for (let written = 0; written < bytes.length; ) {
        try {
            written += writeSync(descriptor, bytes, written);
        } catch (error) {
            if (error.code !== "EAGAIN") throw error;
        }
    }
}

// A new file takes the old one's place in one step; a device or a pipe is written into.
function writePage(path, page) {
    let isFile = true;
    try {
        isFile = statSync(path).isFile();
    } catch {
        isFile = true;
    }
    if (!isFile) {
        const descriptor = openSync(path, "w");
        try {
            writeAll(descriptor, page);
        } finally {
            closeSync(descriptor);
        }
        return;
    }
    const temporary = join(dirname(path), `.${process.pid}.mireto-convert.tmp`);
    try {
        const descriptor = openSync(temporary, "w", 0o644);
        try {
            writeAll(descriptor, page);
        } finally {
            closeSync(descriptor);
        }
        renameSync(temporary, path);
    } catch (error) {
        try {
            unlinkSync(temporary);
        } catch {
            // nothing was made
        }
        throw error;
    }
}

async function run(args) {
    const options = parseOptions(args);
    if (options.help) {
        process.stdout.write(USAGE_TEXT);
        return OK;
    }
    if (options.version) {
        const { version } = JSON.parse(readFileSync(join(packageFolder, "package.json"), "utf8"));
        process.stdout.write(`mireto-convert ${version}\n`);
        return OK;
    }

    const mireto = await createMireto();
    const settings = readSettings(options.settingsPath);
    if (mireto.loadSettings(settings) !== "loaded")
        fail(`cannot read the settings file: more entries than a file of its size can hold`, FAILED);
    if (options.list) {
        const names = mireto.names();
        writeAll(
            1,
            Buffer.from(
                listNames("Overall templates", names.overallTemplates) +
                    listNames("Ending sets", names.endingSets) +
                    listNames("Replacement sets", names.replacementSets),
            ),
        );
        return OK;
    }

    // The current selections, then --template, then --ending and --replacement.
    pick("overall template", (name) => mireto.pickTemplate(name), options.templateName);
    pick("ending set", (name) => mireto.pickEndingSet(name), options.endingName);
    pick("replacement set", (name) => mireto.pickReplacementSet(name), options.replacementName);

    if (options.format !== undefined) {
        const given = options.format;
        const position = /^\d$/.test(given) && Number(given) < FORMAT_COUNT ? Number(given) : given;
        if (!mireto.pickFormat(position))
            fail(`unknown format '${given}': give a position 0-6 or a name (see --help)`, USAGE);
    } else if (mireto.current().format === null) {
        fail(
            `the settings name the page style '${mireto.current().overallTemplate.formatName}', which is none of the seven: give --format`,
            FAILED,
        );
    }

    const input = readInput(options.inputPath);
    // A byte-order mark, as Windows editors write, is not part of the text.
    let text;
    const utf8 = options.utf8Input ?? mireto.decodeText(input).encoding === "utf-8";
    if (utf8) {
        try {
            text = new TextDecoder("utf-8", { fatal: true }).decode(input);
        } catch {
            fail(`${options.inputPath === "-" ? "standard input" : options.inputPath} is not UTF-8`, FAILED);
        }
    } else {
        text = input;
    }

    const moment = options.time ?? Math.floor(Date.now() / 1000);
    const page = mireto.buildPage(text, moment, options.utf8Page ? "utf-8" : "shift_jis");
    if (options.outputPath === undefined || options.outputPath === "-") {
        try {
            writeAll(1, page);
        } catch {
            fail("cannot write the page to standard output", FAILED);
        }
        return OK;
    }
    try {
        writePage(options.outputPath, page);
    } catch (error) {
        fail(`${options.outputPath}: cannot write the page (${error.message})`, FAILED);
    }
    return OK;
}

try {
    process.exitCode = await run(process.argv.slice(2));
} catch (error) {
    if (!(error instanceof CommandError)) throw error;
    process.stderr.write(`mireto-convert: ${error.message}\n`);
    process.exitCode = error.status;
}
