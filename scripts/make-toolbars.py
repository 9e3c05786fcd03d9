#!/usr/bin/env python3
"""Draws the toolbar strips of the program (resources/MainToolbar.bmp and
resources/PreviewToolbar.bmp) from the pixel pictures below.

Each picture is 16 by 15 pixels, one character a pixel; the strips are
16-colour bitmaps whose background is light grey, which the toolbar shows as
its button face. The order of the pictures is the order of the buttons that
carry an image in resources/Toolbars.rc. Run it again after changing a
picture; the bitmaps it writes are kept in the tree so that a build needs no
Python.

    scripts/make-toolbars.py [output directory]   (default: resources/)
"""

import os
import struct
import sys

WIDTH = 16
HEIGHT = 15

# The 16 standard colours, in the palette order of the bitmaps.
PALETTE = [
    ("k", (0, 0, 0)),        # black
    ("m", (128, 0, 0)),      # dark red
    ("d", (0, 128, 0)),      # dark green
    ("o", (128, 128, 0)),    # olive
    ("n", (0, 0, 128)),      # navy
    ("p", (128, 0, 128)),    # purple
    ("t", (0, 128, 128)),    # teal
    (".", (192, 192, 192)),  # light grey: the button face
    ("g", (128, 128, 128)),  # grey
    ("r", (255, 0, 0)),      # red
    ("G", (0, 255, 0)),      # green
    ("y", (255, 255, 0)),    # yellow
    ("b", (0, 0, 255)),      # blue
    ("M", (255, 0, 255)),    # magenta
    ("c", (0, 255, 255)),    # cyan
    ("w", (255, 255, 255)),  # white
]
INDEX = {key: i for i, (key, _) in enumerate(PALETTE)}

NEW_DOCUMENT = [
    "................",
    "...kkkkkkk......",
    "...kwwwwwkk.....",
    "...kwwwwwkwk....",
    "...kwwwwwkwwk...",
    "...kwwwwwkkkkk..",
    "...kwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "...kkkkkkkkkkk..",
    "................",
]

OPEN_FOLDER = [
    "................",
    "................",
    ".kkkkk..........",
    "kyoyoyk.........",
    "koyoyoykkkkkk...",
    "kyoyoyoyoyoyk...",
    "koyoyokkkkkkkkkk",
    "kyoyokyyyyyyyyyk",
    "koyokyyyyyyyyyk.",
    "kyokyyyyyyyyyyk.",
    "kokyyyyyyyyyyk..",
    "kkyyyyyyyyyyyk..",
    "kkyyyyyyyyyyk...",
    "kkkkkkkkkkkkk...",
    "................",
]

FLOPPY_DISK = [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".knwwwwwwwwwwnk.",
    ".knwbbbbbbbbwnk.",
    ".knwwwwwwwwwwnk.",
    ".knwbbbbbbbbwnk.",
    ".knwwwwwwwwwwnk.",
    ".knnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnggggggggnnk.",
    ".knnggkkggggnnk.",
    ".knnggkkggggnnk.",
    ".knnggggggggnnk.",
    ".kkkkkkkkkkkkkk.",
    "................",
]

PRINT_PREVIEW = [
    "................",
    ".kkkkkkk........",
    ".kwwwwwkk.......",
    ".kwggwwkwk......",
    ".kwwwwwkkkk.....",
    ".kwgggkkkkk.....",
    ".kwwwkcwccck....",
    ".kwggkwcccck....",
    ".kwwwkcccccck...",
    ".kwggkcccccck...",
    ".kwwwwkcccck....",
    ".kwggwwkkkkkk...",
    ".kwwwwwwwk.kkk..",
    ".kkkkkkkkk..kkk.",
    ".............kk.",
]

PRINTER = [
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwggggwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    "kggggggggggggggk",
    "kgggggggggggdGgk",
    "kkkkkkkkkkkkkkkk",
    "kggkwwwwwwwwkggk",
    ".kkwggggggggwkk.",
    "...wwwwwwwwww...",
    "...kkkkkkkkkk...",
    "................",
]

