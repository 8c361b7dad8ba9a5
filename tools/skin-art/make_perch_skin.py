#!/usr/bin/env python3
"""Draws the second skin ("Perch"), a small cat made to sit on a window's
title bar, and writes it into skins/perch/: Perch.rc and its BMP pictures.
Standard library only; the output is the same byte for byte on every run.

    python3 tools/skin-art/make_perch_skin.py [output folder]

The cat's paws hang over the title bar (OsuwariBaseLine); its ears close and
minimise the player, its paws play and stop, its nose pauses, its cheeks step
between tracks, and the time shows on its belly. While another window is
active it sleeps (eyes shut).
"""

import os
import sys

sys.dont_write_bytecode = True   # keep the source folder clean

import bmpio  # noqa: E402
import pixelfont
from raster import Canvas, capsule, circle, polygon, rbox, vertical

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "skins", "perch"))

MAGENTA = (255, 0, 255)

# Every rectangle is left, top, right, bottom in window pixels (right and
# bottom exclusive). The pictures and the resource file both come from here.
W, H = 112, 100
OSUWARI_BASELINE = 90                # the paws' lowest rows cover the title bar
HEAD = (56, 34, 27)                  # centre and radius
BODY = (24, 44, 88, 94, 24)
EARS = {"MinimizeButton": [(33, 22), (30, 0), (50, 12)],
        "CloseButton": [(79, 22), (82, 0), (62, 12)]}
PAWS = {"PlayButton": (26, 82, 50, 100), "StopButton": (62, 82, 86, 100)}
NOSE = (52, 38, 60, 45)
CHEEKS = {"PreviousSongButton": (31, 36, 45, 48), "NextSongButton": (67, 36, 81, 48)}
GLYPH_W, GLYPH_H, GLYPH_GAP = 6, 9, 1
LCD = (34, 58, 78, 74, 4)
TIME = (40, 61, 40 + 5 * GLYPH_W + 4 * GLYPH_GAP, 61 + GLYPH_H)
SIGN_W = 3                           # the minus of a remaining time, left of the digits
# Lamps: five beads on the belly under the time, lit while their mode is on.
LAMPS = [   # key, picture, tooltip
    ("ShuffleLamp", "perch_lamp_shuffle.bmp", "シャッフル"),
    ("RepeatLamp", "perch_lamp_repeat.bmp", "リピート"),
    ("RepeatOneLamp", "perch_lamp_one.bmp", "1曲リピート"),
    ("IntroLamp", "perch_lamp_intro.bmp", "イントロスキャン"),
    ("MuteLamp", "perch_lamp_mute.bmp", "ミュート"),
]
LAMP_RECTS = {key: (37 + 8 * i, 75, 44 + 8 * i, 82) for i, (key, _f, _t) in enumerate(LAMPS)}

FUR = (236, 168, 92)
FUR_DARK = (196, 122, 58)
CREAM = (252, 232, 200)
INK = (60, 36, 24)
LCD_BACK = (40, 52, 44)
LCD_INK = (170, 255, 190)

BUTTONS = [   # key, rectangle, tooltip, press style
    ("CloseButton", (62, 0, 84, 22), "閉じる", "DARKEN"),
    ("MinimizeButton", (28, 0, 50, 22), "最小化", "DARKEN"),
    ("StopButton", PAWS["StopButton"], "停止", "DARKEN"),
    ("PlayButton", PAWS["PlayButton"], "再生", "DARKEN"),
    ("PreviousSongButton", CHEEKS["PreviousSongButton"], "前の曲", "DARKEN"),
    ("NextSongButton", CHEEKS["NextSongButton"], "次の曲", "DARKEN"),
    ("PauseButton", NOSE, "一時停止", "DARKEN"),
]


def silhouette():
    cx, cy, r = HEAD
    shape = circle(cx, cy, r) | rbox(*BODY)
    for pts in EARS.values():
        shape = shape | polygon(pts)
    for rect in PAWS.values():
        shape = shape | rbox(rect[0], rect[1], rect[2], rect[3], 7)
    return shape | capsule(88, 86, 106, 60, 4)


