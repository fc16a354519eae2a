#!/usr/bin/env python3
"""Writes res/starter.ini, the settings a first start begins from.

Run from anywhere: python3 res/make_starter.py. The sets and templates below are the
source; the file is what the editor itself would write at exit with them stored
(Shift_JIS, CR LF, every string as its byte length and its bytes), so a first start
reads it like any Mireto.ini. Standard library only.

An ending word takes the place of the full stop, so each word ends the sentence again
(with "。" or a sign of its own) and reads well after the usual polite endings です and
ます. Ending conversion comes first and the replacement rules after it, so a rule can
work on what the ending put there: 関西弁 turns "ですねん" into "やねん".
"""
import os

# Ending sets: name, four (word, percent) candidates totalling 100 at most, and whether
# lines that end without "。" get a word too ("改行も変更").
ENDING_SETS = [
    ("猫", [("にゃ。", 40), ("にゃん。", 30), ("にゃー。", 20), ("にゃん♪", 10)], False),
    ("侍", [("ぞ。", 35), ("な。", 30), ("。天晴れ！", 20), ("。いざ参る！", 15)], False),
    ("お嬢様", [("わ。", 40), ("の。", 25), ("わよ。", 20), ("わ。オーホッホッホ！", 15)], False),
    ("ロボット", [("。ピピッ。", 30), ("。ガガッ。", 25), ("。ウィーン。", 25), ("。ピポパポ。", 20)],
     False),
    ("関西", [("ねん。", 30), ("で。", 30), ("がな。", 20), ("なぁ。", 20)], False),
    ("草", [("ｗ", 30), ("ｗｗｗ", 30), ("（笑）", 20), ("（爆）", 20)], True),
]

# Replacement sets: name and rules, each up to four sources and their target. Rules run
# in order, so longer sources come before the shorter ones they contain.
REPLACEMENT_SETS = [
    ("猫語", [
        (["私", "僕", "俺", "わたし"], "吾輩"),
        (["こんにちは"], "にゃんにちは"),
        (["ありがとう"], "にゃりがとう"),
        (["な"], "にゃ"),
        (["ナ"], "ニャ"),
    ]),
    ("侍言葉", [
        (["私", "僕", "俺", "わたし"], "拙者"),
        (["あなた", "お前"], "そなた"),
        (["皆さん", "みなさん"], "皆の衆"),
        (["こんにちは"], "頼もう"),
        (["ありがとうございます", "ありがとう"], "かたじけない"),
        (["すみません", "ごめんなさい"], "面目ない"),
        (["とても", "すごく"], "大層"),
        (["本当"], "誠"),
        (["ません"], "ませぬ"),
        (["です"], "でござる"),
        (["ます"], "まする"),
    ]),
    ("お嬢様言葉", [
        (["私", "僕", "俺", "わたし"], "わたくし"),
        (["こんにちは", "こんばんは"], "ごきげんよう"),
        (["皆さん", "みなさん"], "皆様"),
        (["お母さん", "ママ"], "お母様"),
        (["お父さん", "パパ"], "お父様"),
        (["友達"], "ご学友"),
        (["ご飯"], "お食事"),
        (["とても", "すごく"], "大変"),
        (["すごい"], "素敵"),
    ]),
    ("ロボット語", [
        (["私", "僕", "俺", "わたし"], "ワタシ"),
        (["こんにちは"], "コンニチハ"),
        (["ありがとう"], "アリガトウ"),
        (["人間"], "ニンゲン"),
        (["皆さん", "みなさん"], "ニンゲンノミナサン"),
        (["ません"], "マセン"),
        (["ました"], "マシタ"),
        (["です"], "デス"),
        (["ます"], "マス"),
    ]),
    ("関西弁", [
        (["そうです", "そうだ"], "せや"),
        (["私", "わたし"], "うち"),
        (["こんにちは"], "まいど"),
        (["ありがとうございます", "ありがとう"], "おおきに"),
        (["本当"], "ほんま"),
        (["とても", "すごく"], "めっちゃ"),
        (["だめ", "ダメ"], "あかん"),
        (["なぜ", "どうして"], "なんで"),
        (["しかし"], "せやけど"),
        (["ません"], "まへん"),
        (["です"], "や"),
    ]),
    ("ネット用語", [
        (["私", "僕", "俺", "わたし"], "ワイ"),
        (["皆さん", "みなさん", "皆様"], "おまいら"),
        (["本当に"], "マジで"),
        (["本当"], "マジ"),
        (["とても", "すごく", "非常に"], "超"),
        (["すごい"], "ｽｹﾞｰ"),
        (["ありがとうございます", "ありがとう"], "ｻﾝｸｽ"),
        (["こんにちは"], "こんちゃ"),
        (["です"], "っす"),
    ]),
]

