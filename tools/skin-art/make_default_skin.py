#!/usr/bin/env python3
"""Draws the default skin ("Graphite") and writes it into skins/default/:
ZantoPlay1.rc and its BMP pictures. Standard library only; the output is the
same byte for byte on every run.

    python3 tools/skin-art/make_default_skin.py [output folder]

The face is a dark graphite body with a round control disc on its left: the
disc's centre plays, its four pads stop, pause and step between tracks. The
body holds the window buttons, an inset LCD panel (time, title, volume
wedge), the seek groove and a row of keys (tray, repeat, settings).
"""

import math
import os
import sys

sys.dont_write_bytecode = True   # keep the source folder clean

import bmpio  # noqa: E402
import pixelfont
from raster import (Canvas, capsule, circle, clamp, hash01, mix, polygon, rbox, ring,
                    smoothstep, vertical, Shape)

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "skins", "default"))

MAGENTA = (255, 0, 255)
NOT_GREY = (255, 0, 0)   # pixels of the grey maps that belong to no control

# ---------------------------------------------------------------- layout
# Every rectangle is left, top, right, bottom in window pixels (right and
# bottom exclusive). The pictures and the resource file both come from here.

W, H = 380, 124
CX, CY, DISC_R = 62, 62, 60          # the control disc
BODY = (56, 8, 378, 118, 20)         # the body: rounded rectangle + radius
PAD_R0, PAD_R1 = 26.5, 49.5          # ring of the four pads
PLAY_R = 24                          # the centre button

PANEL = (128, 32, 370, 80, 6)        # inset LCD panel
GLYPH_W, GLYPH_H, GLYPH_GAP = 14, 24, 2
TIME = (138, 44, 138 + 5 * GLYPH_W + 4 * GLYPH_GAP, 44 + GLYPH_H)
TEXT = (232, 38, 364, 53)            # title line: a 14-pixel system font

VOL_BARS, VOL_BAR_W, VOL_BAR_GAP, VOL_MUTE_W = 16, 4, 2, 8
VOL = (258, 59, 258 + VOL_MUTE_W + VOL_BARS * (VOL_BAR_W + VOL_BAR_GAP), 73)
VOL_FRAMES = VOL_BARS + 1            # frame k lights k bars

SEEK_Y, SEEK_X0, SEEK_X1 = 89, 134, 364   # axis of the seek groove
SEEK_GROOVE_R, SEEK_FILL_R = 4.5, 3.0
SEEK = (129, 84, 369, 94)

KEY_Y0, KEY_Y1 = 98, 112
KEYS = {   # key faces (left, right)
    "OpenFileButton": (132, 168),
    "RepeatButton": (174, 210),
    "PreferencesButton": (216, 252),
}
GRILLE = (262, 99, 364, 111)

# Lamps: LCD labels in a row under the digits, lit while their mode is on;
# each rectangle holds its label and a pixel of margin.
LAMP_Y = 70
LAMPS = [   # key, label, tooltip
    ("ShuffleLamp", "SHUF", "シャッフル"),
    ("RepeatLamp", "RPT", "リピート"),
    ("RepeatOneLamp", "ONE", "1曲リピート"),
    ("IntroLamp", "INTRO", "イントロスキャン"),
    ("MuteLamp", "MUTE", "ミュート"),
]
SMALL_GLYPHS = {   # 3 x 5 capitals for the lamp labels
    "S": "### #.. ### ..# ###", "H": "#.# #.# ### #.# #.#", "U": "#.# #.# #.# #.# ###",
    "F": "### #.. ##. #.. #..", "R": "##. #.# ##. #.# #.#", "P": "##. #.# ##. #.. #..",
    "T": "### .#. .#. .#. .#.", "O": "### #.# #.# #.# ###", "N": "##. #.# #.# #.# #.#",
    "E": "### #.. ##. #.. ###", "I": "### .#. .#. .#. ###", "M": "#.# ### ### #.# #.#",
}


def lamp_rects():
    rects, x = {}, TIME[0] - 1
    for key, label, _tip in LAMPS:
        w = 4 * len(label) - 1 + 2
        rects[key] = (x, LAMP_Y, x + w, LAMP_Y + 7)
        x += w + 1
    return rects


LAMP_RECTS = lamp_rects()
# The remaining-time sign: a minus as tall as the digits, left of them.
SIGN_W = 6

CAPTION_Y = 19.5
CAPTION = {   # centres of the round window buttons
    "AboutButton": 319.5,
    "MinimizeButton": 336.5,
    "CloseButton": 353.5,
}
CAPTION_R = 6.5

PADS = {   # the disc's pads: direction from the centre
    "StopButton": (0, -1),
    "PauseButton": (0, 1),
    "PreviousSongButton": (-1, 0),
    "NextSongButton": (1, 0),
}
PAD_ICON_R = 38


def pad_rect(direction):
    dx, dy = direction
    lo, hi = int(CX - PAD_R1) + 1, int(CX - PAD_R0) + 1   # 13 .. 36 along the axis
    if dy < 0:
        return (CX - 14, lo - 1, CX + 14, hi + 1)
    if dy > 0:
        return (CX - 14, 2 * CY - hi - 1, CX + 14, 2 * CY - lo + 1)
    if dx < 0:
        return (lo - 1, CY - 14, hi + 1, CY + 14)
    return (2 * CX - hi - 1, CY - 14, 2 * CX - lo + 1, CY + 14)


