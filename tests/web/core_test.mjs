// The npm package against the native mireto-convert: the same page bytes for every
// style over a spread of texts, rule sets and moments, and the package's command with
// the native command's options, outputs and exit statuses.
// Usage: node tests/web/core_test.mjs NPM_PACKAGE_FOLDER MIRETO_CONVERT STARTER_INI
// Exits 77 (skipped) when the package has not been built (scripts/web).
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { after, before, describe, test } from "node:test";
import { pathToFileURL } from "node:url";

const [packageFolder, nativeConvert, starterFile] = process.argv.slice(2).map((path) => resolve(path));
if (!existsSync(join(packageFolder, "mireto.mjs"))) {
    console.log(`no npm package in ${packageFolder}: build it with scripts/web`);
    process.exit(77);
}
const { createMireto, MiretoError } = await import(pathToFileURL(join(packageFolder, "mireto.mjs")));
const bin = join(packageFolder, "bin", "mireto-convert.mjs");
const starter = readFileSync(starterFile);

const folder = mkdtempSync(join(tmpdir(), "mireto-web-"));
after(() => rmSync(folder, { recursive: true, force: true }));

function file(name, bytes) {
    const path = join(folder, name);
    writeFileSync(path, bytes);
    return path;
}

function native(args, input) {
    return spawnSync(nativeConvert, args, { input, maxBuffer: 1 << 30 });
}

function packaged(args, input) {
    return spawnSync(process.execPath, [bin, ...args], { input, maxBuffer: 1 << 30 });
}

// Texts: sentences and lines, commas, empty lines, markup, half-width kana, characters
// Shift_JIS lacks, the look-alikes input methods type, a long text.
const TEXTS = {
    prose: "今日はとても良い天気です。私も散歩に行きます。\n明日は雨、でも傘はある。\n\nこんにちは、ありがとう。",
    crlf: "一行目です。\r\n二行目、です\r\n三行目。",
    ascii: "Hello, world. <b>&amp;</b> \"quoted\" 'single'",
    markup: "<script>alert(1)</script>が好きです。&nbsp;&#x41;",
    kana: "ｱｲｳｴｵ｡ｶﾞｷﾞ､ﾃｽﾄ。半角カナ",
    outside: "寿司🍣が好き。①②Ⅲ㈱〜‖¢£¬—−¥‾。\u{E0001}タグ",
    empty: "",
    noEnding: "句点のない行\n次の行も\n最後",
    long: "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ、何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\n".repeat(300),
};

const MOMENTS = [0, 1031227620, 1556668800, 1700000000];

