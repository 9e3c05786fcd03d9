#!/usr/bin/env python3
"""Writes resources/WizardPicture.wmf, the picture on the exchange wizard's
pages: a sheet of ruled text, an arrow, and the program's card file, on a
blue panel. A placeable Windows metafile of pens, brushes, rectangles,
ellipses and polygons only, so that any device plays it back.

    scripts/make-wizard-picture.py [OUT]
"""
import struct
import sys

WIDTH, HEIGHT = 160, 252  # logical units; the page keeps this aspect


def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


class Metafile:
    def __init__(self):
        self.records = []
        self.largest = 0

    def record(self, function, *words):
        data = struct.pack("<IH", 3 + len(words), function)
        data += b"".join(struct.pack("<h" if w < 0 else "<H", w) for w in words)
        self.records.append(data)
        self.largest = max(self.largest, 3 + len(words))

    def dword_words(self, value):
        return (value & 0xFFFF, value >> 16)

    def window(self):
        self.record(0x020B, 0, 0)                # SETWINDOWORG y, x
        self.record(0x020C, HEIGHT, WIDTH)       # SETWINDOWEXT y, x

    def pen_and_brush(self, pen, brush, pen_width=1):
        # Objects take the lowest free slots: the pen 0, the brush 1.
        self.record(0x02FA, 0, pen_width, 0, *self.dword_words(pen))        # CREATEPENINDIRECT
        self.record(0x02FC, 0, *self.dword_words(brush), 0)                 # CREATEBRUSHINDIRECT
        self.record(0x012D, 0)                                              # SELECTOBJECT
        self.record(0x012D, 1)

    def release(self):
        self.record(0x01F0, 0)                   # DELETEOBJECT
        self.record(0x01F0, 1)

    def rectangle(self, left, top, right, bottom, pen, brush, pen_width=1):
        self.pen_and_brush(pen, brush, pen_width)
        self.record(0x041B, bottom, right, top, left)
        self.release()

    def ellipse(self, left, top, right, bottom, pen, brush):
        self.pen_and_brush(pen, brush)
        self.record(0x0418, bottom, right, top, left)
        self.release()

    def polygon(self, points, pen, brush):
        self.pen_and_brush(pen, brush)
        words = [len(points)]
        for x, y in points:
            words += [x, y]
        self.record(0x0324, *words)
        self.release()

    def bytes(self):
        self.record(0x0000)                      # EOF
        body = b"".join(self.records)
        size_words = 9 + len(body) // 2
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, size_words, 2, self.largest, 0)
        placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, WIDTH, HEIGHT, 96, 0)
        checksum = 0
        for (word,) in struct.iter_unpack("<H", placeable):
            checksum ^= word
        return placeable + struct.pack("<H", checksum) + header + body


def picture():
    m = Metafile()
    m.window()
    navy, blue, light = rgb(0, 51, 102), rgb(0, 84, 166), rgb(88, 150, 214)
    white, grey, ink = rgb(255, 255, 255), rgb(128, 128, 128), rgb(60, 60, 60)
    yellow, amber = rgb(255, 214, 64), rgb(196, 140, 0)
    m.rectangle(0, 0, WIDTH, HEIGHT, navy, blue)
    # Light bands across the panel.
    for top in range(0, HEIGHT, 36):
        m.rectangle(0, top, WIDTH, top + 14, light, light)
    # The text file: a sheet with a folded corner and ruled, separated lines.
    m.polygon([(18, 22), (96, 22), (116, 42), (116, 128), (18, 128)], ink, white)
    m.polygon([(96, 22), (96, 42), (116, 42)], ink, rgb(220, 220, 220))
    for row in range(6):
        y = 52 + row * 12
        for left, right in ((26, 52), (58, 80), (86, 108)):
            m.rectangle(left, y, right, y + 5, grey, rgb(190, 200, 214) if row else navy)
    # The arrow between file and card file, both ways.
    m.polygon([(70, 138), (90, 138), (90, 150), (102, 150), (80, 172), (58, 150), (70, 150)],
              amber, yellow)
    # The card file.
    m.rectangle(30, 182, 130, 236, ink, rgb(236, 236, 226))
    m.rectangle(38, 174, 122, 190, ink, white)
    m.ellipse(70, 206, 90, 222, ink, navy)
    m.rectangle(44, 196, 66, 200, grey, grey)
    m.rectangle(94, 196, 116, 200, grey, grey)
    return m.bytes()


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/WizardPicture.wmf"
    with open(out, "wb") as f:
        f.write(picture())