def caption_rect(cx):
    r = CAPTION_R + 0.6   # the face and its dark rim
    return (math.floor(cx - r), math.floor(CAPTION_Y - r),
            math.ceil(cx + r), math.ceil(CAPTION_Y + r))


def key_rect(name):
    x0, x1 = KEYS[name]
    return (x0 + 1, KEY_Y0 + 1, x1 - 1, KEY_Y1 - 1)   # DARKEN leaves the rim lit


# Button placements: key, rectangle, tooltip (Shift-JIS in the file), style.
BUTTONS = [
    ("CloseButton", caption_rect(CAPTION["CloseButton"]), "閉じる", "BMP2"),
    ("MinimizeButton", caption_rect(CAPTION["MinimizeButton"]), "最小化", "BMP2"),
    ("AboutButton", caption_rect(CAPTION["AboutButton"]), "バージョン情報", "BMP2"),
    ("OpenFileButton", key_rect("OpenFileButton"), "トレイの開閉", "DARKEN"),
    ("StopButton", pad_rect(PADS["StopButton"]), "停止", "BMP1"),
    ("PlayButton", (CX - PLAY_R, CY - PLAY_R, CX + PLAY_R, CY + PLAY_R), "再生", "BMP1"),
    ("PreviousSongButton", pad_rect(PADS["PreviousSongButton"]), "前の曲", "BMP1"),
    ("NextSongButton", pad_rect(PADS["NextSongButton"]), "次の曲", "BMP1"),
    ("PauseButton", pad_rect(PADS["PauseButton"]), "一時停止", "BMP1"),
    ("PreferencesButton", key_rect("PreferencesButton"), "設定", "DARKEN"),
    ("RepeatButton", (KEYS["RepeatButton"][0], KEY_Y0, KEYS["RepeatButton"][1], KEY_Y1),
     "リピート", "BMP2"),
]

OSUWARI_BASELINE = 112   # the body's lowest rows rest on a title bar

FILES = {
    "background": "main.bmp",
    "inactive": "main_inactive.bmp",
    "pressed1": "main_pressed.bmp",
    "pressed2": "main_pressed2.bmp",
    "time_font": "time_font.bmp",
    "volume_strip": "volume.bmp",
    "volume_map": "volume_map.bmp",
    "seek_map": "seek_map.bmp",
    "time_sign": "time_minus.bmp",
}
LAMP_FILES = {key: "lamp_%s.bmp" % label.lower() for key, label, _tip in LAMPS}

# ---------------------------------------------------------------- colours

OUTLINE = (7, 8, 11)
ICON = (196, 204, 215)
CYAN = (112, 236, 255)
CYAN_DEEP = (24, 150, 190)
LCD_TOP, LCD_BOTTOM = (5, 15, 20), (10, 31, 38)
LCD_INK = (150, 246, 255)
LCD_GHOST = (15, 42, 49)

# ---------------------------------------------------------------- shapes

DISC = circle(CX, CY, DISC_R)
BODY_SHAPE = rbox(*BODY)
SILHOUETTE = DISC | BODY_SHAPE
PANEL_SHAPE = rbox(*PANEL)


def wedge(direction):
    """The quarter of the plane around the disc centre that a pad covers."""
    dx, dy = direction
    s = math.sqrt(0.5)
    if dy:
        d = lambda x, y: (abs(x - CX) + dy * (CY - y)) * s
    else:
        d = lambda x, y: (abs(y - CY) + dx * (CX - x)) * s
    return Shape(d, (0, 0, W, H))


def pad_shape(direction):
    return ring(CX, CY, PAD_R0, PAD_R1) & wedge(direction).grow(-1.2)


def seek_fill_shape():
    return capsule(SEEK_X0, SEEK_Y, SEEK_X1, SEEK_Y, SEEK_FILL_R)


# ---------------------------------------------------------------- painting

class Look:
    """What to draw in which state."""

    def __init__(self, pressed=(), seek_filled=False, volume=0, lamps=()):
        self.pressed = set(pressed)
        self.lamps = set(lamps)
        self.seek_filled = seek_filled
        self.volume = volume