describe("pages", () => {
    let mireto;
    let rulesFile;
    const ruleSets = []; // [ending name, replacement name]

    before(async () => {
        mireto = await createMireto();
        assert.equal(mireto.loadSettings(starter), "loaded");
        // Sets the starter lacks: line breaks changed, rules that overlap, match
        // across a comma, start with ASCII, and an empty source.
        assert.equal(
            mireto.saveEndingSet({
                name: "改行も",
                words: ["だよ", "。", "ね〜", ""],
                frequencies: [30, 30, 30, 10],
                changeLineBreaks: 1,
            }),
            "saved",
        );
        assert.equal(
            mireto.saveReplacementSet({
                name: "重なり",
                rules: [
                    { sources: ["天気", "天", "", ""], target: "てんき" },
                    { sources: ["す。", "、", "a", "<"], target: "&" },
                    { sources: ["雨", "", "", ""], target: "寿司" },
                ],
            }),
            "saved",
        );
        rulesFile = file("rules.ini", mireto.settingsBytes());
        const names = mireto.names();
        ruleSets.push(["無し", "無し"], ["改行も", "重なり"], [names.endingSets[1], names.replacementSets[1]]);
        ruleSets.push([names.endingSets.at(-2), names.replacementSets.at(-2)]);
    });

    test("every style, text, rule set and moment gives the native page", () => {
        mireto.loadSettings(readFileSync(rulesFile));
        let compared = 0;
        for (const [textName, text] of Object.entries(TEXTS)) {
            const input = file(`${textName}.txt`, text);
            for (let style = 0; style < 7; ++style) {
                // Not every combination: each text meets every style, and the rule sets
                // and moments turn with it.
                const [ending, replacement] = ruleSets[(style + textName.length) % ruleSets.length];
                const moment = MOMENTS[(style * 3 + textName.length) % MOMENTS.length];
                const args = ["-s", rulesFile, "-f", String(style), "--time", String(moment)];
                args.push("--ending", ending, "--replacement", replacement, "--encoding", "utf-8", input);
                const expected = native(args);
                assert.equal(expected.status, 0, expected.stderr.toString());

                assert.ok(mireto.pickEndingSet(ending) && mireto.pickReplacementSet(replacement));
                assert.ok(mireto.pickFormat(style));
                const page = mireto.buildPage(text, moment);
                assert.ok(
                    Buffer.from(page).equals(expected.stdout),
                    `style ${style}, text ${textName}, sets ${ending}/${replacement}, moment ${moment}`,
                );
                compared += 1;
            }
        }
        assert.equal(compared, 7 * Object.keys(TEXTS).length);
    });

    test("every starter template, as Shift_JIS and as UTF-8 pages", () => {
        mireto.loadSettings(starter);
        const starterPath = file("starter.ini", starter);
        for (const name of mireto.names().overallTemplates) {
            for (const encoding of ["shift_jis", "utf-8"]) {
                const args = ["-s", starterPath, "-t", name, "--time", "1700000000", "--page-encoding", encoding];
                const expected = native([...args, "--encoding", "utf-8", file("prose.txt", TEXTS.prose)]);
                assert.equal(expected.status, 0, expected.stderr.toString());
                assert.ok(mireto.pickTemplate(name));
                const page = mireto.buildPage(TEXTS.prose, 1700000000, encoding);
                assert.ok(Buffer.from(page).equals(expected.stdout), `template ${name}, ${encoding}`);
            }
        }
    });

    test("Shift_JIS bytes go in as they are", () => {
        mireto.loadSettings(starter);
        // 今日は。\n改行 in Shift_JIS, and a lone lead byte at the end.
        const bytes = Buffer.from([0x8d, 0xa1, 0x93, 0xfa, 0x82, 0xcd, 0x81, 0x42, 0x0a, 0x89, 0xfc, 0x8d, 0x73, 0x83]);
        for (let style = 0; style < 7; ++style) {
            const expected = native(["-s", file("starter.ini", starter), "-f", String(style), "--time", "5", "--encoding", "sjis", file("raw.txt", bytes)]);
            assert.equal(expected.status, 0, expected.stderr.toString());
            mireto.pickFormat(style);
            assert.ok(Buffer.from(mireto.buildPage(bytes, 5)).equals(expected.stdout), `style ${style}`);
        }
    });
});

