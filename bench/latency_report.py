#!/usr/bin/env python3
"""Turns the preview latency benchmark's JSON into one table: style, text size, the mean
time from the last key to the preview's painted page with the fixed 0.3 s pause of before
and with the pause taken now, that pause, the time to the page handed to the engine
(pause and build), the rest (the engine's load, layout and frame), and the longest the
user-interface thread was busy meanwhile."""
import json
import sys

STYLES = ["フォント弄り", "フォント弄り(背景白)", "某バーチャルネットアイドル", "某巨大掲示板群",
          "標準的", "標準的(枠無し)", "ソルネ屋仕様"]


def size_name(size):
    return f"{size >> 20} MB" if size >= 1 << 20 else f"{size >> 10} KB"


def width(text):
    # The styles' names are full-width: two columns a character.
    return sum(2 if ord(c) > 0x2000 and not 0xFF61 <= ord(c) <= 0xFF9F else 1 for c in text)


def main(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        runs = [run for run in json.load(f)["benchmarks"] if not run.get("error_occurred")]
    rows = []
    for run in runs:
        parts = dict(p.split(":") for p in run["name"].split("/")[1:] if ":" in p)
        rows.append((int(parts["bytes"]), int(parts["format"]), run))
    print(f"{'style':<26}{'text':>7} {'before ms':>10} {'after ms':>9} {'pause':>6} "
          f"{'build+pause':>12} {'rest ms':>8} {'busy ms':>8}")
    for size, style, run in sorted(rows):
        name = STYLES[style]
        pad = " " * max(0, 26 - width(name))
        # The same update after the fixed 0.3 s pause the preview took before.
        before = run['real_time'] - run['waited_ms'] + 300
        print(f"{name}{pad}{size_name(size):>7} {before:10.0f} {run['real_time']:9.0f} "
              f"{run['waited_ms']:6.0f} {run['pause_ms']:12.0f} {run['rest_ms']:8.0f} "
              f"{run['blocked_ms']:8.0f}")


if __name__ == "__main__":
    main(sys.argv[1])
