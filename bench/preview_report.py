#!/usr/bin/env python3
"""Turns the preview benchmark's JSON into one table: style, text size, the time from a
change in the editor to the page's bytes, the part of it spent reading and encoding the
text, the page's size and the peak heap. Each benchmark runs several times, interleaved;
the fastest run counts, since whatever else the machine does can only add time."""
import json
import sys

STYLES = ["フォント弄り", "フォント弄り(背景白)", "某バーチャルネットアイドル", "某巨大掲示板群",
          "標準的", "標準的(枠無し)", "ソルネ屋仕様"]


def size_name(size):
    return f"{size >> 20} MB" if size >= 1 << 20 else f"{size >> 10} KB"


def main(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        runs = [run for run in json.load(f)["benchmarks"]
                if run.get("run_type", "iteration") == "iteration" and not run.get("error_occurred")]
    fastest = {}
    for run in runs:
        name = run.get("run_name", run["name"])
        if name not in fastest or run["real_time"] < fastest[name]["real_time"]:
            fastest[name] = run
    texts = {}
    pages = {}
    for name, run in fastest.items():
        parts = dict(p.split(":") for p in name.split("/")[1:] if ":" in p)
        if name.startswith("BM_PreviewText/"):
            texts[int(parts["bytes"])] = run
        elif name.startswith("BM_PreviewPage/"):
            pages[(int(parts["format"]), int(parts["bytes"]))] = run
    print(f"{'style':<28} {'text':>7} {'ms':>8} {'text ms':>8} {'page MB':>8} {'peak heap MB':>13}")
    for (style, size), run in sorted(pages.items()):
        text = texts.get(size, {}).get("real_time", float("nan"))
        print(f"{STYLES[style]:<28} {size_name(size):>7} {run['real_time']:8.2f} {text:8.2f} "
              f"{run['made_MB']:8.2f} {run['peak_heap_MB']:13.1f}")


if __name__ == "__main__":
    main(sys.argv[1])
