#!/usr/bin/env python3
"""Turns the page benchmarks' JSON into one table, times GNU sed on the same texts,
and checks that the cost grows linearly: a page of 16 MB, started with cold caches,
takes at most 17 times as long as one of 1 MB. Then times mireto-convert against sed
as whole processes, and prints GO!!'s figures with and without a character that
Shift_JIS lacks.

Each benchmark runs several times, interleaved with the others; the fastest run counts,
since whatever else the machine does can only add time."""
import json
import os
import subprocess
import sys
import time

STYLES = ["フォント弄り", "フォント弄り(背景白)", "某バーチャルネットアイドル", "某巨大掲示板群",
          "標準的", "標準的(枠無し)", "ソルネ屋仕様"]
SHAPES = ["prose", "no-commas", "one-line"]


def sed_mb_per_s(path):
    size = os.path.getsize(path)
    best = None
    for _ in range(3):
        start = time.perf_counter()
        with open(path, "rb") as text, open(os.devnull, "wb") as sink:
            # The Shift_JIS bytes of "。", not the UTF-8 encoding of U+0081 U+0042.
            subprocess.run([b"sed", b"s/\x81\x42/X/g"], stdin=text, stdout=sink, check=True,
                           env={"LC_ALL": "C", "PATH": os.environ["PATH"]})
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return size / best / 1e6


def timed_process(command, output, stdout=True):
    """Wall and CPU seconds of one process that writes the file `output`, which is
    removed first (untimed): through its standard output, or itself."""
    if os.path.exists(output):
        os.remove(output)
    before = os.times()
    start = time.perf_counter()
    with open(output if stdout else os.devnull, "wb") as sink:
        subprocess.run(command, stdout=sink, check=True,
                       env={"LC_ALL": "C", "PATH": os.environ["PATH"]})
    wall = time.perf_counter() - start
    after = os.times()
    cpu = (after.children_user - before.children_user) + \
        (after.children_system - before.children_system)
    return wall, cpu


def end_to_end(folder, convert, runs=3, before=None):
    """mireto-convert against sed over the same 16 MB of sentences, as processes, with no
    rule sets: sed's one substitution of "。" by "ナリ"; best of `runs`, interleaved.
    With `before`, another mireto-convert (an older build, say) runs in the same rounds,
    right after this one for each style, so that a busy machine weighs on both alike."""
    text = os.path.join(folder, f"prose-{16 << 20}.txt")
    out = os.path.join(folder, "end-to-end.html")
    sed = [b"sed", b"s/\x81\x42/\x83\x69\x83\x8A/g", text.encode()]
    programs = {"after": convert} if before is None else {"before": before, "after": convert}
    best = {}
    for _ in range(runs):
        for style in range(len(STYLES)):
            for key, program in [("sed", None)] + list(programs.items()):
                command = sed if program is None else \
                    [program, "-f", str(style), "--time", "1031227620",
                     "--ending", "無し", "--replacement", "無し", "-o", out, text]
                wall, cpu = timed_process(command, out, stdout=program is None)
                # sed's figure is its best over every round of every style.
                slot = "sed" if program is None else (key, style)
                old = best.get(slot, (wall, cpu))
                best[slot] = (min(old[0], wall), min(old[1], cpu))
    sed_wall, sed_cpu = best["sed"]
    print(f"end to end, 16 MB of sentences, no rule sets, best of {runs}: "
          f"sed 's/。/ナリ/g' {sed_wall * 1000:.0f} ms (CPU {sed_cpu * 1000:.0f} ms)")
    header = f"{'style':<28}"
    for key in programs:
        header += f" {key + ' ms':>10} {'x sed':>6} {'CPU x sed':>9}"
    print(header)
    for style, name in enumerate(STYLES):
        line = f"{name:<24}"
        for key in programs:
            wall, cpu = best[(key, style)]
            line += f" {wall * 1000:10.0f} {wall / sed_wall:6.2f} {cpu / sed_cpu:9.2f}"
        print(line)


