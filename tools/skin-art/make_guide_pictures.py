#!/usr/bin/env python3
"""Draws the pictures of docs/skinning.md from the shipped skins, so the guide
cannot drift from them: the backgrounds with every rectangle of their resource
files drawn on, the default skin's grey maps beside its background, and the
time fonts with their cells numbered.

    python3 tools/skin-art/make_guide_pictures.py [output folder]
"""

import os
import sys

sys.dont_write_bytecode = True   # keep the source folder clean

import bmpio  # noqa: E402
import pixelfont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DEFAULT_OUT = os.path.join(ROOT, "docs", "skinning")
SCALE = 2

BUTTON_KEYS = ["CloseButton", "MinimizeButton", "AboutButton", "OpenFileButton", "StopButton",
               "PlayButton", "RewindButton", "ForwardButton", "PreviousSongButton",
               "NextSongButton", "PauseButton", "PreferencesButton", "EqualizerButton",
               "EqualizerResetButton", "EqualizerOnButton", "EqualizerOffButton",
               "RepeatButton"]
# What each kind of rectangle is outlined with.
COLOURS = {"button": (255, 230, 0), "SeekRegion": (0, 230, 255),
           "VolumeControlButton": (0, 255, 90), "MP3TimeWindow": (255, 90, 200),
           "FilenameWindow": (255, 140, 0), "lamp": (190, 130, 255)}
LAMP_KEYS = ["ShuffleLamp", "RepeatLamp", "RepeatOneLamp", "IntroLamp", "MuteLamp"]


class Picture:
    """An RGB picture as rows of (r, g, b) tuples."""

    def __init__(self, w, h, colour=(255, 255, 255)):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    @staticmethod
    def from_bmp(path):
        w, h, rgb = bmpio.read_bmp(path)
        pic = Picture(w, h)
        for y in range(h):
            pic.px[y] = [tuple(rgb[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)]
        return pic

    def scaled(self, s):
        out = Picture(self.w * s, self.h * s)
        for y in range(out.h):
            out.px[y] = [self.px[y // s][x // s] for x in range(out.w)]
        return out

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def paste(self, src, ox, oy):
        for y in range(src.h):
            for x in range(src.w):
                self.put(ox + x, oy + y, src.px[y][x])

    def outline(self, rect, c):
        x0, y0, x1, y1 = rect
        for x in range(x0, x1):
            self.put(x, y0, c)
            self.put(x, y1 - 1, c)
        for y in range(y0, y1):
            self.put(x0, y, c)
            self.put(x1 - 1, y, c)

    def text(self, s, x0, y0, c, shadow=(0, 0, 0)):
        for x, y in pixelfont.text_pixels(s, x0 + 1, y0 + 1):
            self.put(x, y, shadow)
        for x, y in pixelfont.text_pixels(s, x0, y0):
            self.put(x, y, c)

    def save(self, path):
        rgb = bytearray(b for row in self.px for p in row for b in p)
        bmpio.write_png(path, self.w, self.h, rgb)


def read_rc(path):
    """(key, values) per line, keys as the shipped files spell them."""
    with open(path, "rb") as f:
        lines = f.read().decode("cp932").splitlines()
    return [(line.split()[0], line.split()[1:]) for line in lines if line.split()]


def annotated(folder, rc_name, out_path):
    """The background at twice its size with each rectangle outlined; buttons
    carry their index (the number in the guide's key table)."""
    rc = read_rc(os.path.join(folder, rc_name))
    values = dict(rc)
    pic = Picture.from_bmp(os.path.join(folder, values["BackgroundImage"][0])).scaled(SCALE)
    for key, v in rc:
        if key in BUTTON_KEYS:
            colour, label = COLOURS["button"], str(BUTTON_KEYS.index(key))
        elif key in COLOURS:
            colour, label = COLOURS[key], ""
        elif key in LAMP_KEYS:
            colour, label = COLOURS["lamp"], ""
        else:
            continue
        rect = [int(n) * SCALE for n in v[:4]]
        pic.outline(rect, colour)
        pic.text(label, rect[0] + 2, rect[1] + 2, colour)
    pic.save(out_path)


def grey_maps(folder, rc_name, out_path):
    """Background, seek map and volume map side by side."""
    values = dict(read_rc(os.path.join(folder, rc_name)))
    names = [values[k][0] for k in ("BackgroundImage", "SeekImage", "VolumeControlImagePosition")]
    pics = [Picture.from_bmp(os.path.join(folder, n)) for n in names]
    gap = 8
    out = Picture(sum(p.w for p in pics) + gap * (len(pics) - 1), pics[0].h)
    x = 0
    for p in pics:
        out.paste(p, x, 0)
        x += p.w + gap
    out.save(out_path)


def time_font(folder, rc_name, out_path, scale):
    """The time font enlarged, a grid between its cells and each cell's number above."""
    values = dict(read_rc(os.path.join(folder, rc_name)))
    cell_w = int(values["TimeFontSize"][0])
    font = Picture.from_bmp(os.path.join(folder, values["TimeFontImage"][0])).scaled(scale)
    label_h = 11
    out = Picture(font.w, font.h + label_h, (40, 40, 40))
    out.paste(font, 0, label_h)
    for cell in range(font.w // (cell_w * scale)):
        x0 = cell * cell_w * scale
        out.text(str(cell), x0 + 2, 2, (255, 230, 0))
        for y in range(out.h):
            out.put(x0, y, (255, 230, 0))
    out.save(out_path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)
    default = os.path.join(ROOT, "skins", "default")
    perch = os.path.join(ROOT, "skins", "perch")
    annotated(default, "ZantoPlay1.rc", os.path.join(out, "default_rectangles.png"))
    annotated(perch, "Perch.rc", os.path.join(out, "perch_rectangles.png"))
    grey_maps(default, "ZantoPlay1.rc", os.path.join(out, "default_grey_maps.png"))
    time_font(default, "ZantoPlay1.rc", os.path.join(out, "default_time_font.png"), 2)
    time_font(perch, "Perch.rc", os.path.join(out, "perch_time_font.png"), 4)
    print("wrote %s" % out)


if __name__ == "__main__":
    main()
