#!/usr/bin/env python3
"""Draws the skin's bitmaps and link cursor into resources/art/.

Shapes are computed here with supersampled coverage; only the lettering is rasterised by
ImageMagick (/usr/bin/convert) with the DejaVu fonts, as grey masks that this script colours.
The same tools give the same files, so the committed art can always be made again:

    python3 tools/make_art.py

Rules the window relies on:
- Button faces and the logo are drawn keyed on exact white RGB(255, 255, 255). Around the pills
  every pixel is exact white and edge pixels are never blended toward white (they would show as
  a pale halo on the background); the logo's soft edges blend toward the background's own tone.
- The check-box strip is four 13 x 13 frames: empty, empty pressed, ticked, ticked pressed.
- The background is a seamless tile: the window lays it from its client origin.
"""
import math
import os
import random
import struct
import subprocess
import sys

ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "art")
CONVERT = "/usr/bin/convert"
FONTS = "/usr/share/fonts/truetype/dejavu"
SANS_BOLD = os.path.join(FONTS, "DejaVuSans-Bold.ttf")
SERIF_BOLD_ITALIC = os.path.join(FONTS, "DejaVuSerif-BoldItalic.ttf")

WHITE = (255, 255, 255)  # the transparent key
PAPER = (241, 237, 228)  # the background tile's mean tone

# The pills' palette, shared by the logo so the window reads as one piece.
PILL_OUTLINE = (128, 58, 6)
PILL_TOP = (255, 203, 112)
PILL_BOTTOM = (236, 122, 14)
PILL_TEXT = (52, 24, 2)
INK = (78, 38, 8)


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp_colour(c):
    return tuple(max(0, min(255, int(round(v)))) for v in c)


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[tuple(colour) for _ in range(width)] for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def put(self, x, y, colour):
        self.rows[y][x] = tuple(colour)

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            self.rows[y][x] = lerp(self.rows[y][x], colour, min(1.0, alpha))


def write_bmp(name, canvas):
    """24-bit bottom-up BMP, rows padded to four bytes."""
    stride = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = clamp_colour(canvas.get(x, y))
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    with open(os.path.join(ART, name), "wb") as f:
        f.write(header + info + pixels)


def coverage(width, height, inside, samples=4):
    """Fraction of samples x samples points of each pixel for which inside(x, y) holds."""
    step = 1.0 / samples
    result = []
    for y in range(height):
        row = []
        for x in range(width):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                        hits += 1
            row.append(hits / (samples * samples))
        result.append(row)
    return result


class Lettering:
    """Grey coverage of a text line, cut to its ink, with the baseline row inside the cut."""

    def __init__(self, text, font, size, spacing=0):
        margin = size * 2
        width = int(size * len(text) * 1.2) + 2 * margin + spacing * len(text)
        height = size * 3
        baseline = size * 2
        raw = subprocess.run(
            [CONVERT, "-size", "%dx%d" % (width, height), "xc:black", "-font", font,
             "-pointsize", str(size), "-kerning", str(spacing), "-fill", "white",
             "-annotate", "+%d+%d" % (margin, baseline), text, "-depth", "8", "gray:-"],
            check=True, capture_output=True).stdout
        ink = [(x, y) for y in range(height) for x in range(width) if raw[y * width + x]]
        left = min(x for x, _ in ink)
        right = max(x for x, _ in ink) + 1
        top = min(y for _, y in ink)
        bottom = max(y for _, y in ink) + 1
        self.width = right - left
        self.height = bottom - top
        self.baseline = baseline - top  # rows of ink above the baseline
        self.alpha = [[raw[y * width + x] / 255.0 for x in range(left, right)]
                      for y in range(top, bottom)]

    def draw(self, canvas, left, top, colour_at, strength=1.0):
        for j, row in enumerate(self.alpha):
            for i, a in enumerate(row):
                if a > 0:
                    canvas.blend(left + i, top + j, colour_at(left + i, top + j), a * strength)


