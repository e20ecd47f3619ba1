#!/usr/bin/python3
"""Draws the editor's bitmap resources as 8-bit palette BMP files.

Usage: resources/draw_pictures.py [--preview DIR]

Writes resources/bitmaps/<id>-<name>.bmp next to this script. With --preview,
also writes 3x enlarged PNG copies and a mock-up of the open editor to DIR.
Needs Debian's python3-pil and the Liberation fonts (fonts-liberation).
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "bitmaps")
FONT_DIR = "/usr/share/fonts/truetype/liberation/"

# ---------------------------------------------------------------------------
# Editor geometry (frame coordinates; rectangles are left, top, right, bottom
# with right and bottom exclusive).
# ---------------------------------------------------------------------------
EDITOR_W, EDITOR_H = 292, 100
VIEW_RECT = (14, 27, 277, 49)  # repainted by the stereo image view
SLIDER_RECT = (16, 57, 277, 72)
HANDLE_W, HANDLE_H = 17, 15
SLIDER_MIN_POS, SLIDER_MAX_POS = 18, 259
INVERSE_RECT = (40, 79, 67, 92)
CENTER_RECT = (97, 79, 124, 92)
ABOUT_HOT_SPOT = (215, 1, 285, 19)
VERSION_BAND = (0, 48, 292, 64)  # kept plain on the about screen
BUTTON_W, BUTTON_H = 27, 13  # one state; the bitmap holds two
MARKER_SIZE = 17
CENTER_MARKER_SIZE = 11
WHITE = (255, 255, 255)  # see-through in transparent draws


def handle_left(value):
    """Frame x of the handle's left edge as the slider draws it."""
    travel = SLIDER_MAX_POS - SLIDER_MIN_POS
    left = int(travel * value)
    left = max(left, SLIDER_MIN_POS - SLIDER_RECT[0])
    return SLIDER_RECT[0] + left


def handle_centre(value):
    """Frame x of the handle's grip line (its middle column)."""
    return handle_left(value) + HANDLE_W // 2


# ---------------------------------------------------------------------------
# Colours. Every picture uses a small fixed set, so that the palette
# conversion is exact; anti-aliased large text is blended in a few steps only.
# ---------------------------------------------------------------------------
PANEL = (82, 86, 93)
PANEL_LIGHT = (118, 122, 130)
PANEL_DARK = (40, 42, 47)
WINDOW_FLOOR = (36, 39, 44)
WINDOW_SHADOW = (20, 22, 25)
WINDOW_LIGHT = (124, 128, 136)
LCD = (14, 38, 40)
LCD_FRAME = (6, 12, 13)
LCD_BOX = (30, 74, 74)
LCD_BOX_FILL = (18, 50, 52)
LCD_GLYPH = (124, 236, 212)
LABEL = (206, 210, 216)
LABEL_DIM = (140, 145, 152)
GROOVE = (10, 11, 13)
GROOVE_EDGE = (64, 68, 75)
GROOVE_LINE = (40, 108, 102)
TICK = (112, 117, 124)
TICK_MAJOR = (200, 204, 210)
AMBER = (255, 174, 44)
AMBER_LIGHT = (255, 212, 118)
AMBER_DARK = (176, 98, 14)
AMBER_INK = (58, 26, 0)
KEY_FACE = (100, 104, 112)
KEY_LIGHT = (138, 142, 150)
KEY_DARK = (54, 56, 62)
KEY_RIM = (24, 26, 29)
KEY_INK = (214, 218, 224)
KNOB_TOP = (214, 218, 224)
KNOB_MID = (184, 188, 195)
KNOB_LOW = (156, 160, 168)
KNOB_RIM = (28, 30, 34)
KNOB_GRIP = (44, 46, 52)
KNOB_GRIP_LIGHT = (228, 231, 235)
LOGO_FACE = (30, 34, 39)
LOGO_RIM = (110, 114, 122)
ABOUT_FACE = (36, 50, 58)
ABOUT_EDGE = (70, 92, 102)
ABOUT_BAND = (16, 26, 31)
ABOUT_BAND_EDGE = (52, 84, 92)
ABOUT_TITLE = (230, 235, 238)
ABOUT_TEXT = (168, 190, 196)
ABOUT_DIM = (112, 134, 142)
VERSION_TEXT = (180, 210, 210)  # written by the program over the band

