// The ending-set rows rebalance exactly as the desktop's editor does: the cases and
// numbers are those the desktop's own dialog gives.
import { test } from "node:test";
import assert from "node:assert/strict";
import { loadTs } from "./support/load-ts.mjs";

const { FrequencyRows } = await loadTs("frequency.ts");

function rowsOf(start) {
    const rows = new FrequencyRows();
    rows.showRecord(start);
    return rows;
}
// Moves a slider a step at a time, as a drag does.
function drag(rows, row, to) {
    let at = rows.sliders[row];
    while (at !== to) rows.moveSlider(row, (at += to > at ? 1 : -1));
}
// Replaces a box's text one typed digit at a time; other characters are refused.
function retype(rows, row, text) {
    const digits = text.replace(/\D/g, "");
    if (digits === "") rows.typePercent(row, "");
    for (let i = 1; i <= digits.length; ++i) rows.typePercent(row, digits.slice(0, i));
}
// Each row's percent text, with "/value" where its slider shows another number.
const shown = (rows) => rows.percents.map((p, i) => (Number(p) === rows.sliders[i] ? p : `${p}/${rows.sliders[i]}`));

test("dragging one row takes from the others in turn, the cursor kept", () => {
    const rows = rowsOf([30, 30, 20, 10]);
    drag(rows, 0, 50);
    assert.deepEqual(shown(rows), ["50", "26", "17", "7"]);
    rows.moveSlider(3, rows.sliders[3] + 1);
    assert.deepEqual(rows.sliders, [50, 26, 16, 8]);
});

test("points taken are never given back", () => {
    const rows = rowsOf([30, 30, 20, 10]);
    drag(rows, 1, 45);
    drag(rows, 1, 10);
    assert.deepEqual(shown(rows), ["28", "10", "18", "9"]);
});

test("rows at zero are passed over, dragged or typed", () => {
    const dragged = rowsOf([0, 0, 0, 100]);
    drag(dragged, 0, 40);
    assert.deepEqual(dragged.sliders, [40, 0, 0, 60]);
    const typed = rowsOf([0, 0, 0, 100]);
    retype(typed, 0, "40");
    assert.deepEqual(shown(typed), ["40", "0", "0", "60"]);
});

test("typed percents are rebalanced and take digits only", () => {
    const rows = rowsOf([30, 30, 20, 10]);
    retype(rows, 1, "150");
    assert.deepEqual(shown(rows), ["0", "100", "0", "0"]);
    const filtered = rowsOf([30, 30, 20, 10]);
    retype(filtered, 0, "-4x");
    assert.equal(shown(filtered)[0], "4");
});

test("clearing a box counts as zero and leaves it empty", () => {
    const rows = rowsOf([30, 30, 20, 10]);
    retype(rows, 2, "");
    assert.deepEqual(shown(rows), ["30", "30", "", "10"]);
    assert.deepEqual(rows.frequencies, [30, 30, 0, 10]);
});

test("a loaded set over 100 comes down from rows 2 to 4, the cursor kept for the next", () => {
    const rows = rowsOf([30, 30, 20, 10]);
    rows.showRecord([40, 40, 30, 10]);
    assert.deepEqual(shown(rows), ["40", "33", "23", "4"]);
    rows.showRecord([60, 20, 20, 10]);
    assert.deepEqual(rows.sliders, [60, 17, 17, 6]);
});

test("stored values outside 0 to 100 are held to that range", () => {
    const max = 2 ** 31 - 1, min = -(2 ** 31);
    for (const stored of [[2000000000, 0, 0, 0], [30, max, max, 10], [min, min, max, min], [max, max, max, max], [-1, 101, 1000, 0]]) {
        const rows = rowsOf(stored);
        assert.ok(rows.frequencies.every((f) => f >= 0 && f <= 100), String(stored));
        assert.ok(rows.frequencies.reduce((a, b) => a + b) <= 100, String(stored));
    }
    assert.deepEqual(shown(rowsOf([2000000000, 0, 0, 0])), ["100", "0", "0", "0"]);
    assert.deepEqual(shown(rowsOf([-5, 40, min, 20])), ["0", "40", "0", "20"]);
});