def grain(x, y, amount):
    """Fine horizontal brushing: a factor around 1."""
    return 1.0 + amount * (hash01(int(x) // 5, int(y), 3) - 0.5) + \
        amount * 0.6 * (hash01(int(x), int(y), 4) - 0.5)


def scaled(c, f):
    return (c[0] * f, c[1] * f, c[2] * f)


def draw_body(cv):
    grad = vertical(BODY[1], BODY[3], [(0.0, (90, 98, 111)), (0.12, (66, 72, 83)),
                                       (0.55, (44, 49, 57)), (1.0, (25, 28, 34))])
    cv.fill(BODY_SHAPE, lambda x, y: scaled(grad(x, y), grain(x, y, 0.05)))
    # A lit upper rim and a faint lower one give the slab its thickness.
    rim = BODY_SHAPE - BODY_SHAPE.grow(-1.6)
    cv.fill(rim, lambda x, y: ((235, 240, 248), 0.45 * clamp((48 - y) / 36)))
    cv.fill(rim, lambda x, y: ((120, 130, 145), 0.25 * clamp((y - 90) / 20)))
    # The disc casts a soft shadow onto the body.
    shadow = circle(CX + 2, CY + 3, DISC_R)
    cv.shade(shadow.grow(14) & BODY_SHAPE,
             lambda x, y, d: 1.0 - 0.55 * math.exp(-max(d, 0.0) / 4.0) if d > -2 else 1.0)


def bezel_paint(x, y):
    a = math.atan2(y - CY, x - CX)
    v = 0.66 + 0.15 * math.cos(2 * a + 0.9) + 0.06 * math.cos(6 * a + 0.3)
    v += 0.05 * (hash01(int((a + math.pi) * 160), 0, 7) - 0.5)
    v += -0.07 * (y - CY) / DISC_R
    v = clamp(v, 0.2, 1.0)
    return (v * 226, v * 231, v * 238)


def draw_disc(cv, look):
    cv.fill(DISC, OUTLINE)
    cv.fill(circle(CX, CY, DISC_R - 1.3), bezel_paint)
    # Bevel of the bezel: bright outer lip at the top, groove at its inner edge.
    lip = ring(CX, CY, DISC_R - 2.6, DISC_R - 1.3)
    cv.fill(lip, lambda x, y: ((255, 255, 255), 0.5 * clamp((CY - y) / DISC_R + 0.2)))
    cv.fill(circle(CX, CY, PAD_R1 + 1.6), (20, 22, 27))
    cv.fill(ring(CX, CY, PAD_R1 + 0.6, PAD_R1 + 1.6),
            lambda x, y: ((230, 236, 244), 0.35 * clamp((y - CY) / 40)))

    # The pad ring: dark glossy plastic lit from the upper left.
    pad_grad = vertical(CY - PAD_R1, CY + PAD_R1, [(0.0, (74, 81, 93)), (1.0, (30, 34, 41))])

    def pad_paint(x, y):
        c = pad_grad(x, y)
        sheen = 26 * math.exp(-((x - CX + 18) ** 2 + (y - CY + 24) ** 2) / 380.0)
        return (c[0] + sheen, c[1] + sheen, c[2] + sheen)
    cv.fill(circle(CX, CY, PAD_R1), pad_paint)
    for k in range(4):
        a = math.pi / 4 + k * math.pi / 2
        ux, uy = math.cos(a), math.sin(a)
        p0 = (CX + ux * (PAD_R0 + 1), CY + uy * (PAD_R0 + 1))
        p1 = (CX + ux * (PAD_R1 - 0.5), CY + uy * (PAD_R1 - 0.5))
        cv.fill(capsule(p0[0], p0[1], p1[0], p1[1], 0.75), (12, 14, 17))
        cv.fill(capsule(p0[0], p0[1] + 1.2, p1[0], p1[1] + 1.2, 0.45), (150, 160, 175), 0.22)

    for name, direction in PADS.items():
        pressed = name in look.pressed
        if pressed:
            # A soft pool of shade around the icon that fades out well inside
            # the button's rectangle, so the copied rectangle leaves no seam.
            ix, iy = CX + direction[0] * PAD_ICON_R, CY + direction[1] * PAD_ICON_R
            pool = circle(ix, iy, 11.5) & pad_shape(direction)
            cv.shade(pool, lambda x, y, d: 1.0 - 0.5 * smoothstep(11.5, 4.0, math.hypot(x - ix, y - iy))
                     * clamp(0.5 - d))
            cv.glow(circle(ix, iy, 3), (20, 110, 140), 3.0, 0.10)
        draw_pad_icon(cv, name, direction, pressed)

    # The recess around the centre button, then the button itself.
    cv.fill(circle(CX, CY, PAD_R0), (10, 12, 15))
    cv.fill(ring(CX, CY, PAD_R0 - 1.0, PAD_R0),
            lambda x, y: ((200, 210, 225), 0.3 * clamp((y - CY) / PAD_R0)))
    draw_play(cv, "PlayButton" in look.pressed)


def draw_pad_icon(cv, name, direction, pressed):
    dx, dy = direction
    ix, iy = CX + dx * PAD_ICON_R, CY + dy * PAD_ICON_R + (0.6 if pressed else 0)
    shapes = []
    if name == "StopButton":
        shapes.append(rbox(ix - 4.5, iy - 4.5, ix + 4.5, iy + 4.5, 1.2))
    elif name == "PauseButton":
        shapes.append(rbox(ix - 5, iy - 5, ix - 1.6, iy + 5, 1.0))
        shapes.append(rbox(ix + 1.6, iy - 5, ix + 5, iy + 5, 1.0))
    else:
        flip = -1 if name == "PreviousSongButton" else 1
        tip, back = ix + flip * 3.5, ix - flip * 4.0
        shapes.append(polygon([(back, iy - 5.2), (tip, iy), (back, iy + 5.2)]))
        bar = ix + flip * 5.2
        shapes.append(rbox(bar - 1.1, iy - 5.2, bar + 1.1, iy + 5.2, 0.8))
    for sh in shapes:
        if pressed:
            cv.glow(sh, CYAN, 1.6, 0.22, inside=False)
            cv.fill(sh, (205, 252, 255))
        else:
            cv.fill(sh.shift(0, 1), (10, 11, 14), 0.6)
            cv.fill(sh, ICON)


def draw_play(cv, pressed):
    face = circle(CX, CY, PLAY_R)
    if pressed:
        grad = vertical(CY - PLAY_R, CY + PLAY_R, [(0.0, (26, 31, 38)), (1.0, (56, 64, 76))])
    else:
        grad = vertical(CY - PLAY_R, CY + PLAY_R, [(0.0, (108, 118, 133)), (0.5, (64, 71, 82)),
                                                   (1.0, (36, 40, 48))])
    cv.fill(face, grad)
    if not pressed:
        # Specular highlight on the upper half of the dome.
        spec = circle(CX, CY - 9, 17) & circle(CX, CY, PLAY_R - 2.5)
        cv.fill(spec, lambda x, y: ((255, 255, 255), 0.16 * clamp((CY - 2 - y) / 14)))
    cv.fill(ring(CX, CY, PLAY_R - 1.2, PLAY_R), (14, 16, 20), 0.8)
    dy = 0.7 if pressed else 0.0
    tri = polygon([(CX - 6.5, CY - 10 + dy), (CX + 11, CY + dy), (CX - 6.5, CY + 10 + dy)])
    tri = tri.grow(-0.6).grow(0.6)   # keeps the corners crisp yet not spiky
    if pressed:
        cv.glow(tri, CYAN, 3.0, 0.35, inside=False)
        cv.fill(tri, (215, 253, 255))
    else:
        cv.glow(tri, CYAN_DEEP, 2.2, 0.18, inside=False)
        cv.fill(tri.shift(0, 1), (8, 10, 12), 0.5)
        cv.fill(tri, vertical(CY - 10, CY + 10, [(0.0, (160, 246, 255)), (1.0, (60, 200, 230))]))


def draw_caption(cv, look):
    # Engraved lettering: a dark cut with a lit lower edge.
    x, y = 134, 15
    for px, py in pixelfont.text_pixels("ZANTO", x, y, advance=7):
        cv.fill(rbox(px, py + 1, px + 1, py + 2, 0), (14, 16, 20), 0.7)
    for px, py in pixelfont.text_pixels("ZANTO", x, y, advance=7):
        cv.fill(rbox(px, py, px + 1, py + 1, 0), (178, 186, 198))
    x2 = x + pixelfont.text_width("ZANTO", advance=7) + 6
    for px, py in pixelfont.text_pixels("PLAYER", x2, y):
        cv.fill(rbox(px, py, px + 1, py + 1, 0), (62, 158, 182), 0.9)
    for name, cx in CAPTION.items():
        draw_caption_button(cv, name, cx, name in look.pressed)


def draw_caption_button(cv, name, cx, pressed):
    cy = CAPTION_Y
    cv.fill(circle(cx, cy + 0.8, CAPTION_R + 0.6), (230, 236, 244), 0.18)   # lit lip below
    cv.fill(circle(cx, cy, CAPTION_R + 0.6), OUTLINE)
    if pressed and name == "CloseButton":
        stops = [(0.0, (250, 120, 105)), (1.0, (165, 32, 30))]
    elif pressed:
        stops = [(0.0, (150, 240, 255)), (1.0, (20, 125, 165))]
    else:
        stops = [(0.0, (104, 112, 126)), (1.0, (46, 51, 60))]
    cv.fill(circle(cx, cy, CAPTION_R - 0.4), vertical(cy - CAPTION_R, cy + CAPTION_R, stops))
    if not pressed:
        cv.fill(circle(cx, cy - 2.6, 3.6) & circle(cx, cy, CAPTION_R - 1.4), (255, 255, 255), 0.12)
    ink = (255, 255, 255) if pressed else (206, 213, 223)
    off = 0.5 if pressed else 0.0
    if name == "CloseButton":
        marks = [capsule(cx - 2.4, cy - 2.4 + off, cx + 2.4, cy + 2.4 + off, 0.85),
                 capsule(cx - 2.4, cy + 2.4 + off, cx + 2.4, cy - 2.4 + off, 0.85)]
    elif name == "MinimizeButton":
        marks = [capsule(cx - 2.6, cy + 1.2 + off, cx + 2.6, cy + 1.2 + off, 0.9)]
    else:
        marks = [circle(cx, cy - 2.7 + off, 1.0),
                 capsule(cx, cy - 0.4 + off, cx, cy + 2.9 + off, 0.85)]
    for m in marks:
        cv.fill(m, ink)


def draw_panel(cv, look):
    x0, y0, x1, y1, r = PANEL
    # Bevel: dark above, lit below, as if cut into the body.
    cv.fill(rbox(x0 - 1, y0 - 1, x1 + 1, y1 + 1.6, r + 1), (235, 240, 248), 0.16)
    cv.fill(rbox(x0 - 1, y0 - 1.3, x1 + 1, y1 + 0.6, r + 1), (10, 12, 15), 0.9)
    cv.fill(PANEL_SHAPE, lcd_paint)
    # Inner shadow along the top and left edges.
    inner = PANEL_SHAPE.shift(1.0, 2.2)
    cv.shade(PANEL_SHAPE, lambda x, y, d: 1.0 - 0.55 * smoothstep(-2.5, 1.0, inner.d(x, y))
             if d < 0.5 else 1.0)
    # Faint glass reflection over the upper left.
    glass = PANEL_SHAPE & Shape(lambda x, y: (y - 52) + (x - 128) * 0.12, PANEL_SHAPE.bbox)
    cv.fill(glass, (200, 240, 255), 0.035)
    cv.fill(capsule(225.5, 38, 225.5, 74, 0.5), (40, 100, 115), 0.45)
    for px, py in pixelfont.text_pixels("VOL", 232, 63):
        cv.fill(rbox(px, py, px + 1, py + 1, 0), (50, 150, 172), 0.9)
    draw_volume(cv, look.volume)
    draw_lamps(cv, look.lamps)


def draw_lamps(cv, lit):
    for key, label, _tip in LAMPS:
        x0, y0 = LAMP_RECTS[key][0] + 1, LAMP_RECTS[key][1] + 1
        on = key in lit
        for i, ch in enumerate(label):
            rows = SMALL_GLYPHS[ch].split()
            for gy, row in enumerate(rows):
                for gx, c in enumerate(row):
                    if c != "#":
                        continue
                    px, py = x0 + 4 * i + gx, y0 + gy
                    dot = rbox(px, py, px + 1, py + 1, 0)
                    if on:
                        cv.fill(dot.grow(0.8), (30, 120, 140), 0.35)
                        cv.fill(dot, LCD_INK)
                    else:
                        cv.fill(dot, (28, 70, 80), 0.9)


def lcd_paint(x, y):
    t = (y - PANEL[1]) / float(PANEL[3] - PANEL[1])
    c = mix(LCD_TOP, LCD_BOTTOM, t)
    if int(y) % 2:   # faint scan lines
        c = scaled(c, 0.93)
    return c


def volume_bar(j):
    x = VOL[0] + VOL_MUTE_W + j * (VOL_BAR_W + VOL_BAR_GAP)
    h = 5 + round(8.0 * j / (VOL_BARS - 1))
    return rbox(x, VOL[3] - 1 - h, x + VOL_BAR_W, VOL[3] - 1, 0.9)


def draw_volume(cv, lit):
    # Mute mark in front of the bars: a little speaker.
    sx, sy = VOL[0] + 1, VOL[3] - 6
    speaker = polygon([(sx, sy - 1.5), (sx + 2, sy - 1.5), (sx + 5, sy - 4.5),
                       (sx + 5, sy + 4.5), (sx + 2, sy + 1.5), (sx, sy + 1.5)])
    cv.fill(speaker, (50, 150, 172) if lit == 0 else (30, 90, 104))
    for j in range(VOL_BARS):
        bar = volume_bar(j)
        if j < lit:
            t = j / float(VOL_BARS - 1)
            cv.glow(bar, (40, 160, 190), 1.2, 0.12, inside=False)
            cv.fill(bar, mix((40, 178, 214), (175, 252, 255), t))
        else:
            cv.fill(bar, LCD_GHOST)


def draw_seek(cv, look):
    groove = capsule(SEEK_X0, SEEK_Y, SEEK_X1, SEEK_Y, SEEK_GROOVE_R)
    cv.fill(groove.grow(1.0), (230, 236, 246), 0.14)
    cv.fill(groove.shift(0, -0.6).grow(0.4), (8, 9, 12), 0.9)
    cv.fill(groove, vertical(SEEK_Y - 5, SEEK_Y + 5, [(0.0, (4, 6, 8)), (1.0, (18, 22, 27))]))
    if look.seek_filled:
        fill = seek_fill_shape()
        cv.fill(fill, vertical(SEEK_Y - 3, SEEK_Y + 3, [(0.0, (185, 252, 255)), (0.45, (90, 220, 245)),
                                                       (1.0, (22, 140, 182))]))
        cv.fill(capsule(SEEK_X0, SEEK_Y - 1.4, SEEK_X1, SEEK_Y - 1.4, 0.6), (255, 255, 255), 0.35)
    else:
        cv.fill(capsule(SEEK_X0, SEEK_Y, SEEK_X1, SEEK_Y, 0.5), (30, 70, 82), 0.6)


def draw_keys(cv, look):
    for name, (x0, x1) in KEYS.items():
        pressed = name == "RepeatButton" and name in look.pressed
        y0, y1 = KEY_Y0, KEY_Y1
        cv.fill(rbox(x0 - 0.5, y0 - 0.5, x1 + 0.5, y1 + 1.5, 3.5), (230, 236, 244), 0.16)
        cv.fill(rbox(x0 - 0.5, y0 - 0.5, x1 + 0.5, y1 + 0.5, 3.5), OUTLINE)
        if pressed:
            stops = [(0.0, (34, 38, 45)), (1.0, (62, 69, 80))]
        else:
            stops = [(0.0, (108, 117, 131)), (0.5, (74, 81, 93)), (1.0, (50, 55, 64))]
        face = rbox(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, 2.8)
        cv.fill(face, vertical(y0, y1, stops))
        if not pressed:
            cv.fill(face - face.shift(0, 1.2), (255, 255, 255), 0.22)
        draw_key_icon(cv, name, (x0 + x1) / 2.0, (y0 + y1) / 2.0 + (0.6 if pressed else 0), pressed)
    for i in range(17):
        for j in range(3):
            gx = GRILLE[0] + 3 + i * 6 + (3 if j % 2 else 0)
            gy = GRILLE[1] + 2 + j * 4
            if gx + 2 > GRILLE[2]:
                continue
            hole = circle(gx, gy, 1.25)
            cv.fill(hole.shift(0, 0.8), (220, 228, 240), 0.15)
            cv.fill(hole, (8, 9, 12), 0.9)


def draw_key_icon(cv, name, cx, cy, pressed):
    ink = (222, 228, 236) if pressed else ICON
    shapes = []
    if name == "OpenFileButton":
        shapes.append(polygon([(cx - 5, cy + 1), (cx, cy - 4), (cx + 5, cy + 1)]))
        shapes.append(rbox(cx - 5, cy + 2.3, cx + 5, cy + 4.2, 0.5))
    elif name == "RepeatButton":
        lx = cx + 4
        loop = rbox(lx - 7, cy - 3.3, lx + 7, cy + 3.3, 2.6)
        stroke = Shape(lambda x, y: abs(loop.d(x, y)) - 0.65, loop.grow(1).bbox)
        stroke = stroke - rbox(lx + 0.5, cy - 5, lx + 4, cy - 1.5, 0)
        stroke = stroke - rbox(lx - 4, cy + 1.5, lx - 0.5, cy + 5, 0)
        shapes.append(stroke)
        shapes.append(polygon([(lx - 0.6, cy - 6.0), (lx + 3.0, cy - 3.3), (lx - 0.6, cy - 0.6)]))
        shapes.append(polygon([(lx + 0.6, cy + 0.6), (lx - 3.0, cy + 3.3), (lx + 0.6, cy + 6.0)]))
        led_x = cx - 10
        led = circle(led_x, cy, 1.9)
        if pressed:
            cv.glow(led, CYAN, 1.8, 0.45, inside=False)
            cv.fill(led, (215, 253, 255))
        else:
            cv.fill(led.grow(0.6), (12, 14, 18))
            cv.fill(led, (24, 52, 60))
    else:   # preferences: three sliders
        for k, knob in enumerate((3.5, -3.0, 1.0)):
            y = cy - 3.5 + k * 3.5
            shapes.append(capsule(cx - 6, y, cx + 6, y, 0.55))
            shapes.append(rbox(cx + knob - 1.3, y - 1.5, cx + knob + 1.3, y + 1.5, 0.6))
    for sh in shapes:
        if not pressed:
            cv.fill(sh.shift(0, 1), (10, 11, 14), 0.55)
        cv.fill(sh, ink)


def cut_silhouette(cv):
    """Magenta outside the shape; a dark hairline along its edge. The region is
    cut on whole pixels, so the edge is darkened rather than blended."""
    x0, y0, x1, y1 = cv.clip
    for y in range(y0, y1):
        for x in range(x0, x1):
            d = SILHOUETTE.d(x + 0.5, y + 0.5)
            i = y * W + x
            if d >= 0:
                cv.px[i] = list(MAGENTA)
            elif d > -1.0:
                cv.px[i] = list(mix(cv.px[i], OUTLINE, 0.85))
            elif d > -2.0:
                cv.px[i] = list(mix(cv.px[i], OUTLINE, 0.3))


def render(look, clip=None):
    cv = Canvas(W, H, MAGENTA)
    if clip:
        cv.clip = clip
    draw_body(cv)
    draw_disc(cv, look)
    draw_caption(cv, look)
    draw_panel(cv, look)
    draw_seek(cv, look)
    draw_keys(cv, look)
    cut_silhouette(cv)
    return cv


# ---------------------------------------------------------------- pictures

def paste(dst, src, rect):
    x0, y0, x1, y1 = rect
    for y in range(y0, y1):
        for x in range(x0, x1):
            dst.px[y * W + x] = src.px[y * W + x][:]


def pressed_picture(background, style):
    """The background with the pressed look of every button of that style in
    its own rectangle (and, for BMP1, the filled seek bar)."""
    pic = background.copy()
    for key, rect, _tip, st in BUTTONS:
        if st == style:
            paste(pic, render(Look(pressed=[key]), clip=rect), rect)
    if style == "BMP1":
        paste(pic, render(Look(seek_filled=True), clip=SEEK), SEEK)
    return pic


def inactive_picture(background):
    """Same shape, dimmed and nearly grey."""
    pic = background.copy()
    for p in pic.px:
        if tuple(p) == MAGENTA:
            continue
        lum = 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]
        c = mix(p, (lum, lum, lum * 1.04), 0.8)
        p[:] = scaled(c, 0.78)
    return pic


def grey_levels(count):
    """Levels 0..255 spread over count columns, rising left to right: column i
    stands for the share (i + 1) / count of the whole."""
    return [(i + 1) * 256 // count - 1 for i in range(count)]


def seek_map():
    rgb = bytearray(NOT_GREY * (W * H))
    fill = seek_fill_shape()
    x0, x1 = int(SEEK_X0 - SEEK_FILL_R), int(math.ceil(SEEK_X1 + SEEK_FILL_R))
    levels = grey_levels(x1 - x0)
    for y in range(SEEK[1], SEEK[3]):
        for x in range(x0, x1):
            if fill.d(x + 0.5, y + 0.5) < 0.5:   # every pixel the fill touches
                g = levels[x - x0]
                rgb[3 * (y * W + x): 3 * (y * W + x) + 3] = bytes((g, g, g))
    return rgb


def volume_column_frames():
    """Frame shown for a press on each column of the control: the mute mark
    gives 0, a bar (or the gap after it) lights the bars up to it."""
    frames = []
    for c in range(VOL[2] - VOL[0]):
        if c < VOL_MUTE_W:
            frames.append(0)
        else:
            frames.append(min(VOL_BARS, (c - VOL_MUTE_W) // (VOL_BAR_W + VOL_BAR_GAP) + 1))
    return frames


def volume_levels():
    """Grey level of each column: inside the level range that selects the
    column's frame (frame = level * frames / 256), rising left to right."""
    frames = volume_column_frames()
    levels = []
    for c, f in enumerate(frames):
        lo = -(-256 * f // VOL_FRAMES)
        hi = -(-256 * (f + 1) // VOL_FRAMES) - 1
        group = [i for i, g in enumerate(frames) if g == f]
        k = group.index(c)
        levels.append(lo + (k * (hi - lo)) // max(1, len(group) - 1) if len(group) > 1 else lo)
    return levels


def volume_map():
    rgb = bytearray(NOT_GREY * (W * H))
    levels = volume_levels()
    for y in range(VOL[1], VOL[3]):
        for x in range(VOL[0], VOL[2]):
            g = levels[x - VOL[0]]
            rgb[3 * (y * W + x): 3 * (y * W + x) + 3] = bytes((g, g, g))
    return rgb


def volume_strip():
    fw, fh = VOL[2] - VOL[0], VOL[3] - VOL[1]
    strip = bytearray(fw * VOL_FRAMES * fh * 3)
    for k in range(VOL_FRAMES):
        frame = render(Look(volume=k), clip=VOL)
        for y in range(fh):
            for x in range(fw):
                p = frame.px[(VOL[1] + y) * W + VOL[0] + x]
                o = 3 * (y * fw * VOL_FRAMES + k * fw + x)
                strip[o:o + 3] = bytes(int(clamp(round(v), 0, 255)) for v in p)
    return fw * VOL_FRAMES, fh, strip


def lamp_strip(key):
    """Two frames side by side: the lamp off (as on the face), then on."""
    x0, y0, x1, y1 = LAMP_RECTS[key]
    fw, fh = x1 - x0, y1 - y0
    strip = bytearray(2 * fw * fh * 3)
    for k, lit in enumerate(((), (key,))):
        frame = render(Look(lamps=lit), clip=LAMP_RECTS[key])
        for y in range(fh):
            for x in range(fw):
                p = frame.px[(y0 + y) * W + x0 + x]
                o = 3 * (y * 2 * fw + k * fw + x)
                strip[o:o + 3] = bytes(int(clamp(round(v), 0, 255)) for v in p)
    return 2 * fw, fh, strip


def time_sign():
    """The minus of a remaining time, lit like a digit's middle segment, on
    black: the player lays it on the panel keeping the brighter colour."""
    cv = Canvas(SIGN_W, GLYPH_H, (0, 0, 0))
    bar = rbox(0.8, 10.6, SIGN_W - 0.6, 13.4, 1.0)
    cv.glow(bar, (30, 120, 140), 1.3, 0.2, inside=False)
    cv.fill(bar, vertical(0, GLYPH_H, [(0.0, (185, 252, 255)), (1.0, LCD_INK)]))
    for p in cv.px:
        if max(p) < 4:
            p[:] = [0, 0, 0]
    return cv


SEGMENTS = {   # seven-segment digits
    "0": "abcdef", "1": "bc", "2": "abged", "3": "abgcd", "4": "fgbc",
    "5": "afgcd", "6": "afgedc", "7": "abc", "8": "abcdefg", "9": "abcdfg",
}


def segment_shapes(ox):
    """The seven segments of a cell starting at column ox, slanted a little."""
    xl, xr, yt, ym, yb, t = 2.9, 11.1, 2.7, 12.0, 21.3, 2.8
    h = t / 2.0
    slant = lambda x, y: (ox + x + (ym - y) * 0.09, y)

    def horizontal(y):
        x0, x1 = xl + 0.7, xr - 0.7
        return polygon([slant(x0, y), slant(x0 + h, y - h), slant(x1 - h, y - h),
                        slant(x1, y), slant(x1 - h, y + h), slant(x0 + h, y + h)])

    def upright(x, y0, y1):
        y0, y1 = y0 + 0.7, y1 - 0.7
        return polygon([slant(x, y0), slant(x + h, y0 + h), slant(x + h, y1 - h),
                        slant(x, y1), slant(x - h, y1 - h), slant(x - h, y0 + h)])
    return {
        "a": horizontal(yt), "g": horizontal(ym), "d": horizontal(yb),
        "f": upright(xl, yt, ym), "b": upright(xr, yt, ym),
        "e": upright(xl, ym, yb), "c": upright(xr, ym, yb),
    }


def time_font():
    """Twelve cells: digits 0-9, the separator lit, the separator dark. Bright
    on black: the player keeps the brighter of glyph and panel per channel."""
    cv = Canvas(GLYPH_W * 12, GLYPH_H, (0, 0, 0))
    for cell in range(12):
        ox = cell * GLYPH_W
        cv.clip = (ox, 0, ox + GLYPH_W, GLYPH_H)
        if cell < 10:
            segs = segment_shapes(ox)
            lit = SEGMENTS[str(cell)]
            for name, sh in segs.items():
                if name not in lit:
                    cv.fill(sh, LCD_GHOST)
            for name, sh in segs.items():
                if name in lit:
                    cv.glow(sh, (30, 120, 140), 1.3, 0.2, inside=False)
            for name, sh in segs.items():
                if name in lit:
                    cv.fill(sh, vertical(0, GLYPH_H, [(0.0, (185, 252, 255)), (1.0, LCD_INK)]))
        else:
            on = cell == 10
            for y in (8.2, 16.2):
                x = ox + 7 + (12.0 - y) * 0.09
                dot = rbox(x - 1.3, y - 1.3, x + 1.3, y + 1.3, 0.6)
                if on:
                    cv.glow(dot, (30, 120, 140), 1.3, 0.2, inside=False)
                cv.fill(dot, LCD_INK if on else LCD_GHOST)
    # The faint tails of the glow turn to true black, which leaves the panel
    # under the blend untouched.
    for p in cv.px:
        if max(p) < 4:
            p[:] = [0, 0, 0]
    return cv


# ---------------------------------------------------------------- resource file

def rc_text():
    def rect(r):
        return "%d %d %d %d" % tuple(r)
    lines = [
        "# Zanto Player default skin \"Graphite\".",
        "# Generated by tools/skin-art/make_default_skin.py; edit that script, not this file.",
        "About Graphite - Zanto Player 標準スキン",
        "About 円盤の中央で再生、上下左右で停止・一時停止・前の曲・次の曲。",
        "About 液晶の音量・シークバーはクリックで操作できます。",
        "# OsuwariBaseLine %d" % OSUWARI_BASELINE,
        "",
        "BackgroundImage %s" % FILES["background"],
        "BackgroundImageInactive %s" % FILES["inactive"],
        "BackgroundImagePressed1 %s" % FILES["pressed1"],
        "BackgroundImagePressed2 %s" % FILES["pressed2"],
        "",
        "TimeFontImage %s" % FILES["time_font"],
        "TimeFontSize %d %d" % (GLYPH_W, GLYPH_H),
        "TimeFontSpacing %d" % GLYPH_GAP,
        "TimeFontTransparent 1",
        "MP3TimeWindow %s" % rect(TIME),
        "FilenameWindow %s" % rect(TEXT),
        "",
        "VolumeControlType BMP",
        "VolumeControlImage %s" % FILES["volume_strip"],
        "VolumeControlImagePosition %s" % FILES["volume_map"],
        "VolumeControlImageXSize %d" % (VOL[2] - VOL[0]),
        "VolumeControlImageNb %d" % VOL_FRAMES,
        "VolumeControlButton %s" % rect(VOL),
        "",
        "SeekImage %s" % FILES["seek_map"],
        "SeekRegion %s" % rect(SEEK),
        "",
        "TimeRemainingImage %s" % FILES["time_sign"],
    ]
    for key, _label, tip in LAMPS:
        lines.append("%s %s %s" % (key, rect(LAMP_RECTS[key]), tip))
        lines.append("%sImage %s" % (key, LAMP_FILES[key]))
    lines.append("")
    for key, r, tip, style in BUTTONS:
        lines.append("%s %s %s %s" % (key, rect(r), tip, style))
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    for line in data.split(b"\r\n"):
        assert len(line) < 256, line
    return data


def to_rgb(cv):
    return cv.to_bytes_rgb()


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)
    background = render(Look())
    pictures = [
        ("background", background, 24),
        ("inactive", inactive_picture(background), 24),
        ("pressed1", pressed_picture(background, "BMP1"), 24),
        ("pressed2", pressed_picture(background, "BMP2"), 24),
    ]
    for key, cv, bits in pictures:
        bmpio.write_bmp(os.path.join(out, FILES[key]), W, H, to_rgb(cv), bits)
    font = time_font()
    bmpio.write_bmp(os.path.join(out, FILES["time_font"]), font.w, font.h, to_rgb(font))
    sw, sh, strip = volume_strip()
    bmpio.write_bmp(os.path.join(out, FILES["volume_strip"]), sw, sh, strip)
    bmpio.write_bmp(os.path.join(out, FILES["volume_map"]), W, H, volume_map(), 8)
    bmpio.write_bmp(os.path.join(out, FILES["seek_map"]), W, H, seek_map(), 8)
    sign = time_sign()
    bmpio.write_bmp(os.path.join(out, FILES["time_sign"]), sign.w, sign.h, to_rgb(sign))
    for key, _label, _tip in LAMPS:
        lw, lh, strip = lamp_strip(key)
        bmpio.write_bmp(os.path.join(out, LAMP_FILES[key]), lw, lh, strip)
    with open(os.path.join(out, "ZantoPlay1.rc"), "wb") as f:
        f.write(rc_text())
    print("wrote %s" % out)


if __name__ == "__main__":
    main()