# ---------------------------------------------------------------------------
# A small pixel font for labels and button words: capitals and ascenders are
# 7 rows high, lower case 5; rows 7 and 8 hold descenders. One pixel between
# glyphs.
# ---------------------------------------------------------------------------
_GLYPHS = {
    "a": ["", "", "XX.", "..X", ".XX", "X.X", ".XX"],
    "b": ["X..", "X..", "XX.", "X.X", "X.X", "X.X", "XX."],
    "c": ["", "", ".XX", "X..", "X..", "X..", ".XX"],
    "d": ["..X", "..X", ".XX", "X.X", "X.X", "X.X", ".XX"],
    "e": ["", "", ".X.", "X.X", "XXX", "X..", ".XX"],
    "f": [".XX", ".X.", "XXX", ".X.", ".X.", ".X.", ".X."],
    "g": ["", "", ".XX", "X.X", "X.X", "X.X", ".XX", "..X", "XX."],
    "h": ["X..", "X..", "XX.", "X.X", "X.X", "X.X", "X.X"],
    "i": ["X", "", "X", "X", "X", "X", "X"],
    "j": [".X", "", ".X", ".X", ".X", ".X", ".X", ".X", "X."],
    "k": ["X..", "X..", "X.X", "X.X", "XX.", "X.X", "X.X"],
    "l": ["X", "X", "X", "X", "X", "X", "X"],
    "m": ["", "", "XXXX.", "X.X.X", "X.X.X", "X.X.X", "X.X.X"],
    "n": ["", "", "XX.", "X.X", "X.X", "X.X", "X.X"],
    "o": ["", "", ".X.", "X.X", "X.X", "X.X", ".X."],
    "p": ["", "", "XX.", "X.X", "X.X", "X.X", "XX.", "X..", "X.."],
    "q": ["", "", ".XX", "X.X", "X.X", "X.X", ".XX", "..X", "..X"],
    "r": ["", "", "XX", "X.", "X.", "X.", "X."],
    "s": ["", "", ".XX", "X..", ".X.", "..X", "XX."],
    "t": ["", ".X.", "XXX", ".X.", ".X.", ".X.", "..X"],
    "u": ["", "", "X.X", "X.X", "X.X", "X.X", ".XX"],
    "v": ["", "", "X.X", "X.X", "X.X", "X.X", ".X."],
    "w": ["", "", "X...X", "X...X", "X.X.X", "X.X.X", ".X.X."],
    "x": ["", "", "X.X", "X.X", ".X.", "X.X", "X.X"],
    "y": ["", "", "X.X", "X.X", "X.X", "X.X", ".XX", "..X", "XX."],
    "z": ["", "", "XXX", "..X", ".X.", "X..", "XXX"],
    "C": [".XXX", "X...", "X...", "X...", "X...", "X...", ".XXX"],
    "I": ["X", "X", "X", "X", "X", "X", "X"],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "N": ["X..X", "XX.X", "XX.X", "X.XX", "X.XX", "X..X", "X..X"],
    "Q": [".XX.", "X..X", "X..X", "X..X", "X..X", "X.X.", ".X.X"],
    "W": ["X...X", "X...X", "X...X", "X.X.X", "X.X.X", "X.X.X", ".X.X."],
    "0": [".X.", "X.X", "X.X", "X.X", "X.X", "X.X", ".X."],
    "1": [".X", "XX", ".X", ".X", ".X", ".X", ".X"],
    "2": [".X.", "X.X", "..X", ".X.", "X..", "X..", "XXX"],
    "6": [".XX", "X..", "X..", "XX.", "X.X", "X.X", ".X."],
    "\u00a9": [".XXXXX.", "X.....X", "X.XXX.X", "X.X...X", "X.XXX.X", "X.....X", ".XXXXX."],
    " ": ["..", "", "", "", "", "", ""],
}


def _glyph_width(ch):
    return max(len(row) for row in _GLYPHS[ch])


def pixel_text_width(text, spacing=1):
    return sum(_glyph_width(ch) for ch in text) + spacing * (len(text) - 1)