def draw(asleep, lit=()):
    cv = Canvas(W, H, MAGENTA)
    cat = silhouette()
    cv.fill(cat, vertical(0, H, [(0.0, FUR), (1.0, FUR_DARK)]), hard=True)
    for pts in EARS.values():
        inner = [(x + (56 - x) * 0.25, y + 4) for x, y in pts]
        cv.fill(polygon(inner), (240, 150, 150))
    cv.fill(rbox(30, 48, 82, 92, 18), CREAM)
    for rect in PAWS.values():
        cv.fill(rbox(rect[0] + 2, rect[1] + 8, rect[2] - 2, rect[3] - 1, 5), CREAM)
        for i in (1, 2):
            x = rect[0] + (rect[2] - rect[0]) * i / 3.0
            cv.fill(capsule(x, rect[3] - 7, x, rect[3] - 3, 0.6), FUR_DARK)
    for ex in (45, 67):
        if asleep:
            cv.fill(capsule(ex - 4, 30, ex + 4, 30, 1.0), INK)
        else:
            cv.fill(circle(ex, 29, 4.5), INK)
            cv.fill(circle(ex + 1.5, 27.5, 1.4), (255, 255, 255))
    cv.fill(polygon([(52, 38), (60, 38), (56, 43)]), (200, 90, 100))
    for side in (-1, 1):
        for dy in (-2, 2):
            cv.fill(capsule(56 + side * 10, 42 + dy * 0.5, 56 + side * 24, 40 + dy * 2, 0.5),
                    INK, alpha=0.7)
    cv.fill(rbox(*LCD), LCD_BACK)
    for key, _file, _tip in LAMPS:
        x0, y0, x1, y1 = LAMP_RECTS[key]
        bead = circle((x0 + x1) / 2.0, (y0 + y1) / 2.0, 2.2)
        if key in lit:
            cv.glow(bead, (90, 200, 120), 1.2, 0.3, inside=False)
            cv.fill(bead, LCD_INK)
        else:
            cv.fill(bead, FUR_DARK)
    return cv


def lamp_strip(key):
    """Two frames side by side: the bead off (as on the face), then lit."""
    x0, y0, x1, y1 = LAMP_RECTS[key]
    fw, fh = x1 - x0, y1 - y0
    strip = Canvas(2 * fw, fh, (0, 0, 0))
    for k, lit in enumerate(((), (key,))):
        face = draw(False, lit)
        for y in range(fh):
            for x in range(fw):
                strip.px[y * 2 * fw + k * fw + x] = face.px[(y0 + y) * W + x0 + x][:]
    return strip


def time_sign():
    cv = Canvas(SIGN_W, GLYPH_H, (0, 0, 0))
    for x in range(SIGN_W):
        cv.put(x, 4, LCD_INK)
    return cv


def time_font():
    """Twelve cells: the digits 0 to 9, the separator lit, the separator dark.
    In the mouth-animation mode cells 0 to 9 are also the frames."""
    cv = Canvas(12 * GLYPH_W, GLYPH_H, (0, 0, 0))
    for cell in range(12):
        ox = cell * GLYPH_W
        if cell < 10:
            for x, y in pixelfont.glyph_pixels(str(cell)):
                cv.put(ox + x, 1 + y, LCD_INK)
        elif cell == 10:
            for y in (3, 6):
                cv.put(ox + 2, y, LCD_INK)
    return cv


def rc_text():
    def rect(r):
        return "%d %d %d %d" % tuple(r)
    lines = [
        "# Zanto Player skin \"Perch\": a cat that sits on the title bar.",
        "# Generated by tools/skin-art/make_perch_skin.py; edit that script, not this file.",
        "About Perch - タイトルバーに座る猫のスキン",
        "About 耳で閉じる・最小化、前足で再生・停止、鼻で一時停止、頬で前後の曲。",
        "# OsuwariBaseLine %d" % OSUWARI_BASELINE,
        "",
        "BackgroundImage perch.bmp",
        "BackgroundImageInactive perch_asleep.bmp",
        "",
        "TimeFontImage perch_time.bmp",
        "TimeFontSize %d %d" % (GLYPH_W, GLYPH_H),
        "TimeFontSpacing %d" % GLYPH_GAP,
        "TimeFontTransparent 1",
        "MP3TimeWindow %s" % rect(TIME),
        "TimeRemainingImage perch_minus.bmp",
        "",
    ]
    for key, picture, tip in LAMPS:
        lines.append("%s %s %s" % (key, rect(LAMP_RECTS[key]), tip))
        lines.append("%sImage %s" % (key, picture))
    lines.append("")
    for key, r, tip, style in BUTTONS:
        lines.append("%s %s %s %s" % (key, rect(r), tip, style))
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    for line in data.split(b"\r\n"):
        assert len(line) < 256, line
    return data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)
    for name, asleep in (("perch.bmp", False), ("perch_asleep.bmp", True)):
        bmpio.write_bmp(os.path.join(out, name), W, H, draw(asleep).to_bytes_rgb())
    font = time_font()
    bmpio.write_bmp(os.path.join(out, "perch_time.bmp"), font.w, font.h, font.to_bytes_rgb())
    sign = time_sign()
    bmpio.write_bmp(os.path.join(out, "perch_minus.bmp"), sign.w, sign.h, sign.to_bytes_rgb())
    for key, picture, _tip in LAMPS:
        strip = lamp_strip(key)
        bmpio.write_bmp(os.path.join(out, picture), strip.w, strip.h, strip.to_bytes_rgb())
    with open(os.path.join(out, "Perch.rc"), "wb") as f:
        f.write(rc_text())
    print("wrote %s" % out)


if __name__ == "__main__":
    main()