# --- button faces -----------------------------------------------------------------------------

PILL_W, PILL_H = 58, 20


def pill_distance(x, y):
    """Signed distance to the pill's outline, positive inside: a stadium filling 58 x 20."""
    r = PILL_H / 2.0
    cx = min(max(x, r), PILL_W - r)
    return r - math.hypot(x - cx, y - r)


def make_pill(name, word):
    canvas = Canvas(PILL_W, PILL_H, WHITE)
    samples = 6
    step = 1.0 / samples
    for y in range(PILL_H):
        for x in range(PILL_W):
            ring = body = 0
            for sy in range(samples):
                for sx in range(samples):
                    d = pill_distance(x + (sx + 0.5) * step, y + (sy + 0.5) * step)
                    if d >= 1.25:
                        body += 1
                    elif d >= 0:
                        ring += 1
            inside = ring + body
            # A half-covered pixel is either pill or key: never a mix with white, so the face
            # keeps a crisp dark rim on any background.
            if inside * 2 < samples * samples:
                continue
            t = (y + 0.5) / PILL_H
            fill = lerp(PILL_TOP, PILL_BOTTOM, t)
            if t < 0.45:  # soft gloss on the upper half
                fill = lerp(fill, (255, 236, 190), 0.45 * (1 - t / 0.45))
            canvas.put(x, y, lerp(fill, PILL_OUTLINE, ring / inside))
    # A light line under the top rim reads as a bevel.
    for x in range(PILL_W):
        if pill_distance(x + 0.5, 1.5) > 1.6 and pill_distance(x + 0.5, 2.5) > 1.6:
            canvas.blend(x, 2, (255, 244, 214), 0.55)

    text = Lettering(word, SANS_BOLD, 11)
    left = (PILL_W - text.width) // 2
    cap_top = (PILL_H - text.baseline) // 2  # centre the letters' body, descenders hang below
    # A faint light shadow one pixel down lifts the letters off the orange.
    text.draw(canvas, left, cap_top + 1, lambda x, y: (255, 226, 160), 0.5)
    text.draw(canvas, left, cap_top, lambda x, y: PILL_TEXT)
    write_bmp(name, canvas)


# --- check-box strip --------------------------------------------------------------------------

FRAME = 13
BOX_BORDER = (140, 16, 16)
TICK = (22, 142, 38)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def make_check_strip():
    canvas = Canvas(4 * FRAME, FRAME, WHITE)
    tick_points = [(3.0, 6.6), (5.4, 9.2), (10.0, 3.6)]

    def on_tick(x, y):
        return any(segment_distance(x, y, *tick_points[i], *tick_points[i + 1]) < 1.05
                   for i in range(len(tick_points) - 1))

    tick = coverage(FRAME, FRAME, on_tick, 6)
    for frame in range(4):
        pressed = frame in (1, 3)
        ticked = frame in (2, 3)
        x0 = frame * FRAME
        for y in range(FRAME):
            for x in range(FRAME):
                if x in (0, FRAME - 1) or y in (0, FRAME - 1):
                    colour = BOX_BORDER
                else:
                    t = (y - 1) / (FRAME - 3)
                    if pressed:  # sunk: darker, shaded from the top
                        colour = lerp((196, 184, 170), (226, 218, 206), t)
                        if x == 1 or y == 1:
                            colour = lerp(colour, (150, 136, 120), 0.6)
                    else:  # raised: light, a touch darker toward the bottom
                        colour = lerp((254, 252, 248), (232, 226, 216), t)
                    if ticked:
                        colour = lerp(colour, TICK, tick[y][x])
                canvas.put(x0 + x, y, colour)
    write_bmp("check_strip.bmp", canvas)


# --- window background ------------------------------------------------------------------------

TILE = 96