def pixel_text(img, x, top, text, colour, spacing=1):
    """Draws text in the pixel font; top is the row of the capitals' top."""
    px = img.load()
    for ch in text:
        for dy, row in enumerate(_GLYPHS[ch]):
            for dx, cell in enumerate(row):
                if cell == "X":
                    px[x + dx, top + dy] = colour
        x += _glyph_width(ch) + spacing


def pixel_text_centred(img, centre_x, top, text, colour):
    pixel_text(img, int(round(centre_x - (pixel_text_width(text) - 1) / 2)), top, text, colour)


# ---------------------------------------------------------------------------
# Anti-aliased text for the large lettering, blended over a plain area in a
# few coverage steps so that only a handful of colours arise.
# ---------------------------------------------------------------------------
def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name + ".ttf"), size)


def smooth_text(img, xy, text, fnt, colour, anchor="ls", steps=4):
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).text(xy, text, font=fnt, fill=255, anchor=anchor)
    px, mp = img.load(), mask.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            m = mp[x, y]
            if m:
                a = round(m / 255 * steps) / steps
                if a:
                    base = px[x, y]
                    px[x, y] = tuple(int(round(b + (c - b) * a)) for b, c in zip(base, colour))


def smooth_text_width(text, fnt):
    left, _, right, _ = fnt.getbbox(text, anchor="ls")
    return right - left


# ---------------------------------------------------------------------------
# Drawing helpers.
# ---------------------------------------------------------------------------
def fill(img, rect, colour):
    """Fills left..right-1, top..bottom-1."""
    l, t, r, b = rect
    if r > l and b > t:
        ImageDraw.Draw(img).rectangle((l, t, r - 1, b - 1), fill=colour)


def bevel(img, rect, top_left, bottom_right):
    """One-pixel frame on the edge rows/columns of rect."""
    l, t, r, b = rect
    d = ImageDraw.Draw(img)
    d.line((l, t, r - 1, t), fill=top_left)
    d.line((l, t, l, b - 1), fill=top_left)
    d.line((l, b - 1, r - 1, b - 1), fill=bottom_right)
    d.line((r - 1, t, r - 1, b - 1), fill=bottom_right)


# The maker's mark: a quill feather, 11 by 15, drawn with '#' (vane),
# '+' (light vane edge) and '/' (shaft).
_QUILL = [
    "..........+",
    ".........++",
    "........+#/",
    ".......+#/#",
    "......+#/#.",
    ".....+#/##.",
    "....+#/##..",
    "....#/##...",
    "...#/##....",
    "...//#.....",
    "../#.......",
    "./.........",
    "/..........",
]


def quill(img, x, y, vane, edge, shaft):
    px = img.load()
    colours = {"#": vane, "+": edge, "/": shaft}
    for dy, row in enumerate(_QUILL):
        for dx, cell in enumerate(row):
            if cell in colours:
                px[x + dx, y + dy] = colours[cell]


# ---------------------------------------------------------------------------
# 1001: the background.
# ---------------------------------------------------------------------------
WINDOW_RECT = (11, 24, 280, 78)  # the sunken instrument window
GROOVE_RECT = (20, 63, 272, 68)  # the slot the knob rides in, centred on its row 65
LABEL_TOP = 51  # capitals of "Mono", "Normal", "Wide"
TICK_TOP = 73


