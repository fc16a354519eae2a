#!/usr/bin/env python3
"""Turns the page benchmarks' JSON into one table, times GNU sed on the same texts,
and checks that the cost grows linearly (16 MB at most 17 times 1 MB)."""
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


def main(folder):
    with open(os.path.join(folder, "pages.json"), encoding="utf-8", errors="replace") as f:
        runs = json.load(f)["benchmarks"]
    rows = {}
    for run in runs:
        if run.get("error_occurred") or not run["name"].startswith("BM_Page"):
            continue
        parts = dict(p.split(":") for p in run["name"].split("/")[1:4])
        key = (int(parts["format"]), int(parts["shape"]), int(parts["bytes"]))
        rows[key] = run
    sed = {}
    print(f"{'style':<28} {'shape':<10} {'size':>6} {'MB/s':>8} {'sed MB/s':>9} {'peak heap MB':>13}")
    for (style, shape, size), run in sorted(rows.items()):
        if (shape, size) not in sed:
            sed[(shape, size)] = sed_mb_per_s(os.path.join(folder, f"{SHAPES[shape]}-{size}.txt"))
        mbps = run["bytes_per_second"] / 1e6
        label = f"{size >> 20} MB" if size >= 1 << 20 else f"{size >> 10} KB"
        print(f"{STYLES[style]:<24} {SHAPES[shape]:<10} {label:>6} {mbps:8.1f} "
              f"{sed[(shape, size)]:9.1f} {run['peak_heap_MB']:13.1f}")
    for run in runs:
        if run["name"].startswith("BM_Settings"):
            what = "write" if "Write" in run["name"] else "read"
            print(f"settings file, 1,000 sets of each kind: {what} {run['real_time']:.2f} ms")
    failures = []
    for (style, shape, size), run in rows.items():
        if size != 16 << 20 or (style, shape, 1 << 20) not in rows:
            continue
        ratio = run["real_time"] / rows[(style, shape, 1 << 20)]["real_time"]
        if ratio > 17:
            failures.append(f"{STYLES[style]} {SHAPES[shape]}: 16 MB takes {ratio:.1f}x 1 MB")
    print()
    print("linear growth (16 MB <= 17 x 1 MB): " + ("yes" if not failures else "NO"))
    for failure in failures:
        print("  " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