def make_background():
    """A seamless paper tile: a few slow waves that repeat with the tile, and a faint grain."""
    rng = random.Random(117)
    waves = [(rng.randint(1, 3), rng.randint(-2, 2), rng.uniform(0, 2 * math.pi),
              rng.uniform(0.6, 1.2)) for _ in range(4)]
    canvas = Canvas(TILE, TILE, PAPER)
    for y in range(TILE):
        for x in range(TILE):
            shade = sum(a * math.sin(2 * math.pi * (fx * x + fy * y) / TILE + p)
                        for fx, fy, p, a in waves)
            shade += rng.uniform(-1.2, 1.2)
            warm = 0.4 * math.sin(2 * math.pi * (x + 2 * y) / TILE)
            canvas.put(x, y, (PAPER[0] + shade + warm, PAPER[1] + shade, PAPER[2] + shade - warm))
    write_bmp("background.bmp", canvas)


# --- logo -------------------------------------------------------------------------------------

LOGO_W, LOGO_H = 170, 106
# The quill's nib and the top of its feather, in logo pixels. The home-page link is drawn over
# the logo from (92, 12) to the right, so the feather stays left of it.
NIB = (18.0, 56.0)
CROWN = (74.0, 7.0)


def quill_frame(x, y):
    """(u, v): u from 0 at the nib to 1 at the crown, v across the shaft in pixels, with the
    shaft bent slightly so the feather curls."""
    dx, dy = CROWN[0] - NIB[0], CROWN[1] - NIB[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    px, py = x - NIB[0], y - NIB[1]
    u = (px * ux + py * uy) / length
    v = px * uy - py * ux
    return u, v - 7.0 * u * u


def vane_half_widths(u):
    if u < 0.22 or u > 1.0:
        return 0.0, 0.0
    s = (u - 0.22) / 0.78
    body = math.sin(math.pi * min(1.0, s ** 0.7)) ** 0.8
    return 15.0 * body, 9.5 * body  # the outer side of the curl is wider


def in_vane(x, y):
    u, v = quill_frame(x, y)
    outer, inner = vane_half_widths(u)
    if not (-inner < v < outer):
        return False
    # Two notches split the barbs, as on a real feather.
    for at, side in ((0.52, 1), (0.74, -1)):
        if side * v > 2 and abs(u - at - 0.006 * side * v) < 0.012:
            return False
    return True


def in_shaft(x, y):
    u, v = quill_frame(x, y)
    return -0.02 <= u <= 1.03 and abs(v) < 0.75 + 0.5 * (1 - u)


def make_logo():
    canvas = Canvas(LOGO_W, LOGO_H, PAPER)
    touched = [[0.0] * LOGO_W for _ in range(LOGO_H)]

    def mark(x, y, a):
        touched[y][x] = max(touched[y][x], a)

    vane = coverage(LOGO_W, LOGO_H, in_vane, 4)
    shaft = coverage(LOGO_W, LOGO_H, in_shaft, 4)
    for y in range(LOGO_H):
        for x in range(LOGO_W):
            a = vane[y][x]
            if a > 0:
                u, v = quill_frame(x + 0.5, y + 0.5)
                colour = lerp(PILL_BOTTOM, PILL_TOP, max(0.0, min(1.0, (u - 0.2) / 0.8)))
                # Barbs: fine darker lines slanting from the shaft toward the crown.
                barb = 0.5 + 0.5 * math.sin((u * 90.0) - abs(v) * 0.9)
                colour = lerp(colour, PILL_OUTLINE, 0.18 * barb)
                # Darker toward the vane's rim, which outlines the feather softly.
                outer, inner = vane_half_widths(u)
                half = outer if v > 0 else inner
                rim = max(0.0, 1.0 - (half - abs(v)) / 2.2) if half > 0 else 1.0
                colour = lerp(colour, PILL_OUTLINE, 0.75 * rim)
                canvas.blend(x, y, colour, a)
                mark(x, y, a)
            a = shaft[y][x]
            if a > 0:
                canvas.blend(x, y, INK, a)
                mark(x, y, a)

    word = Lettering("Quillane", SERIF_BOLD_ITALIC, 34)
    word_left = (LOGO_W - word.width) // 2
    word_top = 58

    def word_colour(x, y):
        t = (y - word_top) / max(1, word.baseline)
        return lerp((206, 96, 10), INK, max(0.0, min(1.0, t)))

    word.draw(canvas, word_left, word_top, word_colour)
    for j, row in enumerate(word.alpha):
        for i, a in enumerate(row):
            if a > 0:
                mark(word_left + i, word_top + j, a)

    tag = Lettering("IMAGE FILTER PLUG-INS", SANS_BOLD, 8, spacing=1)
    tag_left = word_left + word.width - tag.width
    tag_top = word_top + word.height + 4
    tag.draw(canvas, tag_left, tag_top, lambda x, y: (120, 92, 64))
    for j, row in enumerate(tag.alpha):
        for i, a in enumerate(row):
            if a > 0:
                mark(tag_left + i, tag_top + j, a)

    # Untouched pixels become the key; touched ones were blended toward the paper tone, which
    # melts into the tiled background. None may turn out exact white by accident.
    for y in range(LOGO_H):
        for x in range(LOGO_W):
            if touched[y][x] == 0:
                canvas.put(x, y, WHITE)
            elif clamp_colour(canvas.get(x, y)) == WHITE:
                canvas.put(x, y, (254, 254, 254))
    write_bmp("logo.bmp", canvas)


# --- link cursor ------------------------------------------------------------------------------

# X black, . white, blank transparent. The tip of the index finger is the hot spot.
HAND = [
    "     XX          ",
    "    X..X         ",
    "    X..X         ",
    "    X..X         ",
    "    X..X         ",
    "    X..XXX       ",
    "    X..X..XXX    ",
    "    X..X..X..XX  ",
    " XX X..X..X..X.X ",
    "X..XX........X..X",
    "X...X...........X",
    " X..............X",
    "  X.............X",
    "  X.............X",
    "   X...........X ",
    "   X...........X ",
    "    X.........X  ",
    "    X.........X  ",
    "     X.......X   ",
    "     X.......X   ",
    "     XXXXXXXXX   ",
]
HAND_OFFSET = (1, 0)
HAND_HOT_SPOT = (HAND_OFFSET[0] + 5, HAND_OFFSET[1] + 0)


def make_cursor():
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        xor_bits = and_bits = 0
        for x in range(size):
            hx, hy = x - HAND_OFFSET[0], y - HAND_OFFSET[1]
            cell = HAND[hy][hx] if 0 <= hy < len(HAND) and 0 <= hx < len(HAND[hy]) else " "
            bit = 1 << (31 - x)
            if cell == " ":
                and_bits |= bit  # screen shows through
            elif cell == ".":
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # Masks are stored bottom-up; the header's height counts both masks.
    image = (struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 1, 0, 0, 0, 0, 2, 0) +
             bytes((0, 0, 0, 0, 255, 255, 255, 0)) + b"".join(reversed(xor_rows)) +
             b"".join(reversed(and_rows)))
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, HAND_HOT_SPOT[0], HAND_HOT_SPOT[1],
                        len(image), 6 + 16)
    with open(os.path.join(ART, "hand.cur"), "wb") as f:
        f.write(directory + entry + image)


def main():
    for tool in (CONVERT, SANS_BOLD, SERIF_BOLD_ITALIC):
        if not os.path.exists(tool):
            sys.exit("make_art: %s is missing" % tool)
    os.makedirs(ART, exist_ok=True)
    make_background()
    make_check_strip()
    make_pill("button_cancel.bmp", "Cancel")
    make_pill("button_install.bmp", "Install")
    make_pill("button_enjoy.bmp", "Enjoy")
    make_logo()
    make_cursor()


if __name__ == "__main__":
    main()