def go_rows(folder):
    """GO!! in the editor over 1 MB, with one character Shift_JIS lacks and without."""
    path = os.path.join(folder, "go.json")
    if not os.path.exists(path):
        return
    with open(path, encoding="utf-8", errors="replace") as f:
        runs = [run for run in json.load(f)["benchmarks"]
                if run.get("run_type", "iteration") == "iteration"]
    fastest = {}
    for run in runs:
        name = run.get("run_name", run["name"])
        if name not in fastest or run["real_time"] < fastest[name]["real_time"]:
            fastest[name] = run
    rows = {}
    for name, run in fastest.items():
        parts = dict(p.split(":") for p in name.split("/")[1:4])
        rows[(int(parts["format"]), int(parts["sets"]), int(parts["foreign"]))] = run["real_time"]
    print("GO!! in the editor, 1 MB: text to Shift_JIS, page built and written")
    print(f"{'style':<28} {'sets':<6} {'ms':>7} {'foreign ms':>11} {'ratio':>6}")
    for (style, sets, foreign), plain in sorted(rows.items()):
        if foreign or (style, sets, 1) not in rows:
            continue
        other = rows[(style, sets, 1)]
        print(f"{STYLES[style]:<24} {'bench' if sets else 'none':<6} {plain:7.1f} {other:11.1f} "
              f"{other / plain:6.2f}")


def pages(fastest, benchmark):
    """The runs of one page benchmark, by (style, shape, size)."""
    rows = {}
    for name, run in fastest.items():
        if name.split("/")[0] != benchmark:
            continue
        parts = dict(p.split(":") for p in name.split("/")[1:4])
        rows[(int(parts["format"]), int(parts["shape"]), int(parts["bytes"]))] = run
    return rows


def growth(rows):
    """16 MB time over 1 MB time, by (style, shape)."""
    return {(style, shape): run["real_time"] / rows[(style, shape, 1 << 20)]["real_time"]
            for (style, shape, size), run in rows.items()
            if size == 16 << 20 and (style, shape, 1 << 20) in rows}


def main(folder, convert, before=None):
    with open(os.path.join(folder, "pages.json"), encoding="utf-8", errors="replace") as f:
        runs = json.load(f)["benchmarks"]
    runs = [run for run in runs
            if run.get("run_type", "iteration") == "iteration" and not run.get("error_occurred")]
    fastest = {}
    for run in runs:
        name = run.get("run_name", run["name"])
        if name not in fastest or run["real_time"] < fastest[name]["real_time"]:
            fastest[name] = run
    rows = pages(fastest, "BM_Page")
    cold = pages(fastest, "BM_PageCold")
    sed = {}
    print(f"{'style':<28} {'shape':<10} {'size':>6} {'MB/s':>8} {'sed MB/s':>9} {'peak heap MB':>13}")
    for (style, shape, size), run in sorted(rows.items()):
        if (shape, size) not in sed:
            sed[(shape, size)] = sed_mb_per_s(os.path.join(folder, f"{SHAPES[shape]}-{size}.txt"))
        mbps = run["bytes_per_second"] / 1e6
        label = f"{size >> 20} MB" if size >= 1 << 20 else f"{size >> 10} KB"
        print(f"{STYLES[style]:<24} {SHAPES[shape]:<10} {label:>6} {mbps:8.1f} "
              f"{sed[(shape, size)]:9.1f} {run['peak_heap_MB']:13.1f}")
    for name, run in sorted(fastest.items()):
        if name.startswith("BM_SettingsReadAtTheLimit"):
            print(f"settings file of 16 MiB, {run['label']}: {run['real_time']:.0f} ms, "
                  f"peak heap {run['peak_heap_per_byte']:.1f} bytes per byte")
        elif name.startswith("BM_Settings"):
            what = "write" if "Write" in name else "read"
            print(f"settings file, 1,000 sets of each kind: {what} {run['real_time']:.2f} ms")
    print()
    warm = growth(rows)
    if warm:
        print(f"warm caches: 16 MB takes {min(warm.values()):.1f}-{max(warm.values()):.1f}x "
              "1 MB (1 MB of text and page stay cached between pages)")
    ratios = growth(cold)
    failures = [f"{STYLES[style]} {SHAPES[shape]}: 16 MB takes {ratio:.1f}x 1 MB"
                for (style, shape), ratio in sorted(ratios.items()) if ratio > 17]
    span = f" (16 MB takes {min(ratios.values()):.1f}-{max(ratios.values()):.1f}x 1 MB)" \
        if ratios else ""
    print("linear growth, cold caches (16 MB <= 17 x 1 MB): " +
          ("yes" if not failures else "NO") + span)
    for failure in failures:
        print("  " + failure)
    print()
    end_to_end(folder, convert, before=before)
    print()
    go_rows(folder)
    return 1 if failures else 0


if __name__ == "__main__":
    # report.py FOLDER CONVERT [BEFORE]: the whole report; --end-to-end FOLDER CONVERT
    # [BEFORE]: only the processes against sed.
    if sys.argv[1] == "--end-to-end":
        end_to_end(sys.argv[2], sys.argv[3], before=sys.argv[4] if len(sys.argv) > 4 else None)
        sys.exit(0)
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None))