# Overall templates: name, ending set, replacement set, page style.
TEMPLATES = [
    ("猫になる", "猫", "猫語", "フォント弄り(背景白)"),
    ("お侍さん", "侍", "侍言葉", "標準的"),
    ("お嬢様の日記", "お嬢様", "お嬢様言葉", "某バーチャルネットアイドル"),
    ("ロボット化", "ロボット", "ロボット語", "フォント弄り"),
    ("スレ住人", "草", "ネット用語", "某巨大掲示板群"),
    ("なにわ", "関西", "関西弁", "標準的(枠無し)"),
    ("関西の猫", "猫", "関西弁", "ソルネ屋仕様"),
]

# What a first start has chosen: this template with its sets and style.
CURRENT = "猫になる"

# Page settings: a little air between the font-play clauses, the idol page's support
# line on, a thread that others answer (良スレ), and the standard pages on warm paper.
LINE_BREAK_DEGREE = 1
DELETE_COMMAS = 0
IDOL_NAME = "バーチャルネットアイドル　ぺかり"
IDOL_SUPPORT_TARGET = "ソルネ屋"
IDOL_TITLE = "ぺかりニュースもどき"
IDOL_SUPPORT_ON = 1
BACKGROUND_COLOUR = "#FFF8E7"
TEXT_COLOUR = "#5A3A22"
THREAD_NAME = "名無しさん"
THREAD_TITLE = "一人語りスレ"
THREAD_MODE = 1


def integer(value):
    return f"{value},".encode("ascii")


def string(text):
    data = text.encode("cp932")
    return str(len(data)).encode("ascii") + b"," + data + b","


def ending_line(name, candidates, change_line_breaks):
    assert len(candidates) == 4 and sum(p for _, p in candidates) <= 100, name
    line = string(name)
    for word, percent in candidates:
        line += string(word) + integer(percent)
    # The flag is written only when on; a line without it reads as off.
    if change_line_breaks:
        line += integer(1)
    return line


def replacement_line(name, rules):
    line = integer(len(rules)) + string(name)
    for sources, target in rules:
        assert 1 <= len(sources) <= 4, name
        for source in sources + [""] * (4 - len(sources)):
            line += string(source)
        line += string(target)
    return line


def template_line(name, ending, replacement, style):
    return string(name) + string(ending) + string(replacement) + string(style)


def main():
    endings = {name: (name, words, flag) for name, words, flag in ENDING_SETS}
    replacements = {name: (name, rules) for name, rules in REPLACEMENT_SETS}
    current = next(t for t in TEMPLATES if t[0] == CURRENT)
    for name, ending, replacement, _ in TEMPLATES:
        assert ending in endings and replacement in replacements, name

    lines = [
        integer(100),
        integer(LINE_BREAK_DEGREE) + integer(DELETE_COMMAS),
        string(IDOL_NAME) + string(IDOL_SUPPORT_TARGET) + string(IDOL_TITLE)
        + integer(IDOL_SUPPORT_ON),
        string(BACKGROUND_COLOUR) + string(TEXT_COLOUR),
        string(THREAD_NAME) + string(THREAD_TITLE) + integer(THREAD_MODE),
        b"----",
    ]
    # Each section's first line is the current slot, then the stored entries.
    lines.append(ending_line(*endings[current[1]]))
    lines += [ending_line(*entry) for entry in ENDING_SETS]
    lines.append(b"----")
    lines.append(replacement_line(*replacements[current[2]]))
    lines += [replacement_line(*entry) for entry in REPLACEMENT_SETS]
    lines.append(b"----")
    lines.append(template_line(*current))
    lines += [template_line(*entry) for entry in TEMPLATES]
    lines.append(b"----")

    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "starter.ini"), "wb") as out:
        out.write(b"".join(line + b"\r\n" for line in lines))


if __name__ == "__main__":
    main()
