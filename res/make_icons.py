#!/usr/bin/env python3
"""Draws Mireto's icons as 16 by 16 pixel art and writes them as PNG files.

Run from anywhere: python3 res/make_icons.py. Writes res/icons/*.png (the images the
program loads) and res/mireto-*.png (the desktop icon at the sizes it is installed in, 16 to 256).
Standard library only, so the pictures can be redrawn on any machine.
"""
import os
import struct
import zlib

PALETTE = {
    ".": None,
    "k": (0x10, 0x10, 0x10),
    "w": (0xFF, 0xFF, 0xFF),
    "l": (0xC8, 0xC8, 0xC8),
    "g": (0x80, 0x80, 0x80),
    "r": (0xD8, 0x20, 0x20),
    "R": (0x80, 0x10, 0x10),
    "o": (0xF0, 0x90, 0x20),
    "y": (0xF8, 0xD8, 0x20),
    "n": (0xB0, 0x80, 0x30),
    "b": (0x20, 0x60, 0xD8),
    "d": (0x10, 0x30, 0x80),
    "c": (0x30, 0xC0, 0xE0),
    "G": (0x20, 0xA0, 0x40),
    "p": (0xF0, 0x60, 0xA8),
    "m": (0xB0, 0x30, 0xC0),
}

ICONS = {
    # The program: a red speech bubble with the katakana "so".
    "app": [
        "................",
        ".rrrrrrrrrrrrrr.",
        ".rwwwwwwwwwwwwr.",
        ".rwwwwwwwwwwwwr.",
        ".rwkwwwwwwwkkwr.",
        ".rwkkwwwwwwkkwr.",
        ".rwwkkwwwwkkwwr.",
        ".rwwwwwwwwkkwwr.",
        ".rwwwwwwwkkwwwr.",
        ".rwwwwwwkkwwwwr.",
        ".rwwwwkkkwwwwwr.",
        ".rwwkkkwwwwwwwr.",
        ".rwwwwwwwwwwwwr.",
        ".rrrrrrrrrrrrrr.",
        "......rrr.......",
        "......rr........",
    ],
    # A plain-text document.
    "document": [
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwwwwwklk...",
        "..kwgggggwkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kwwwwwwwwwwk..",
        "..kwgggggwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
    ],
    # Panel: the current overall template, three cards of one set.
    "template": [
        "................",
        "......kkkkkkkkk.",
        "......kbbbbbbbk.",
        "......kbbbbbbbk.",
        "...kkkkkkkkkbbk.",
        "...kGGGGGGGkbbk.",
        "...kGGGGGGGkbbk.",
        "kkkkkkkkkGGkkkk.",
        "krrrrrrrkGGk....",
        "krwwwwwrkGGk....",
        "krrrrrrrkkkk....",
        "krwwwwwrk.......",
        "krrrrrrrk.......",
        "krwwwrrrk.......",
        "krrrrrrrk.......",
        "kkkkkkkkk.......",
    ],
    # Panel: the current replacement set, A becomes B.
    "replacement": [
        "................",
        "................",
        "..bb............",
        ".b..b...........",
        ".b..b...........",
        ".bbbb...........",
        ".b..b.....k.....",
        ".b..b.....kk....",
        "......kkkkkkk...",
        "..........kk....",
        "..........k.rrr.",
        "............r..r",
        "............rrr.",
        "............r..r",
        "............r..r",
        "............rrr.",
    ],
    # Panel: the current ending set, a speech bubble ending in "。".
    "ending": [
        "................",
        "..kkkkkkkkkkkk..",
        ".kwwwwwwwwwwwwk.",
        ".kwggggggggwwwk.",
        ".kwwwwwwwwwwwwk.",
        ".kwgggggwwrrrwk.",
        ".kwwwwwwwrwwwrk.",
        ".kwwwwwwwrwwwrk.",
        ".kwwwwwwwrwwwrk.",
        ".kwwwwwwwwrrrwk.",
        "..kkkkwkkkkkkk..",
        ".....kwk........",
        "....kwk.........",
        "...kk...........",
        "................",
        "................",
    ],
    # GO!!: a red button (shown at 32 pixels on the panel).
    "go": [
        ".....RRRRRR.....",
        "...RRrrrrrrRR...",
        "..Rrrrrrrrrrrr..",
        ".Rrrrrrrrrrrrrr.",
        ".Rrrrrrrrrrrrrr.",
        "Rrrrwwwrrwwrrrrr",
        "Rrrwrrrrwrrwrrrr",
        "Rrrwrwwrwrrwrrrr",
        "Rrrwrrwrwrrwrrrr",
        "Rrrwrrwrwrrwrrrr",
        "Rrrrwwwrrwwrrrrr",
        ".Rrrrrrrrrrrrrr.",
        ".Rrrrrrrrrrrrrr.",
        "..Rrrrrrrrrrrr..",
        "...RRrrrrrrRR...",
        ".....RRRRRR.....",
    ],
    # Settings button, font play on black: coloured type on a black page.
    "settings-fontplay-black": [
        "kkkkkkkkkkkkkkkk",
        "kkkkkkkkkkkkkkkk",
        "kkkkrkkkkkkkkkkk",
        "kkkrkrkkkykkkkkk",
        "kkrkkkrkkykkkkkk",
        "kkrkkkrkkyyykkkk",
        "kkrrrrrkkykkykkk",
        "kkrkkkrkkykkykkk",
        "kkrkkkrkkyyykkkk",
        "kkkkkkkkkkkkkkkk",
        "kkkkkkkkkkkcckkk",
        "kkkgggkkkkckkkkk",
        "kkkkkkkkkkckkkkk",
        "kkkgggggkkkcckkk",
        "kkkkkkkkkkkkkkkk",
        "kkkkkkkkkkkkkkkk",
    ],
    # Settings button, font play on white.
    "settings-fontplay-white": [
        "kkkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwwwk",
        "kwwwrwwwwwwwwwwk",
        "kwwrwrwwwbwwwwwk",
        "kwrwwwrwwbwwwwwk",
        "kwrwwwrwwbbbwwwk",
        "kwrrrrrwwbwwbwwk",
        "kwrwwwrwwbwwbwwk",
        "kwrwwwrwwbbbwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwGGwwk",
        "kwwgggwwwwGwwwwk",
        "kwwwwwwwwwGwwwwk",
        "kwwgggggwwwGGwwk",
        "kwwwwwwwwwwwwwwk",
        "kkkkkkkkkkkkkkkk",
    ],
    # Settings button, idol news: a heart.
    "settings-idolnews": [
        "................",
        "..pppp....pppp..",
        ".pppppp..pppppp.",
        "pppwwppppppppppp",
        "ppwwpppppppppppp",
        "pppppppppppppppp",
        "pppppppppppppppp",
        ".pppppppppppppp.",
        "..pppppppppppp..",
        "...pppppppppp...",
        "....pppppppp....",
        ".....pppppp.....",
        "......pppp......",
        ".......pp.......",
        "................",
        "................",
    ],
    # Settings button, bulletin-board thread: numbered posts under a green title.
    "settings-thread": [
        "kkkkkkkkkkkkkkkk",
        "kGGGGGGGGGGGGGGk",
        "kGwwwwwwwwwwwwGk",
        "kGGGGGGGGGGGGGGk",
        "kllllllllllllllk",
        "kbbllggggggggglk",
        "kllllllllllllllk",
        "kllllggggggggllk",
        "kllllllllllllllk",
        "kbbllggggggglllk",
        "kllllllllllllllk",
        "kllllggggglllllk",
        "kllllllllllllllk",
        "kbbllggggggggglk",
        "kllllllllllllllk",
        "kkkkkkkkkkkkkkkk",
    ],
    # Settings button, the standard styles (icon 204): a painter's palette, for the
    # text and background colours those styles let the user set.
    "settings-colours": [
        "................",
        "....nnnnnnnn....",
        "..nnnnnnnnnnnn..",
        ".nnrrnnnnnbbnnn.",
        ".nnrrnnnnnbbnnnn",
        "nnnnnnnnnnnnnnnn",
        "nyynnnnnnnnnnnnn",
        "nyynnnnnnnnGGnnn",
        "nnnnnnn..nnGGnnn",
        "nnnnnn....nnnnnn",
        "nnpnnn....nnnnn.",
        "npppnnn..nnnnnn.",
        ".nnpnnnnnnnwwnn.",
        "..nnnnnnnnnwwn..",
        "....nnnnnnnnn...",
        "................",
    ],
    # Settings button, the house style, whose page is fixed: a small green page in its
    # dotted red frame.
    "settings-house": [
        "................",
        ".GGGGGGGGGGGGGG.",
        ".GrGrGrGrGrGrGG.",
        ".GGGGGGGGGGGGrG.",
        ".GrGwwwwwwwwGGG.",
        ".GGGGGGGGGGGGrG.",
        ".GrGwwwwwwGGGGG.",
        ".GGGGGGGGGGGGrG.",
        ".GrGwwwwwwwwGGG.",
        ".GGGGGGGGGGGGrG.",
        ".GrGwwwwwGGGGGG.",
        ".GGGGGGGGGGGGrG.",
        ".GrGrGrGrGrGrGG.",
        ".GGGGGGGGGGGGGG.",
        "................",
        "................",
    ],
    # Settings button, a page style name that matches none of the seven: a grey "no"
    # sign, for a style there is nothing to set for.
    "settings-none": [
        "................",
        ".....gggggg.....",
        "...gggggggggg...",
        "..gggg....gggg..",
        ".ggg.......ggg..",
        ".gg.......gggg..",
        "ggg......gggggg.",
        "gg......ggg..gg.",
        "gg.....ggg...gg.",
        "gggg..ggg...ggg.",
        ".ggggggg....gg..",
        ".gggggg....ggg..",
        "..gggg....gggg..",
        "...gggggggggg...",
        ".....gggggg.....",
        "................",
    ],
    # Toolbar: new file.
    "new": [
        "..kkkkkkkk..y...",
        "..kwwwwwwkky.y..",
        "..kwwwwwwkwky...",
        "..kwwwwwwkkkk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    ],
    # Toolbar: open file.
    "open": [
        "................",
        "................",
        "..........kkk...",
        ".........k...k.k",
        "..............kk",
        ".kkkk........kkk",
        "kyyyyk..........",
        "kyyyyykkkkkkk...",
        "kyykkkkkkkkkkk..",
        "kyknnnnnnnnnnnk.",
        "kykknnnnnnnnnk..",
        "kyknnnnnnnnnnk..",
        "kkknnnnnnnnnk...",
        "kknnnnnnnnnnk...",
        "kkkkkkkkkkkk....",
        "................",
    ],
    # Toolbar: save (a diskette).
    "save": [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kdkwwwwwwwwkdk.",
        ".kdkwwwwwwwwkdk.",
        ".kdkwwwwwwwwkdk.",
        ".kdkwwwwwwwwkdk.",
        ".kdkkkkkkkkkkdk.",
        ".kddddddddddddd.",
        ".kddkkkkkkkkddk.",
        ".kddklllkkllddk.",
        ".kddklllkkllddk.",
        ".kddklllkkllddk.",
        ".kddklllllllddk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
    ],
    # Toolbar: undo.
    "undo": [
        "................",
        "................",
        "....b...........",
        "...bb...........",
        "..bbbbbbbbb.....",
        ".bbbbbbbbbbbb...",
        "..bbbbbbbbbbbb..",
        "...bb......bbb..",
        "....b.......bbb.",
        "............bbb.",
        "............bbb.",
        "...........bbb..",
        "..........bbb...",
        "........bbbb....",
        "................",
        "................",
    ],
    # Toolbar: cut (scissors).
    "cut": [
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kkk.......",
        ".......k........",
        "......kkk.......",
        ".....bbkbb......",
        "....bb...bb.....",
        "...b..b.b..b....",
        "...b..b.b..b....",
        "...b..b.b..b....",
        "....bb...bb.....",
        "................",
    ],
    # Toolbar: copy (two pages).
    "copy": [
        "kkkkkkk.........",
        "kwwwwwkk........",
        "kwgggwkwk.......",
        "kwwwwwkkkk......",
        "kwgggggkkkkkk...",
        "kwwwwwwkwwwwkk..",
        "kwggggkwgggwkwk.",
        "kwwwwwkwwwwwkkkk",
        "kwggggkwggggggwk",
        "kkkkkkkwwwwwwwwk",
        ".......kwggggggw",
        ".......kwwwwwwww",
        ".......kwggggggw",
        ".......kwwwwwwww",
        ".......kkkkkkkkk",
        "................",
    ],
    # Toolbar: paste (a clipboard).
    "paste": [
        "......kkkk......",
        "..kkkkkllkkkkk..",
        ".knnnkllllknnnk.",
        ".knnkkkkkkkknnk.",
        ".knnnnnnnnnnnnk.",
        ".knnnnkkkkkkkkkk",
        ".knnnnkwwwwwwwkk",
        ".knnnnkwggggwwkk",
        ".knnnnkwwwwwwwkk",
        ".knnnnkwgggggwkk",
        ".knnnnkwwwwwwwkk",
        ".knnnnkwggggwwkk",
        ".knnnnkwwwwwwwkk",
        ".kkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    # Toolbar: print.
    "print": [
        "................",
        ".....kkkkkkkk...",
        ".....kwwwwwwk...",
        ".....kwggggwk...",
        ".....kwwwwwwk...",
        "..kkkkkkkkkkkkk.",
        ".kllllllllllllk.",
        ".kllllllllllGlk.",
        ".kllllllllllllk.",
        ".kkkkkkkkkkkkkk.",
        ".kllkwwwwwwkllk.",
        ".kkkkwggggwkkkk.",
        ".....kwwwwwwk...",
        ".....kkkkkkkk...",
        "................",
        "................",
    ],
    # Toolbar: about (a question mark).
    "about": [
        "................",
        ".....bbbbbb.....",
        "...bbbbbbbbbb...",
        "..bbbbwwwwbbbb..",
        ".bbbbwwbbwwbbbb.",
        ".bbbbbbbbwwbbbb.",
        "bbbbbbbbwwbbbbbb",
        "bbbbbbbwwbbbbbbb",
        "bbbbbbbwwbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        ".bbbbbbwwbbbbbb.",
        ".bbbbbbwwbbbbbb.",
        "..bbbbbbbbbbbb..",
        "...bbbbbbbbbb...",
        ".....bbbbbb.....",
        "................",
    ],
}


def png(rows, scale):
    size = 16 * scale
    raw = bytearray()
    for row in rows:
        line = bytearray([0])
        for ch in row:
            colour = PALETTE[ch]
            pixel = bytes([0, 0, 0, 0]) if colour is None else bytes(colour) + b"\xff"
            line += pixel * scale
        raw += bytes(line) * scale
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in ICONS.items():
        assert len(rows) == 16 and all(len(r) == 16 for r in rows), name
    os.makedirs(os.path.join(here, "icons"), exist_ok=True)
    for name, rows in ICONS.items():
        scale = 2 if name == "go" else 1
        with open(os.path.join(here, "icons", name + ".png"), "wb") as out:
            out.write(png(rows, scale))
    for scale in (1, 2, 3, 4, 8, 16):
        with open(os.path.join(here, f"mireto-{16 * scale}.png"), "wb") as out:
            out.write(png(ICONS["app"], scale))


if __name__ == "__main__":
    main()