def draw_background():
    img = Image.new("RGB", (EDITOR_W, EDITOR_H), PANEL)
    d = ImageDraw.Draw(img)
    bevel(img, (0, 0, EDITOR_W, EDITOR_H), PANEL_LIGHT, PANEL_DARK)

    # Product name at the top left.
    title = font("LiberationSans-Bold", 15)
    smooth_text(img, (13, 18), "WIDTH", title, LABEL)
    pixel_text(img, 13 + smooth_text_width("WIDTH", title) + 6, 11, "stereo image", LABEL_DIM)

    draw_logo(img)

    # The sunken window that holds the display strip and the slider track.
    fill(img, WINDOW_RECT, WINDOW_FLOOR)
    bevel(img, WINDOW_RECT, WINDOW_SHADOW, WINDOW_LIGHT)
    l, t, r, b = VIEW_RECT
    fill(img, VIEW_RECT, LCD)
    bevel(img, (l - 1, t - 1, r + 1, b + 1), LCD_FRAME, LCD_FRAME)

    # Labels over the track, centred over the grip line's positions.
    for value, word in ((0.0, "Mono"), (0.5, "Normal"), (1.0, "Wide")):
        pixel_text_centred(img, handle_centre(value), LABEL_TOP, word, LABEL)

    # The groove with its lit centre line.
    fill(img, GROOVE_RECT, GROOVE)
    gl, gt, gr, gb = GROOVE_RECT
    d.line((gl, gb, gr - 1, gb), fill=GROOVE_EDGE)
    d.line((gr, gt, gr, gb), fill=GROOVE_EDGE)
    d.line((gl + 2, (gt + gb) // 2, gr - 3, (gt + gb) // 2), fill=GROOVE_LINE)

    # Ticks under the groove at every tenth of the travel; longer and brighter
    # at the three labelled positions.
    for k in range(11):
        x = handle_centre(k / 10)
        if k in (0, 5, 10):
            d.line((x, TICK_TOP, x, TICK_TOP + 2), fill=TICK_MAJOR)
        else:
            d.line((x, TICK_TOP + 1, x, TICK_TOP + 2), fill=TICK)

    # "Inv" beside the Inverse button, under the track's left end.
    pixel_text_centred(img, handle_centre(0.0), INVERSE_RECT[1] + 3, "Inv", LABEL)
    for rect in (INVERSE_RECT, CENTER_RECT):
        # a dark seat around each button
        rl, rt, rr, rb = rect
        bevel(img, (rl - 1, rt - 1, rr + 1, rb + 1), KEY_RIM, PANEL_LIGHT)

    # A vent grille fills the lower right corner.
    for i in range(14):
        x = WINDOW_RECT[2] - 3 - 5 * i
        fill(img, (x - 1, 82, x + 1, 90), WINDOW_SHADOW)
        d.line((x + 1, 82, x + 1, 90), fill=PANEL_LIGHT)
        d.line((x - 1, 90, x, 90), fill=PANEL_LIGHT)
    return img


def draw_logo(img):
    l, t, r, b = ABOUT_HOT_SPOT
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((l, t + 1, r - 1, b - 1), radius=3, fill=LOGO_FACE, outline=LOGO_RIM)
    quill(img, l + 5, t + 3, AMBER, AMBER_LIGHT, AMBER_DARK)
    word = font("LiberationSans-BoldItalic", 12)
    smooth_text(img, (l + 19, b - 5), "Quillfen", word, ABOUT_TITLE)


# ---------------------------------------------------------------------------
# 1002: the slider handle, drawn transparently: white is see-through. The
# knob fills rows 2..14 so that a one-pixel gap stays under the labels.
# ---------------------------------------------------------------------------
def draw_handle():
    img = Image.new("RGB", (HANDLE_W, HANDLE_H), WHITE)
    d = ImageDraw.Draw(img)
    top, bottom = 2, HANDLE_H - 1
    d.rounded_rectangle((0, top, HANDLE_W - 1, bottom), radius=2, fill=KNOB_MID, outline=KNOB_RIM)
    for y in range(top + 1, bottom):
        colour = KNOB_TOP if y < top + 4 else KNOB_MID if y < bottom - 3 else KNOB_LOW
        d.line((1, y, HANDLE_W - 2, y), fill=colour)
    d.line((1, top + 1, HANDLE_W - 2, top + 1), fill=KNOB_GRIP_LIGHT)
    d.line((1, top + 1, 1, bottom - 1), fill=KNOB_GRIP_LIGHT)
    d.line((HANDLE_W - 2, top + 2, HANDLE_W - 2, bottom - 1), fill=KNOB_LOW)
    d.line((2, bottom - 1, HANDLE_W - 2, bottom - 1), fill=KNOB_LOW)
    c = HANDLE_W // 2
    d.line((c, top + 2, c, bottom - 2), fill=KNOB_GRIP)
    d.line((c + 1, top + 2, c + 1, bottom - 2), fill=KNOB_GRIP_LIGHT)
    return img


# ---------------------------------------------------------------------------
# 1004, 1005: two-state buttons, off in rows 0..12, lit in rows 13..25.
# ---------------------------------------------------------------------------
def draw_button(word):
    """The face fills the whole picture; the seat drawn around the button in
    the background gives it its outline."""
    img = Image.new("RGB", (BUTTON_W, 2 * BUTTON_H), KEY_FACE)
    for state in (0, 1):
        y0 = state * BUTTON_H
        face = (0, y0, BUTTON_W, y0 + BUTTON_H)
        if state == 0:
            fill(img, face, KEY_FACE)
            bevel(img, face, KEY_LIGHT, KEY_DARK)
            ink = KEY_INK
        else:
            fill(img, face, AMBER)
            bevel(img, face, AMBER_LIGHT, AMBER_DARK)
            ink = AMBER_INK
        pixel_text_centred(img, (BUTTON_W - 1) / 2, y0 + 3, word, ink)
    return img


# ---------------------------------------------------------------------------
# 1006: the about screen; the band y 48..63 stays plain for the version line.
# ---------------------------------------------------------------------------
def draw_about():
    img = Image.new("RGB", (EDITOR_W, EDITOR_H), ABOUT_FACE)
    bevel(img, (0, 0, EDITOR_W, EDITOR_H), ABOUT_EDGE, ABOUT_EDGE)
    bevel(img, (2, 2, EDITOR_W - 2, EDITOR_H - 2), ABOUT_BAND, ABOUT_BAND)
    l, t, r, b = VERSION_BAND
    fill(img, VERSION_BAND, ABOUT_BAND)
    d = ImageDraw.Draw(img)
    d.line((l, t - 1, r - 1, t - 1), fill=ABOUT_BAND_EDGE)
    d.line((l, b, r - 1, b), fill=ABOUT_BAND_EDGE)

    title = font("LiberationSans-Bold", 20)
    text = "Quillfen Width"
    w = smooth_text_width(text, title)
    x = (EDITOR_W - w - 16) // 2 + 16
    quill(img, x - 16, 10, AMBER, AMBER_LIGHT, AMBER_DARK)
    smooth_text(img, (x, 25), text, title, ABOUT_TITLE)
    centre = EDITOR_W // 2
    smooth_text(img, (centre, 41), "stereo width effect", font("LiberationSans-Regular", 13), ABOUT_TEXT, anchor="ms")
    smooth_text(img, (centre, 80), "\u00a9 2026 Quillfen", font("LiberationSans-Regular", 12), ABOUT_TEXT, anchor="ms")
    pixel_text_centred(img, (EDITOR_W - 1) / 2, 86, "click to close", ABOUT_DIM)
    return img


# ---------------------------------------------------------------------------
# 1007, 1008: the channel markers, drawn opaquely on the display strip, so
# their ground is exactly the strip's colour. 1009: the centre marker, drawn
# transparently: white outside the disc, no white inside.
# ---------------------------------------------------------------------------
_MARKER_GLYPHS = {
    "L": ["XX.....", "XX.....", "XX.....", "XX.....", "XX.....", "XX.....", "XX.....", "XX.....", "XXXXXXX", "XXXXXXX"],
    "R": ["XXXXXX.", "XX...XX", "XX...XX", "XX...XX", "XXXXXX.", "XXXX...", "XX.XX..", "XX..XX.", "XX...XX", "XX...XX"],
}


def draw_marker(letter):
    n = MARKER_SIZE
    img = Image.new("RGB", (n, n), LCD)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((0, 0, n - 1, n - 1), radius=3, fill=LCD_BOX_FILL, outline=LCD_BOX)
    glyph = _MARKER_GLYPHS[letter]
    gx = (n - len(glyph[0])) // 2
    gy = (n - len(glyph)) // 2
    px = img.load()
    for dy, row in enumerate(glyph):
        for dx, cell in enumerate(row):
            if cell == "X":
                px[gx + dx, gy + dy] = LCD_GLYPH
    return img


_DISC = [
    "...#####...",
    ".#########.",
    ".#########.",
    "###########",
    "###########",
    "###########",
    "###########",
    "###########",
    ".#########.",
    ".#########.",
    "...#####...",
]
_DISC_C = [".XXX", "X...", "X...", "X...", "X...", "X...", ".XXX"]


def draw_center_marker():
    n = CENTER_MARKER_SIZE
    img = Image.new("RGB", (n, n), WHITE)
    px = img.load()
    for y, row in enumerate(_DISC):
        for x, cell in enumerate(row):
            if cell == "#":
                edge = any(
                    not (0 <= x + dx < n and 0 <= y + dy < n) or _DISC[y + dy][x + dx] != "#"
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                )
                px[x, y] = AMBER_DARK if edge else AMBER
    gx, gy = 4, 2
    for dy, row in enumerate(_DISC_C):
        for dx, cell in enumerate(row):
            if cell == "X":
                px[gx + dx, gy + dy] = AMBER_INK
    return img


# ---------------------------------------------------------------------------
# Writing and checking.
# ---------------------------------------------------------------------------
PICTURES = [
    (1001, "background", draw_background, (EDITOR_W, EDITOR_H)),
    (1002, "slider-handle", draw_handle, (HANDLE_W, HANDLE_H)),
    (1004, "inverse-button", lambda: draw_button("Inverse"), (BUTTON_W, 2 * BUTTON_H)),
    (1005, "center-button", lambda: draw_button("Center"), (BUTTON_W, 2 * BUTTON_H)),
    (1006, "about", draw_about, (EDITOR_W, EDITOR_H)),
    (1007, "left-marker", lambda: draw_marker("L"), (MARKER_SIZE, MARKER_SIZE)),
    (1008, "right-marker", lambda: draw_marker("R"), (MARKER_SIZE, MARKER_SIZE)),
    (1009, "center-marker", draw_center_marker, (CENTER_MARKER_SIZE, CENTER_MARKER_SIZE)),
]


def to_palette(img):
    """Exact conversion to a palette image; fails beyond 256 colours."""
    colours = img.getcolors(256)
    if colours is None:
        raise ValueError("more than 256 colours")
    table = sorted(c for _, c in colours)
    index = {c: i for i, c in enumerate(table)}
    out = Image.new("P", img.size)
    out.putpalette([v for c in table for v in c])
    out.putdata([index[c] for c in img.getdata()])
    return out


def write_bmp(img, path):
    pal = to_palette(img)
    pal.save(path, format="BMP")
    with open(path, "rb") as f:
        data = f.read()
    header = int.from_bytes(data[14:18], "little")
    bits = int.from_bytes(data[28:30], "little")
    compression = int.from_bytes(data[30:34], "little")
    height = int.from_bytes(data[22:26], "little", signed=True)
    used = int.from_bytes(data[46:50], "little")
    assert data[:2] == b"BM" and header == 40 and bits == 8 and compression == 0, path
    assert height > 0 and 0 < used <= 256, path  # bottom-up rows, small palette
    back = Image.open(path).convert("RGB")
    if list(back.getdata()) != list(img.getdata()):
        raise ValueError(f"{path}: palette round trip changed pixels")


def check(pictures):
    """Properties the program relies on."""
    bg = pictures[1001]
    l, t, r, b = VIEW_RECT
    strip = {bg.getpixel((x, y)) for x in range(l, r) for y in range(t, b)}
    assert strip == {LCD}, "the view strip must be one plain colour"
    about = pictures[1006]
    l, t, r, b = VERSION_BAND
    band = {about.getpixel((x, y)) for x in range(l, r) for y in range(t, b)}
    assert band == {ABOUT_BAND}, "the version band must be one plain colour"
    for mid in (1007, 1008):
        m = pictures[mid]
        assert m.getpixel((0, 0)) == LCD, "marker ground must be the strip's colour"
    c = pictures[1009]
    n = CENTER_MARKER_SIZE
    for x, y in ((0, 0), (n - 1, 0), (0, n - 1), (n - 1, n - 1)):
        assert c.getpixel((x, y)) == WHITE, "centre marker corners must be white"
    for y, row in enumerate(_DISC):
        for x, cell in enumerate(row):
            inside = cell == "#"
            assert (c.getpixel((x, y)) == WHITE) != inside, "white exactly outside the disc"
    handle = pictures[1002]
    for y in range(HANDLE_H):
        for x in range(HANDLE_W):
            white = handle.getpixel((x, y)) == WHITE
            if y < 2:
                assert white, "the rows above the knob must be see-through"
            elif 0 < x < HANDLE_W - 1 and 2 < y < HANDLE_H - 1:
                assert not white, "no see-through pixel inside the knob"
    for pic in pictures.values():
        # Near-white would turn see-through on a 16-bit display; keep away.
        for colour in set(pic.getdata()):
            assert colour == WHITE or min(colour) < 240, colour


def draw_all():
    return {pid: draw() for pid, _, draw, _ in PICTURES}


def write_previews(pictures, directory, scale=3):
    os.makedirs(directory, exist_ok=True)
    for pid, name, _, _ in PICTURES:
        img = pictures[pid]
        img.resize((img.width * scale, img.height * scale), Image.NEAREST).save(
            os.path.join(directory, f"{pid}-{name}.png")
        )
    shots = [
        mockup(pictures, 0.5, inverse=False, center=True),
        mockup(pictures, 0.0, inverse=False, center=False),
        mockup(pictures, 1.0, inverse=True, center=True),
        mockup(pictures, 0.8, inverse=False, center=False, about=True),
    ]
    first = shots[0]
    first.resize((first.width * scale, first.height * scale), Image.NEAREST).save(
        os.path.join(directory, "mockup.png")
    )
    sheet = Image.new("RGB", (EDITOR_W, EDITOR_H * len(shots) + 4 * (len(shots) - 1)), (0, 0, 0))
    for i, shot in enumerate(shots):
        sheet.paste(shot, (0, i * (EDITOR_H + 4)))
    sheet.resize((sheet.width * 2, sheet.height * 2), Image.NEAREST).save(
        os.path.join(directory, "mockup-states.png")
    )


def paste_transparent(canvas, img, x, y):
    for j in range(img.height):
        for i in range(img.width):
            p = img.getpixel((i, j))
            if p != WHITE:
                canvas.putpixel((x + i, y + j), p)


def mockup(pictures, width, inverse, center, about=False):
    """The open editor as the program composes it."""
    canvas = pictures[1001].copy()
    l, t, r, b = VIEW_RECT
    w = r - l
    d = w - MARKER_SIZE
    f = int((1 - width) * d / 2)
    draw = ImageDraw.Draw(canvas)
    draw.line((l + f + MARKER_SIZE, t + MARKER_SIZE // 2, l + d - f - 1, t + MARKER_SIZE // 2), fill=(127, 127, 127))
    left, right = (pictures[1008], pictures[1007]) if inverse else (pictures[1007], pictures[1008])
    canvas.paste(left, (l + f, t))
    canvas.paste(right, (l + d - f, t))
    if width < 0.5 or center:
        cw = CENTER_MARKER_SIZE
        paste_transparent(canvas, pictures[1009], l + w // 2 - cw // 2 - 1, t + 3)
    paste_transparent(canvas, pictures[1002], handle_left(width), SLIDER_RECT[1])
    for rect, pid, on in ((INVERSE_RECT, 1004, inverse), (CENTER_RECT, 1005, center)):
        src = pictures[pid].crop((0, BUTTON_H if on else 0, BUTTON_W, BUTTON_H * (2 if on else 1)))
        canvas.paste(src, rect[:2])
    if about:
        canvas = pictures[1006].copy()
        fnt = font("LiberationSans-Regular", 11)
        # the program centres the line in the 15 rows from y 48
        ImageDraw.Draw(canvas).text((EDITOR_W // 2, 48 + 7), "Version 1.1", font=fnt, fill=VERSION_TEXT, anchor="mm")
    return canvas


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write enlarged PNG previews and a mock-up")
    args = parser.parse_args()
    pictures = draw_all()
    for pid, _, _, size in PICTURES:
        assert pictures[pid].size == size, pid
    check(pictures)
    os.makedirs(OUT_DIR, exist_ok=True)
    for pid, name, _, _ in PICTURES:
        write_bmp(pictures[pid], os.path.join(OUT_DIR, f"{pid}-{name}.bmp"))
    if args.preview:
        write_previews(pictures, args.preview)
    return 0


if __name__ == "__main__":
    sys.exit(main())