describe("the session", () => {
    let mireto;
    before(async () => {
        mireto = await createMireto();
    });

    test("starts as without a settings file, and reads its own bytes back", async () => {
        const names = mireto.names();
        assert.deepEqual(names.endingSets, ["無し"]);
        assert.deepEqual(names.replacementSets, ["無し"]);
        assert.equal(names.formats.length, 7);
        assert.equal(names.formats[3], "某巨大掲示板群");
        assert.equal(mireto.current().format, 0);

        assert.equal(mireto.loadSettings(starter), "loaded");
        const saved = mireto.settingsBytes();
        const again = await createMireto();
        assert.equal(again.loadSettings(saved), "loaded");
        assert.deepEqual(again.settingsBytes(), saved);
        assert.deepEqual(again.names(), mireto.names());
        assert.deepEqual(again.current(), mireto.current());
    });

    test("refuses oversized settings and keeps the defaults", () => {
        const fresh = new Uint8Array(16 * 1024 * 1024 + 1).fill(0x0a);
        assert.equal(mireto.loadSettings(fresh), "too-large");
        assert.deepEqual(mireto.names().endingSets, ["無し"]);
    });

    test("picks by position and by name", () => {
        mireto.loadSettings(starter);
        const names = mireto.names();
        assert.ok(mireto.pickTemplate(1));
        const picked = mireto.current();
        assert.equal(picked.overallTemplate.name, names.overallTemplates[1]);
        assert.equal(picked.endingSet.name, picked.overallTemplate.endingSetName);
        assert.equal(picked.replacementSet.name, picked.overallTemplate.replacementSetName);
        assert.equal(picked.format, names.formats.indexOf(picked.overallTemplate.formatName));

        assert.ok(mireto.pickEndingSet("無し"));
        assert.equal(mireto.current().endingSet.name, "無し");
        assert.ok(mireto.pickFormat("標準的"));
        assert.equal(mireto.current().format, 4);
        assert.equal(mireto.pickFormat(7), false);
        assert.equal(mireto.pickFormat("標準"), false);
        assert.equal(mireto.pickTemplate("ないテンプレート"), false);
        assert.equal(mireto.pickReplacementSet(names.replacementSets.length), false);
        assert.equal(mireto.getEndingSet(-1), null);
        assert.deepEqual(mireto.getEndingSet(0), mireto.getEndingSet("無し"));
    });

    test("saves, overwrites and deletes as the editors do", () => {
        mireto.loadSettings(starter);
        const set = { name: "テスト", words: ["です", "ます", "", ""], frequencies: [50, 50, 0, 0], changeLineBreaks: 0 };
        const before = mireto.names().endingSets.length;
        assert.equal(mireto.saveEndingSet(set), "saved");
        assert.equal(mireto.names().endingSets.length, before + 1);
        assert.equal(mireto.saveEndingSet({ ...set, words: ["にゃ", "", "", ""] }), "exists");
        assert.deepEqual(mireto.getEndingSet("テスト").words, set.words);
        assert.equal(mireto.saveEndingSet({ ...set, words: ["にゃ", "", "", ""] }, true), "overwritten");
        assert.deepEqual(mireto.getEndingSet("テスト").words, ["にゃ", "", "", ""]);
        assert.equal(mireto.saveEndingSet({ ...set, name: "" }), "empty-name");

        // Letter case is ignored in the lists, full width too.
        assert.equal(mireto.saveTemplate({ name: "Ａbc", endingSetName: "テスト", replacementSetName: "無し", formatName: "標準的" }), "saved");
        assert.equal(mireto.saveTemplate({ name: "ａBC", endingSetName: "無し", replacementSetName: "無し", formatName: "標準的" }), "exists");
        assert.ok(mireto.nameTaken("template", "ａBC"));
        assert.equal(mireto.nameTaken("template", "ＡＢＣ"), false);

        assert.equal(mireto.deleteEndingSet(0), false, "the none set stays");
        assert.ok(mireto.deleteEndingSet("テスト"));
        assert.equal(mireto.getEndingSet("テスト"), null);
        assert.ok(mireto.deleteTemplate("Ａbc"));
    });

    test("uses records without storing them, and refuses what Shift_JIS cannot hold", () => {
        mireto.loadSettings(starter);
        const before = mireto.settingsBytes();
        const shared = { name: "共有", rules: [{ sources: ["です", "", "", ""], target: "でござる" }] };
        mireto.useReplacementSet(shared);
        assert.deepEqual(mireto.current().replacementSet, shared);
        assert.equal(mireto.getReplacementSet("共有"), null);

        assert.throws(() => mireto.useEndingSet({ name: "寿司🍣", words: ["", "", "", ""], frequencies: [0, 0, 0, 0], changeLineBreaks: 0 }),
            (error) => error instanceof MiretoError && /U\+1F363/.test(error.message));
        assert.throws(() => mireto.saveReplacementSet({ name: "x", rules: [{ sources: ["\u{E0001}", "", "", ""], target: "" }] }), MiretoError);
        // The wave dash that input methods type is Shift_JIS's ～.
        mireto.useEndingSet({ name: "波", words: ["だよ〜", "", "", ""], frequencies: [100, 0, 0, 0], changeLineBreaks: 0 });
        mireto.pickFormat(4);
        const page = new TextDecoder("shift_jis").decode(mireto.buildPage("そう。", 1));
        assert.match(page, /そうだよ～/);
        assert.notDeepEqual(mireto.settingsBytes(), before); // the current slots changed
    });

    test("page styles' settings as plain objects", () => {
        mireto.loadSettings(starter);
        const settings = mireto.formatSettings();
        settings.standardColours.backgroundColour = "#123456";
        settings.thread.title = "スレタイ";
        mireto.setFormatSettings(settings);
        assert.deepEqual(mireto.formatSettings(), settings);
        mireto.pickFormat(4);
        assert.match(new TextDecoder("shift_jis").decode(mireto.buildPage("あ", 1)), /#123456/);
        assert.throws(() => mireto.setFormatSettings({ ...settings, thread: { ...settings.thread, name: "🍣" } }), MiretoError);
        assert.equal(mireto.formatSettings().thread.name, settings.thread.name);
    });

    test("a template naming no style builds no page", () => {
        mireto.useTemplate({ name: "x", endingSetName: "", replacementSetName: "", formatName: "どれでもない" });
        assert.equal(mireto.current().format, null);
        assert.throws(() => mireto.buildPage("あ", 1), MiretoError);
    });

    test("text files read as UTF-8 or Shift_JIS", () => {
        assert.deepEqual(mireto.decodeText(Buffer.from("猫です。")), { text: "猫です。", encoding: "utf-8" });
        assert.deepEqual(mireto.decodeText(Buffer.from([0x94, 0x4c])), { text: "猫", encoding: "shift_jis" });
        assert.deepEqual(mireto.decodeText(Buffer.from("abc")), { text: "abc", encoding: "shift_jis" });
        assert.deepEqual(mireto.decodeText(Buffer.from("\uFEFF猫")), { text: "猫", encoding: "utf-8" });
    });

    test("set files export and import", async () => {
        mireto.loadSettings(starter);
        const exported = mireto.exportRecords({ templates: [0] });
        const file = mireto.readSetFile(exported);
        assert.equal(file.records.templates.length, 1);
        assert.equal(file.records.templates[0].name, mireto.names().overallTemplates[0]);
        assert.equal(mireto.readSetFile(new TextEncoder().encode("not a settings file\n")), null);

        const other = await createMireto();
        const results = other.importRecords(exported, [
            { kind: "ending", index: 0, onConflict: "keep-both" },
            { kind: "template", index: 0, onConflict: "keep-both" },
        ]);
        assert.deepEqual(results.map((record) => record.result), ["added", "added"]);
        assert.equal(other.names().overallTemplates[0], file.records.templates[0].name);
        const again = other.importRecords(exported, [{ kind: "template", index: 0, onConflict: "keep-both" }]);
        assert.equal(again[0].result, "added-as");
        assert.equal(again[0].storedName, `${file.records.templates[0].name} (2)`);
    });
});

describe("the command", () => {
    let settings;
    before(() => {
        settings = file("starter.ini", starter);
        file("utf8.txt", TEXTS.prose);
        file("emoji.txt", TEXTS.outside);
        file("bom.txt", Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(TEXTS.prose)]));
        file("sjis.txt", Buffer.from([0x94, 0x4c, 0x82, 0xc5, 0x82, 0xb7, 0x81, 0x42]));
        file("bad-utf8.txt", Buffer.from([0xe3, 0x81, 0x82, 0xff, 0x41]));
        mkdirSync(join(folder, "a-folder"), { recursive: true });
    });

    // Each case: the arguments (FOLDER/ stands for the test's folder) and the status
    // both commands must give; the standard output must be the same bytes.
    const CASES = [
        [["-s", "S", "--list"], 0],
        [["-s", "S", "--time", "1700000000", "FOLDER/utf8.txt"], 0],
        [["-s", "S", "--time", "1700000000", "--encoding", "utf-8", "FOLDER/emoji.txt"], 0],
        [["-s", "S", "--time", "1700000000", "FOLDER/emoji.txt"], 0],
        [["-s", "S", "--time", "1700000000", "FOLDER/sjis.txt"], 0],
        [["-s", "S", "--time", "1700000000", "FOLDER/bom.txt"], 0],
        [["-s", "S", "--time", "1700000000", "--encoding", "sjis", "FOLDER/utf8.txt"], 0],
        [["-s", "S", "--time=42", "-f3", "--page-encoding", "utf-8", "FOLDER/utf8.txt"], 0],
        [["-s", "S", "--time", "42", "--format", "某巨大掲示板群", "FOLDER/utf8.txt"], 0],
        [["-s", "S", "--time", "42", "-t", "猫になる", "--ending", "侍", "FOLDER/utf8.txt"], 0],
        [["-s", "S", "--time", "42", "--replacement", "無し", "-f", "6", "-"], 0],
        [["--settings=S", "--time", "-5", "--", "FOLDER/utf8.txt"], 0],
        [["-s", "S", "--time", "42", "--encoding", "utf-8", "FOLDER/bad-utf8.txt"], 1],
        [["-s", "S", "FOLDER/missing.txt"], 1],
        [["-s", "FOLDER/missing.ini", "FOLDER/utf8.txt"], 1],
        [["-s", "FOLDER/a-folder", "FOLDER/utf8.txt"], 1],
        [["-s", "S", "-t", "無いテンプレート", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "--ending", "無い", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "--replacement", "🍣", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "-f", "7", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "-f", "標準", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "--time", "soon", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "--encoding", "latin1", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "--page-encoding", "ebcdic", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "--bogus", "FOLDER/utf8.txt"], 2],
        [["-s", "S", "FOLDER/utf8.txt", "FOLDER/sjis.txt"], 2],
        [["-s", "S", "--list=yes"], 2],
        [["-s"], 2],
        [["--version"], 0],
    ];

    for (const [pattern, status] of CASES) {
        test(pattern.join(" "), () => {
            const args = pattern.map((arg) =>
                arg === "S" ? settings : arg.replace(/^--settings=S$/, `--settings=${settings}`).replace("FOLDER/", `${folder}/`),
            );
            const input = Buffer.from("標準入力から。\n");
            const expected = native(args, input);
            const actual = packaged(args, input);
            assert.equal(expected.status, status, expected.stderr.toString());
            assert.equal(actual.status, status, actual.stderr.toString());
            assert.ok(actual.stdout.equals(expected.stdout), "the same standard output");
            if (status !== 0) assert.match(actual.stderr.toString(), /^mireto-convert: /);
        });
    }

    test("without -s, the editor's Mireto.ini in the user's data folder, else the starter", async () => {
        const dataHome = join(folder, "data");
        const env = { ...process.env, XDG_DATA_HOME: dataHome };
        const args = ["--time", "9", "-f", "4", join(folder, "utf8.txt")];
        const run = () => spawnSync(process.execPath, [bin, ...args], { env });
        const starterPage = native(["-s", settings, ...args]).stdout;
        assert.ok(run().stdout.equals(starterPage));

        const session = await createMireto();
        session.loadSettings(readFileSync(settings));
        session.pickTemplate("お侍さん");
        const own = join(dataHome, "mireto", "Mireto.ini");
        mkdirSync(join(dataHome, "mireto"), { recursive: true });
        writeFileSync(own, session.settingsBytes());
        const ownPage = native(["-s", own, ...args]).stdout;
        assert.ok(!ownPage.equals(starterPage));
        assert.ok(run().stdout.equals(ownPage));
    });

    test("npm pack takes the whole package", () => {
        const packed = spawnSync("npm", ["pack", "--dry-run", "--json"], { cwd: packageFolder, encoding: "utf8" });
        assert.equal(packed.status, 0, packed.stderr);
        const files = JSON.parse(packed.stdout)[0].files.map((entry) => entry.path).sort();
        assert.deepEqual(files, [
            "README.md",
            "bin/mireto-convert.mjs",
            "mireto-core.mjs",
            "mireto-core.wasm",
            "mireto.d.ts",
            "mireto.mjs",
            "package.json",
            "starter.ini",
        ]);
    });

    test("-o writes the same file, and replaces an older one", () => {
        const nativePage = join(folder, "native.html");
        const packagedPage = join(folder, "packaged.html");
        writeFileSync(packagedPage, "old page");
        const args = ["-s", settings, "--time", "7", "-f", "2", join(folder, "utf8.txt"), "-o"];
        assert.equal(native([...args, nativePage]).status, 0);
        assert.equal(packaged([...args, packagedPage]).status, 0);
        assert.ok(readFileSync(packagedPage).equals(readFileSync(nativePage)));
        assert.equal(packaged([...args, join(folder, "no-such-folder", "page.html")]).status, 1);
        assert.equal(packaged([...args, "/dev/null"]).status, 0);
    });
});
