#!/usr/bin/env python3
"""Draws the toolbar strips of the program (resources/MainToolbar.bmp and
resources/PreviewToolbar.bmp) from the pixel pictures below, and the same
strips for screens at 150% and 200% (MainToolbar150.bmp, ...).

Each picture is 16 by 15 pixels, one character a pixel; the strips are
16-colour bitmaps whose background is light grey, which the toolbar shows as
its button face. The larger strips (24 by 22 and 32 by 30 an image) are
enlarged with the Scale2x and Scale3x rules, which double or triple every
pixel but round off the steps of diagonal edges instead of repeating them;
150% is the tripled picture halved, each pixel taking the colour that covers
most of its area. Both keep the 16 colours, so the images stay as crisp as
the small ones and the light grey still marks the transparent parts.

The order of the pictures is the order of the buttons that carry an image
in resources/Toolbars.rc. Run it again after changing a
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


def neighbour(picture, x, y, dx, dy):
    """The key at (x + dx, y + dy); outside the picture, the one at (x, y)."""
    nx, ny = x + dx, y + dy
    if 0 <= ny < len(picture) and 0 <= nx < len(picture[0]):
        return picture[ny][nx]
    return picture[y][x]


def scale2x(picture):
    rows = []
    for y, row in enumerate(picture):
        top, bottom = [], []
        for x, e in enumerate(row):
            b, d = neighbour(picture, x, y, 0, -1), neighbour(picture, x, y, -1, 0)
            f, h = neighbour(picture, x, y, 1, 0), neighbour(picture, x, y, 0, 1)
            top += [d if d == b and b != f and d != h else e,
                    f if b == f and b != d and f != h else e]
            bottom += [d if d == h and d != b and h != f else e,
                       f if h == f and d != h and b != f else e]
        rows += ["".join(top), "".join(bottom)]
    return rows


def scale3x(picture):
    rows = []
    for y, row in enumerate(picture):
        out = [[], [], []]
        for x, e in enumerate(row):
            a, b, c = (neighbour(picture, x, y, dx, -1) for dx in (-1, 0, 1))
            d, f = neighbour(picture, x, y, -1, 0), neighbour(picture, x, y, 1, 0)
            g, h, i = (neighbour(picture, x, y, dx, 1) for dx in (-1, 0, 1))
            db = d == b and b != f and d != h
            bf = b == f and b != d and f != h
            dh = d == h and d != b and h != f
            hf = h == f and d != h and b != f
            out[0] += [d if db else e, b if (db and e != c) or (bf and e != a) else e,
                       f if bf else e]
            out[1] += [d if (db and e != g) or (dh and e != a) else e, e,
                       f if (bf and e != i) or (hf and e != c) else e]
            out[2] += [d if dh else e, h if (dh and e != i) or (hf and e != g) else e,
                       f if hf else e]
        rows += ["".join(line) for line in out]
    return rows


def shrink(picture, width, height):
    """`picture` resized down to width x height: each new pixel takes the key
    covering most of its area, a drawn colour winning a tie with the face."""
    source_height, source_width = len(picture), len(picture[0])
    rows = []
    for y in range(height):
        top, bottom = y * source_height / height, (y + 1) * source_height / height
        row = ""
        for x in range(width):
            left, right = x * source_width / width, (x + 1) * source_width / width
            cover = {}
            for sy in range(int(top), min(source_height, int(bottom) + 1)):
                along_y = min(bottom, sy + 1) - max(top, sy)
                if along_y <= 0:
                    continue
                for sx in range(int(left), min(source_width, int(right) + 1)):
                    along_x = min(right, sx + 1) - max(left, sx)
                    if along_x > 0:
                        key = picture[sy][sx]
                        cover[key] = cover.get(key, 0) + along_x * along_y
            row += max(cover, key=lambda key: (cover[key], key != "."))
        rows.append(row)
    return rows


def at_150(picture):
    return shrink(scale3x(picture), WIDTH * 3 // 2, HEIGHT * 3 // 2)


def check(picture, name):
    if len(picture) != HEIGHT:
        raise ValueError(f"{name}: {len(picture)} rows instead of {HEIGHT}")
    for y, row in enumerate(picture):
        if len(row) != WIDTH:
            raise ValueError(f"{name}, row {y}: {len(row)} pixels instead of {WIDTH}")
    check_keys(picture, name)


def check_keys(picture, name):
    for y, row in enumerate(picture):
        for key in row:
            if key not in INDEX:
                raise ValueError(f"{name}, row {y}: unknown colour {key!r}")


def bitmap_bytes(pictures):
    """A bottom-up 4-bit BMP of the pictures side by side."""
    height = len(pictures[0])
    width = len(pictures[0][0]) * len(pictures)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(height)):
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
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels),
                       2835, 2835, len(PALETTE), 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def write(path, pictures):
    for i, picture in enumerate(pictures):
        check_keys(picture, f"{os.path.basename(path)} image {i}")
    data = bitmap_bytes(pictures)
    with open(path, "wb") as file:
        file.write(data)
    print(path)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    for name, pictures in (("MainToolbar", MAIN_TOOLBAR), ("PreviewToolbar", PREVIEW_TOOLBAR)):
        for i, picture in enumerate(pictures):
            check(picture, f"{name} image {i}")
        write(os.path.join(out, name + ".bmp"), pictures)
        write(os.path.join(out, name + "150.bmp"), [at_150(p) for p in pictures])
        write(os.path.join(out, name + "200.bmp"), [scale2x(p) for p in pictures])


if __name__ == "__main__":
    main()
