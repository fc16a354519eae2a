// Share links: what they hold, how they fail, and how much text fits.
import { test } from "node:test";
import assert from "node:assert/strict";
import { inflateRawSync } from "node:zlib";
import { readFileSync } from "node:fs";
import { loadTs } from "./support/load-ts.mjs";

const share = await loadTs("share.ts");

const PAGE = {
    text: "私は猫です。\n<b>太字</b>と😀と〜。",
    moment: 1767225600,
    format: 3,
    zone: 540,
    endingSet: { name: "猫", words: ["にゃ。", "にゃん。", "", "にゃー"], frequencies: [40, 30, 20, 10], changeLineBreaks: 1 },
    replacementSet: { name: "猫語", rules: [{ sources: ["私", "僕", "", ""], target: "吾輩" }, { sources: ["", "", "", ""], target: "" }] },
    formatSettings: {
        idolNews: { supportTarget: "誰か", name: "名前", supportOn: 1, title: "題" },
        thread: { title: "スレ", name: "名無しさん", mode: 2 },
        standardColours: { textColour: "#333333", backgroundColour: "#66aaFF" },
        fontPlay: { deleteCommas: 0, lineBreakDegree: 7 },
    },
};

test("a link holds the version, then the page's JSON deflated and in base64url", async () => {
    const fragment = await share.writeShareFragment(PAGE);
    assert.match(fragment, /^#1\.[A-Za-z0-9_-]+$/);
    const payload = Buffer.from(fragment.slice(3), "base64url");
    assert.deepEqual(JSON.parse(inflateRawSync(payload).toString("utf8")), PAGE);
    assert.deepEqual(await share.readShareFragment(fragment), { ok: true, page: PAGE });
});

test("a damaged, cut, altered or newer link is told apart and never read in part", async () => {
    const fragment = await share.writeShareFragment(PAGE);
    const altered = await share.writeShareFragment({ ...PAGE, moment: "soon" });
    const noFields = "#1." + Buffer.from(JSON.stringify({ text: "a" })).toString("base64url");
    for (const [hash, reason] of [
        [fragment.slice(0, -10), "damaged"],
        [fragment.slice(0, 20), "damaged"],
        ["#1.", "damaged"],
        ["#1.!!!", "damaged"],
        ["#1.A", "damaged"],
        [altered, "damaged"],
        [noFields, "damaged"],
        ["#0." + fragment.slice(3), "damaged"],
        ["#2." + fragment.slice(3), "newer"],
        ["#17.whatever", "newer"],
    ])
        assert.deepEqual(await share.readShareFragment(hash), { ok: false, reason }, hash.slice(0, 30));
    assert.equal(share.isShareFragment("#1.abc"), true);
    assert.equal(share.isShareFragment("#top"), false);
});

test("how much prose fits in a link", async () => {
    // Prose-like text that does not repeat itself: sentences of words drawn from a
    // vocabulary of 5,000 words of two to four hiragana and kanji, "、" now and then,
    // a line break after one sentence in three. Real prose repeats more and packs
    // tighter, so it fits at least as much.
    let seed = 1;
    const next = (n) => (seed = (seed * 1103515245 + 12345) % 2147483648) % n;
    const kana = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをんがぎぐげござじずぜぞだでどばびぶべぼ";
    const kanji = "日本人今年大中出子分上生時行見月後前間事自社発者地業方新場員立開手力問代明動京目通言理体田主題意不作用度強公持野以思家世多正安院心界教文元重近考画海売知道集別物使品計死特私始朝運終台広住無真有口少町料工建空急止送切転研足究楽起着店病質待試族銀早映親験英医仕去味写字答夜音注帰古歌買悪図週室歩風紙黒花春赤青館屋色走秋夏習駅洋旅服夕借曜飲肉貸堂鳥飯勉冬昼茶弟牛魚兄犬妹姉漢";
    const pick = (set) => set[next(set.length)];
    const vocabulary = Array.from({ length: 5000 }, () =>
        Array.from({ length: 2 + next(3) }, () => (next(2) === 0 ? pick(kanji) : pick(kana))).join(""));
    let prose = "";
    while (prose.length < 20000) {
        const words = 4 + next(8);
        for (let w = 0; w < words; ++w) prose += vocabulary[next(vocabulary.length)] + (next(5) === 0 ? "、" : "");
        prose += next(3) === 0 ? "。\n" : "。";
    }
    const origin = "https://example.org/mireto/";
    const fits = async (length) => origin.length + (await share.writeShareFragment({ ...PAGE, text: prose.slice(0, length) })).length <= share.MAX_LINK_LENGTH;
    let low = 0, high = prose.length;
    while (low < high) {
        const middle = Math.ceil((low + high) / 2);
        if (await fits(middle)) low = middle;
        else high = middle - 1;
    }
    console.log(`a link of at most ${share.MAX_LINK_LENGTH} characters holds ${low} characters of this prose`);
    assert.ok(low >= 3000, `${low} characters`);
});
