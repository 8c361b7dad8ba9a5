#!/usr/bin/env python3
"""Composes what the player shows for a skin, the way the player paints it,
and writes a PNG:

    python3 tools/skin-art/preview.py [--rc FILE] [--out FILE] [--scale N]
        [--time MM:SS] [--seek N] [--volume N] [--press KEY] [--repeat]
        [--inactive] [--title TEXT] [--crop L,T,R,B]

Time digits are drawn from the time font with the lighten blend, the seek
bar fills the grey-map pixels with level <= N from BackgroundImagePressed1,
the volume control shows frame N * Nb / 256, a pressed button shows its
press style. The title is drawn with a small pixel font standing in for the
system font (white with a black shadow). Transparent (magenta) pixels show a
desktop blue so the shape stands out.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True   # keep the source folder clean

import bmpio  # noqa: E402
import pixelfont

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_RC = os.path.normpath(os.path.join(HERE, "..", "..", "skins", "default", "ZantoPlay1.rc"))
DESKTOP = (58, 96, 140)
STYLES = {"DARKEN": 1, "BMP1": 2, "BMP2": 3, "BMP3": 4}


class Picture:
    def __init__(self, path):
        self.w, self.h, self.rgb = bmpio.read_bmp(path)

    def get(self, x, y):
        i = 3 * (y * self.w + x)
        return tuple(self.rgb[i:i + 3])

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h


def parse_rc(path):
    """The keys the painting needs: plain values and the button placements."""
    values, buttons = {}, {}
    with open(path, "rb") as f:
        text = f.read().decode("cp932")
    for line in text.splitlines():
        tokens = line.replace("\t", " ").split()
        if not tokens or tokens[0].startswith("#"):
            continue
        key = tokens[0].lower()
        if key.endswith("button") and key != "volumecontrolbutton":
            rect = [int(t) for t in tokens[1:5]]
            style = STYLES.get(tokens[6].upper(), 0) if len(tokens) > 6 else 0
            buttons.setdefault(key, []).append((rect, style))
        else:
            values[key] = tokens[1:]
    return values, buttons


class Screen:
    def __init__(self, background):
        self.w, self.h = background.w, background.h
        self.rgb = bytearray(background.rgb)

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rgb[3 * (y * self.w + x): 3 * (y * self.w + x) + 3] = bytes(c)

    def get(self, x, y):
        i = 3 * (y * self.w + x)
        return tuple(self.rgb[i:i + 3])

    def copy_rect(self, src, rect, sx=None, sy=None):
        x0, y0, x1, y1 = rect
        sx = x0 if sx is None else sx
        sy = y0 if sy is None else sy
        for y in range(y0, y1):
            for x in range(x0, x1):
                px, py = sx + x - x0, sy + y - y0
                if src.inside(px, py):
                    self.put(x, y, src.get(px, py))


def compose(args):
    folder = os.path.dirname(os.path.abspath(args.rc))
    values, buttons = parse_rc(args.rc)
    pic = lambda key: Picture(os.path.join(folder, values[key][0]))
    nums = lambda key: [int(v) for v in values[key]]
    background = pic("backgroundimage")
    face = pic("backgroundimageinactive") if args.inactive else background
    pressed = {i: pic("backgroundimagepressed%d" % i)
               for i in (1, 2, 3) if "backgroundimagepressed%d" % i in values}
    screen = Screen(face)

    def paint_button(rect, style):
        if style == 1:
            for y in range(rect[1], rect[3]):
                for x in range(rect[0], rect[2]):
                    screen.put(x, y, [v >> 1 for v in background.get(x, y)])
        elif style >= 2 and style - 1 in pressed:
            screen.copy_rect(pressed[style - 1], rect)

    if args.repeat:
        for rect, style in buttons.get("repeatbutton", []):
            paint_button(rect, style)

    if "volumecontrolimage" in values and values.get("volumecontroltype", [""])[0].upper() == "BMP":
        strip = pic("volumecontrolimage")
        rect = nums("volumecontrolbutton")
        nb, xsize = nums("volumecontrolimagenb")[0], nums("volumecontrolimagexsize")[0]
        frame = args.volume * nb // 256
        screen.copy_rect(strip, (rect[0], rect[1], rect[0] + xsize, rect[3]), frame * xsize, 0)

    if "seekimage" in values and 1 in pressed:
        seek = pic("seekimage")
        x0, y0, x1, y1 = nums("seekregion")
        for y in range(y0, y1):
            for x in range(x0, x1):
                r, g, b = seek.get(x, y)
                if r == g == b:
                    src = face if r > args.seek else pressed[1]
                    screen.put(x, y, src.get(x, y))

    if "timefontimage" in values and args.time:
        font = pic("timefontimage")
        gw, gh = nums("timefontsize")
        gap = nums("timefontspacing")[0] if "timefontspacing" in values else 0
        left, top = nums("mp3timewindow")[:2]
        mm, ss = args.time.split(":")
        cells = [int(mm[-2]), int(mm[-1]), 10, int(ss[-2]), int(ss[-1])]
        for k, cell in enumerate(cells):
            ox = left + k * (gw + gap)
            for y in range(gh):
                for x in range(gw):
                    g = font.get(cell * gw + x, y)
                    s = screen.get(ox + x, top + y)
                    screen.put(ox + x, top + y, [max(a, b) for a, b in zip(g, s)])

    if args.press:
        for rect, style in buttons.get(args.press.lower(), []):
            paint_button(rect, style)

    if "filenamewindow" in values and args.title:
        x0, y0, x1, y1 = nums("filenamewindow")
        top = y0 + max(0, (y1 - y0 - pixelfont.HEIGHT) // 2)
        for dx, dy, colour in ((1, 1, (0, 0, 0)), (0, 0, (255, 255, 255))):
            for px, py in pixelfont.text_pixels(args.title, x0 + 1 + dx, top + dy):
                if px < x1 - 1 and py < y1:
                    screen.put(px, py, colour)

    rgb = bytearray()
    for y in range(screen.h):
        for x in range(screen.w):
            c = screen.get(x, y)
            rgb += bytes(DESKTOP if background.get(x, y) == (255, 0, 255) else c)
    return screen.w, screen.h, rgb


def crop(w, rgb, rect):
    x0, y0, x1, y1 = rect
    out = bytearray()
    for y in range(y0, y1):
        out += rgb[3 * (y * w + x0): 3 * (y * w + x1)]
    return x1 - x0, y1 - y0, out


def scale_up(w, h, rgb, n):
    out = bytearray()
    for y in range(h):
        row = bytearray()
        for x in range(w):
            row += rgb[3 * (y * w + x): 3 * (y * w + x) + 3] * n
        out += row * n
    return w * n, h * n, out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--rc", default=DEFAULT_RC)
    ap.add_argument("--out", default=os.path.join(HERE, "preview.png"))
    ap.add_argument("--scale", type=int, default=1)
    ap.add_argument("--time", default="12:34")
    ap.add_argument("--seek", type=int, default=128)
    ap.add_argument("--volume", type=int, default=128)
    ap.add_argument("--press", default="PlayButton")
    ap.add_argument("--repeat", action="store_true")
    ap.add_argument("--inactive", action="store_true")
    ap.add_argument("--title", default="3. SAMPLE TRACK TITLE")
    ap.add_argument("--crop", help="left,top,right,bottom of the part to show")
    args = ap.parse_args()
    w, h, rgb = compose(args)
    if args.crop:
        w, h, rgb = crop(w, rgb, [int(v) for v in args.crop.split(",")])
    if args.scale > 1:
        w, h, rgb = scale_up(w, h, rgb, args.scale)
    bmpio.write_png(args.out, w, h, rgb)
    print("wrote %s" % args.out)


if __name__ == "__main__":
    main()