ABOUT = [
    ".....nnnnnn.....",
    "...nnbbbbbbnn...",
    "..nbbbbwwbbbbn..",
    ".nbbbbbwwbbbbbn.",
    ".nbbbbbbbbbbbbn.",
    "nbbbbbwwwbbbbbbn",
    "nbbbbbbwwbbbbbbn",
    "nbbbbbbwwbbbbbbn",
    "nbbbbbbwwbbbbbbn",
    "nbbbbbbwwbbbbbbn",
    ".nbbbbbwwbbbbbn.",
    ".nbbbbwwwwbbbbn.",
    "..nbbbbbbbbbbn..",
    "...nnbbbbbbnn...",
    ".....nnnnnn.....",
]

CONTEXT_HELP = [
    "k...............",
    "kk.......nnnn...",
    "kwk.....nn..nn..",
    "kwwk....nn..nn..",
    "kwwwk.......nn..",
    "kwwwwk.....nn...",
    "kwwwwwk...nn....",
    "kwwwwwwk..nn....",
    "kwwwkkkk..nn....",
    "kwkwk...........",
    "kk.kwk....nn....",
    "k...kwk...nn....",
    ".....kwk........",
    "......k.........",
    "................",
]

PREVIOUS_PAGE = [
    "................",
    "................",
    "......n.........",
    ".....nn.........",
    "....nbn.........",
    "...nbbnnnnnnnn..",
    "..nbbbbbbbbbbn..",
    ".nbbbbbbbbbbbn..",
    "..nbbbbbbbbbbn..",
    "...nbbnnnnnnnn..",
    "....nbn.........",
    ".....nn.........",
    "......n.........",
    "................",
    "................",
]

CLOSE_PREVIEW = [
    "................",
    "................",
    "..mm.......mm...",
    "..mrr.....rrm...",
    "...mrr...rrm....",
    "....mrr.rrm.....",
    ".....mrrrm......",
    "......rrr.......",
    ".....mrrrm......",
    "....mrr.rrm.....",
    "...mrr...rrm....",
    "..mrr.....rrm...",
    "..mm.......mm...",
    "................",
    "................",
]


def mirrored(picture):
    """The picture flipped left to right: the next-page arrow."""
    return [row[::-1] for row in picture]


MAIN_TOOLBAR = [NEW_DOCUMENT, OPEN_FOLDER, FLOPPY_DISK, PRINT_PREVIEW, PRINTER,
                ABOUT, CONTEXT_HELP]
PREVIEW_TOOLBAR = [PREVIOUS_PAGE, mirrored(PREVIOUS_PAGE), PRINTER, CLOSE_PREVIEW]


def check(picture, name):
    if len(picture) != HEIGHT:
        raise ValueError(f"{name}: {len(picture)} rows instead of {HEIGHT}")
    for y, row in enumerate(picture):
        if len(row) != WIDTH:
            raise ValueError(f"{name}, row {y}: {len(row)} pixels instead of {WIDTH}")
        for key in row:
            if key not in INDEX:
                raise ValueError(f"{name}, row {y}: unknown colour {key!r}")


def bitmap_bytes(pictures):
    """A bottom-up 4-bit BMP of the pictures side by side."""
    width = WIDTH * len(pictures)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):
        row = "".join(picture[y] for picture in pictures)
        line = bytearray(stride)
        for x, key in enumerate(row):
            value = INDEX[key]
            if x % 2 == 0:
                line[x // 2] |= value << 4
            else:
                line[x // 2] |= value
        pixels += line
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, HEIGHT, 1, 4, 0, len(pixels),
                       2835, 2835, len(PALETTE), 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def write(path, pictures):
    for i, picture in enumerate(pictures):
        check(picture, f"{os.path.basename(path)} image {i}")
    data = bitmap_bytes(pictures)
    with open(path, "wb") as file:
        file.write(data)
    print(path)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    write(os.path.join(out, "MainToolbar.bmp"), MAIN_TOOLBAR)
    write(os.path.join(out, "PreviewToolbar.bmp"), PREVIEW_TOOLBAR)


if __name__ == "__main__":
    main()
