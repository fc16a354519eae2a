// The four frequency rows of an ending set, each a slider and a percent box, kept as the
// desktop's ending-set editor keeps them: a slider move or a percent edit that lifts the
// total above 100 takes the excess from the other rows one point at a time, starting at
// a cursor that persists between changes for the editor's whole life.
//
// The percent boxes report every write as an edit, and a rebalancing marks the boxes it
// rewrites so that their reports are absorbed: the same steps, in the same order, give
// the same numbers as the desktop.

export const ROWS = 4;

export class FrequencyRows {
    private cursor = 0;
    private ignore = [false, false, false, false];
    readonly frequencies = [0, 0, 0, 0];
    // What each percent box and slider shows.
    readonly percents = ["", "", "", ""];
    readonly sliders = [0, 0, 0, 0];

    // Shows a record's frequencies: held to 0 to 100 first, then each box written is
    // processed as an edit, so a record over 100 in total comes down to 100 at once.
    showRecord(frequencies: readonly number[]): void {
        for (let row = 0; row < ROWS; ++row)
            this.frequencies[row] = Math.min(100, Math.max(0, Math.trunc(frequencies[row] ?? 0)));
        this.showFrequencies();
    }

    // A slider moved to `value` (one step of a drag, or a key press).
    moveSlider(row: number, value: number): void {
        this.sliders[row] = value;
        const total = this.sliders.reduce((a, b) => a + b, 0);
        this.frequencies[row] = value;
        this.rebalance(row, total - 100);
    }

    // A percent box now holds `text` (digits only, at most three).
    typePercent(row: number, text: string): void {
        this.percents[row] = text;
        this.onChangePercent(row);
    }

    private onChangePercent(row: number): void {
        if (this.ignore[row]) {
            this.ignore[row] = false;
            return;
        }
        let value = /^\d+$/.test(this.percents[row]) ? Number(this.percents[row]) : 0;
        if (value > 100) {
            value = 100;
            this.writePercent(row, "100");
        }
        this.frequencies[row] = value;
        const total = this.frequencies.reduce((a, b) => a + b, 0);
        if (total - 100 > 0) this.rebalance(row, total - 100);
        else this.sliders[row] = value;
    }

    private rebalance(changedRow: number, excess: number): void {
        let taken = 0;
        while (taken < excess) {
            if (!this.frequencies.some((f, row) => row !== changedRow && f > 0)) break;
            if (this.cursor !== changedRow && this.frequencies[this.cursor] > 0) {
                --this.frequencies[this.cursor];
                ++taken;
            }
            this.cursor = (this.cursor + 1) % ROWS;
        }
        this.ignore.fill(true);
        this.showFrequencies();
    }

    private showFrequencies(): void {
        for (let row = 0; row < ROWS; ++row) this.writePercent(row, String(this.frequencies[row]));
        for (let row = 0; row < ROWS; ++row) this.sliders[row] = this.frequencies[row];
    }

    private writePercent(row: number, text: string): void {
        this.percents[row] = text;
        this.onChangePercent(row);
    }
}
