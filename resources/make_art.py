#!/usr/bin/env python3
"""Draws every picture Tintara carries: the picker cursor, the menu bitmaps,
the tool-button glyphs, the version dialog's title and the application icon.

The small pictures are pixel art kept here as rows of palette letters and
written out as XPM, which Qt reads natively and which stays readable in a
diff. The title and the icons have smooth colour and are written as PNG.
Only the standard library is used.

    python3 resources/make_art.py              rewrite the files in resources/
    python3 resources/make_art.py --sheet x.png  also draw a contact sheet
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def rgb(hex_text):
    value = int(hex_text, 16)
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


# One letter per colour. The XPM files reuse these letters where they can.
PALETTE = {
    " ": None,
    "#": rgb("202020"),  # outline
    "k": rgb("000000"),
    "w": rgb("FFFFFF"),
    "l": rgb("E8E8E8"),  # paper shade
    "s": rgb("C0C0C0"),
    "g": rgb("808080"),
    "d": rgb("505050"),
    "r": rgb("E02818"),
    "R": rgb("901010"),
    "p": rgb("F070A8"),  # pink
    "P": rgb("C02060"),
    "o": rgb("F8D868"),  # folder front
    "y": rgb("E0A820"),  # folder back
    "Y": rgb("FFE020"),  # sun, badges
    "G": rgb("30A040"),
    "e": rgb("80D070"),
    "b": rgb("2868D0"),
    "B": rgb("102878"),
    "c": rgb("A8D8F8"),  # sky, glass
    "t": rgb("008080"),
    "m": rgb("803090"),
    "n": rgb("A86830"),  # wood
    "N": rgb("704018"),
}

# The sixteen standard colours, in menu order.
STANDARD = [
    "000000", "800000", "008000", "808000", "000080", "800080", "008080", "C0C0C0",
    "808080", "FF0000", "00FF00", "FFFF00", "0000FF", "FF00FF", "00FFFF", "FFFFFF",
]


class Canvas:
    def __init__(self, width, height, fill=None):
        self.width = width
        self.height = height
        self.px = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.px[y][x]
        return None

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def paint(self, x0, y0, rows, palette=PALETTE):
        """Lays rows of palette letters over the canvas; blanks let it show."""
        width = len(rows[0])
        for row in rows:
            assert len(row) == width, (row, width)
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                if letter != " ":
                    self.set(x0 + dx, y0 + dy, palette[letter])
        return self

    def stamp(self, x0, y0, rows, rim, palette=PALETTE):
        """Paints rows like paint() inside a one-pixel rim of colour rim,
        so a small sign stays readable over the picture beneath."""
        marks = {(x0 + dx, y0 + dy) for dy, row in enumerate(rows)
                 for dx, letter in enumerate(row) if letter != " "}
        for x, y in marks:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    if (x + dx, y + dy) not in marks:
                        self.set(x + dx, y + dy, rim)
        return self.paint(x0, y0, rows, palette)

    def shape(self, inside, fill, outline=None):
        """Fills the pixels whose centres satisfy inside(x, y); with an
        outline colour, the filled pixels touching the outside take it."""
        mask = [[inside(x + 0.5, y + 0.5) for x in range(self.width)]
                for y in range(self.height)]

        def filled(x, y):
            return 0 <= x < self.width and 0 <= y < self.height and mask[y][x]

        for y in range(self.height):
            for x in range(self.width):
                if not mask[y][x]:
                    continue
                edge = not all(filled(x + dx, y + dy)
                               for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                colour = outline if (edge and outline) else fill
                if callable(colour):
                    colour = colour(x, y)
                self.set(x, y, colour)
        return self


def art(rows, palette=PALETTE):
    return Canvas(len(rows[0]), len(rows)).paint(0, 0, rows, palette)


# ---------------------------------------------------------------- writers

XPM_LETTERS = (" .#+@$%&*=-;>,')!~{]^/(_:<[}|1234567890abcdefghijklmnopqrstuvwxyz"
               "ABCDEFGHIJKLMNOPQRSTUVWXYZ")


def write_xpm(path, canvas):
    colours = []
    for row in canvas.px:
        for colour in row:
            if colour not in colours:
                colours.append(colour)
    letters = {}
    taken = set()
    # Prefer the palette's own letter so the file reads like the art above.
    for colour in colours:
        for letter, value in PALETTE.items():
            if value == colour and letter not in taken:
                letters[colour] = letter
                taken.add(letter)
                break
    spare = (c for c in XPM_LETTERS if c not in PALETTE)
    for colour in colours:
        if colour not in letters:
            letter = next(spare)
            letters[colour] = letter
            taken.add(letter)
    name = os.path.splitext(os.path.basename(path))[0].replace("-", "_")
    lines = ["/* XPM */", "static const char *const %s[] = {" % name.lower(),
             '"%d %d %d 1",' % (canvas.width, canvas.height, len(colours))]
    for colour in colours:
        value = "None" if colour is None else "#%02X%02X%02X" % colour
        lines.append('"%s c %s",' % (letters[colour], value))
    rows = ['"%s"' % "".join(letters[c] for c in row) for row in canvas.px]
    lines.append(",\n".join(rows))
    lines.append("};")
    with open(path, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


def png_bytes(width, height, pixels, alpha):
    """pixels: rows of (r, g, b) or (r, g, b, a) tuples."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for p in row:
            raw.extend(p[:4] if alpha else p[:3])
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write_png(path, width, height, pixels, alpha):
    with open(path, "wb") as out:
        out.write(png_bytes(width, height, pixels, alpha))


# ---------------------------------------------------------------- eyedroppers

def dropper(canvas, tip_x, tip_y, bands, outline):
    """Draws an eyedropper lying at 45 degrees, tip at (tip_x, tip_y) and
    bulb towards the upper right. bands lists (first_t, last_t, half_width,
    colour) along the axis, t counting half-diagonal steps from the tip and
    the half width counted the same way across it. Pixels beside the outside,
    corners included, take the outline colour, so the rim is a solid stair."""
    def band(x, y):
        dx = x - tip_x
        dy = tip_y - y
        t = dx + dy
        s = abs(dx - dy)
        for first, last, half, colour in bands:
            if first <= t <= last and s <= half:
                return colour
        return None

    mask = [[band(x, y) for x in range(canvas.width)] for y in range(canvas.height)]

    def outside(x, y):
        return not (0 <= x < canvas.width and 0 <= y < canvas.height) or mask[y][x] is None

    for y in range(canvas.height):
        for x in range(canvas.width):
            colour = mask[y][x]
            if colour is None:
                continue
            edge = any(outside(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            canvas.set(x, y, outline if edge else colour)


def cursor_piccer():
    """The picker cursor: a black eyedropper with a white rim so it shows on
    any screen, its tip (the hot spot) at column 0, row 13. Only black, white
    and transparent, as a cursor must be."""
    return art([
        "                 wwwwww         ",
        "                wwkkkkww        ",
        "            wwwwwkkkkkkw        ",
        "           wwkwwkkkkkkkw        ",
        "           wkkwkkkkkkkkw        ",
        "         wwwkkkwkkkkkkww        ",
        "       wwwkkwkkwkkkkkww         ",
        "     wwwkkwwwwkkwwwwww          ",
        "   wwwkkwwwwwkkkw               ",
        "  wwkkwwwwwkkwwkw               ",
        " wwkwwwwwkkwwwwww               ",
        "wwkkwwwkkwww                    ",
        "wkkkwkkwww                      ",
        "kkkkkwww                        ",
        "wwwwww                          ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
    ])


# ---------------------------------------------------------------- menu bitmaps

def bitmap_open():
    return art([
        "               ",
        "               ",
        " ####          ",
        "#yyyy#         ",
        "#yyyyy#####    ",
        "#yyyyyyyyyy#   ",
        "#yyy###########",
        "#yy#ooooooooo# ",
        "#yy#ooooooooo# ",
        "#y#ooooooooo#  ",
        "#y#ooooooooo#  ",
        "##ooooooooo#   ",
        "##ooooooooo#   ",
        "###########    ",
        "               ",
    ])


def bitmap_exit():
    return art([
        "                ",
        " #########      ",
        " #nnnnnnn#      ",
        " #nnnnnnn# r    ",
        " #nnnnnnn# rr   ",
        " #nnnnnnn# rrr  ",
        " #nnnnrrrrrrrrr ",
        " #nnnnrrrrrrrrrr",
        " #nnnnrrrrrrrrr ",
        " #nnnnnnn# rrr  ",
        " #nnnnnnY# rr   ",
        " #nnnnnnn# r    ",
        " #nnnnnnn#      ",
        " #nnnnnnn#      ",
        " #########      ",
        "                ",
    ])


def bitmap_save_user():
    return art([
        "    ####    ",
        "    #bb#    ",
        "    #bb#    ",
        "  ###bb###  ",
        "   #bbbb#   ",
        "    #bb#    ",
        "     ##     ",
        "            ",
        " ########## ",
        " #rr#GG#bb# ",
        " #rr#GG#bb# ",
        " ########## ",
    ])


def bitmap_copy():
    return art([
        "#######    ",
        "#wwwww#    ",
        "#wgggw#    ",
        "#www#######",
        "#wgg#wwwww#",
        "#www#wgggw#",
        "#wgg#wwwww#",
        "#####wgggw#",
        "    #wwwww#",
        "    #wgggw#",
        "    #######",
    ])


def bitmap_paste():
    return art([
        "      ####     ",
        "  ####ssss#### ",
        "  #nn#ssss#nn# ",
        "  #nnn####nnn# ",
        "  #nwwwwwwwwn# ",
        "  #nwggggggwn# ",
        "  #nwwwwwwwwn# ",
        "  #nwggggwwwn# ",
        "  #nwwwwwwwwn# ",
        "  #nwgggggwwn# ",
        "  #nwwwwwwwwn# ",
        "  #nwwwwwwwwn# ",
        "  #nnnnnnnnnn# ",
        "  ############ ",
        "               ",
    ])


def bitmap_earth():
    return art([
        "     #####     ",
        "   ##bbGGb##   ",
        "  #bcbGGGGbb#  ",
        " #bcGbbGGGbbb# ",
        " #GGGGbbGbbbb# ",
        "#bGGGGGbbbbGGb#",
        "#bbGGGGbbbGGGG#",
        "#bbbGGbbbbGGGG#",
        "#bbbbGGbbbbGGb#",
        "#bbbbGGGbbbGbb#",
        " #bbbGGGbbbbb# ",
        " #bbbbGGbbbbb# ",
        "  #bbbGbbbbb#  ",
        "   ##bbbbb##   ",
        "     #####     ",
    ])


def bitmap_display():
    return art([
        "               ",
        "###############",
        "#sssssssssssss#",
        "#s###########s#",
        "#s#ttttttttt#s#",
        "#s#tBBBBBBtt#s#",
        "#s#twwwwwwtt#s#",
        "#s#twwwwwwtt#s#",
        "#s#twwwwwwtt#s#",
        "#s#ttttttttt#s#",
        "#s###########s#",
        "#sssssssssssss#",
        "###############",
        "     #sss#     ",
        "   #########   ",
    ])


def bitmap_undo():
    return art([
        "           ",
        "   ####    ",
        "  ######   ",
        " ##    ##  ",
        " ##     ## ",
        "######  ## ",
        " ####   ## ",
        "  ##   ##  ",
        "      ##   ",
        "     ##    ",
        "           ",
    ], {**PALETTE, "#": rgb("102878")})


def standard_grid(cell):
    c = Canvas(4 * cell, 4 * cell)
    for k, text in enumerate(STANDARD):
        colour = rgb(text)
        for y in range(cell):
            for x in range(cell):
                c.set((k % 4) * cell + x, (k // 4) * cell + y, colour)
    return c


def bitmap_solid(index):
    return Canvas(10, 10, rgb(STANDARD[index]))


# ---------------------------------------------------------------- glyphs

def sheet(width, height):
    """A sheet of paper with a folded corner, as rows."""
    rows = ["#" * (width - 3) + "   "]
    rows.append("#" + "w" * (width - 5) + "##  ")
    rows.append("#" + "w" * (width - 5) + "#l# ")
    rows.append("#" + "w" * (width - 5) + "####")
    for _ in range(height - 5):
        rows.append("#" + "w" * (width - 2) + "#")
    rows.append("#" * width)
    return rows


def glyph_open():
    c = Canvas(20, 20)
    c.paint(0, 4, [
        " ####               ",
        "#yyyy#              ",
        "#yyyyy############  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "#yyyyyyyyyyyyyyyy#  ",
        "##################  ",
    ])
    c.paint(5, 1, [
        "###########",
        "#wwwwwwwww#",
        "#wccccccYw#",
        "#wcccccYYw#",
        "#wccGccccw#",
        "#wcGGGcccw#",
        "#wGGGGGcGw#",
        "#wGGGGGGGw#",
        "#wwwwwwwww#",
        "###########",
    ])
    c.paint(0, 10, [
        "    ################",
        "   #oooooooooooooo# ",
        "   #oooooooooooooo# ",
        "  #oooooooooooooo#  ",
        "  #oooooooooooooo#  ",
        " #oooooooooooooo#   ",
        " #oooooooooooooo#   ",
        "#oooooooooooooo#    ",
        "################    ",
    ])
    return c


def mini_page(c, x, y):
    """The inside of a page of HTML: text, link, visited and active lines."""
    c.paint(x, y, [
        "kkkkk  ",
        "       ",
        "bbbb kk",
        "       ",
        "kk mmmm",
        "       ",
        "rrr kkk",
    ])


def glyph_copy_body():
    c = Canvas(20, 20)
    c.paint(1, 0, sheet(11, 14))
    c.paint(3, 4, ["ggggg", "     ", "ggg  ", "     ", "gggg "])
    c.paint(7, 5, sheet(12, 15))
    mini_page(c, 9, 9)
    return c


def glyph_paste():
    c = Canvas(20, 20)
    c.paint(1, 1, [
        "      ######     ",
        "  ####ssssss#### ",
        " #nnn#ssssss#nnn#",
        " #nnnn######nnnn#",
    ] + [" #nnnnnnnnnnnnnn#"] * 11 + [
        " #NNNNNNNNNNNNNN#",
        "  ############## ",
    ])
    c.paint(5, 6, sheet(11, 13))
    mini_page(c, 7, 10)
    return c


def glyph_piccer():
    c = Canvas(20, 20)
    outline = PALETTE["#"]
    dropper(c, 1, 18, [
        (0, 2, 1, outline),
        (3, 11, 3, PALETTE["r"]),    # a drop of colour drawn up
        (12, 20, 3, PALETTE["c"]),   # clear glass
        (21, 22, 5, PALETTE["s"]),   # collar
        (23, 30, 5, PALETTE["R"]),   # rubber bulb
        (31, 31, 4, PALETTE["R"]),
        (32, 32, 3, PALETTE["R"]),
        (33, 33, 2, PALETTE["R"]),
    ], outline)
    # a glint on the bulb
    c.set(14, 3, PALETTE["p"])
    c.set(15, 2, PALETTE["p"])
    return c


def glyph_copy_colour():
    c = Canvas(20, 20)
    c.paint(1, 0, sheet(11, 14))
    c.paint(3, 4, ["ggggg", "     ", "ggg  ", "     ", "gggg "])
    c.paint(7, 5, sheet(12, 15))
    c.paint(9, 9, [
        "rrrrrrr",
        "rrrrrrr",
        "GGGGGGG",
        "GGGGGGG",
        "bbbbbbb",
        "bbbbbbb",
    ])
    return c


def glyph_source_names():
    c = Canvas(20, 20)
    land = [
        "                    ",
        "       GGG          ",
        "     GGGGG  G       ",
        "   GGGGGGG GGGG     ",
        "  GGGGGGGG  GGGGG   ",
        "  GGGGGGG    GGGG   ",
        "   GGGGG       GG   ",
        "    GGG   G         ",
        "     GG  GGGG       ",
        "      G GGGGGG   GG ",
        "        GGGGGGG GGG ",
        "         GGGGGG GGG ",
        "          GGGGG  G  ",
        "          GGGG      ",
        "          GGG       ",
        "          GG        ",
        "                    ",
        "                    ",
        "                    ",
        "                    ",
    ]
    cx, cy, r = 10.0, 10.0, 9.3

    def inside(x, y):
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def fill(x, y):
        if land[y][x] == "G":
            return PALETTE["G"]
        if (x - 7) ** 2 + (y - 6) ** 2 <= 4:
            return PALETTE["c"]
        return PALETTE["b"]

    c.shape(inside, fill, PALETTE["B"])
    return c


def monitor(width, height, stand):
    """A monitor with an empty teal screen, as rows."""
    rows = ["#" * width, "#" + "s" * (width - 2) + "#",
            "#s" + "#" * (width - 4) + "s#"]
    for _ in range(height - 6):
        rows.append("#s#" + "t" * (width - 6) + "#s#")
    rows += ["#s" + "#" * (width - 4) + "s#", "#" + "s" * (width - 2) + "#", "#" * width]
    pad = (width - stand) // 2
    rows.append(" " * pad + "#" + "s" * (stand - 2) + "#" + " " * (width - pad - stand))
    rows.append(" " * (pad - 2) + "#" * (stand + 4) + " " * (width - pad - stand - 2))
    return rows


def glyph_source_screen():
    c = Canvas(20, 20)
    c.paint(0, 1, monitor(20, 15, 6))
    c.paint(4, 4, [
        "BBBBBBBBwB",
        "wwwwwwwwww",
        "wbbbwwwwww",
        "wwwwwwwggw",
        "wggggwwwww",
        "wwwwwwwwww",
        "wwwwwwwsss",
    ])
    return c


def heart(centre_x, centre_y, scale):
    """The inside test of a heart whose cleft sits scale above its centre."""
    def inside(x, y):
        u = (x - centre_x) / scale
        v = -(y - centre_y) / scale
        return (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0
    return inside


def glyph_source_favourites():
    c = Canvas(20, 20)

    def fill(x, y):
        if (x - 5.5) ** 2 + (y - 5.5) ** 2 <= 2.5:
            return PALETTE["p"]
        return PALETTE["r"]

    c.shape(heart(10.0, 10.9, 8.0), fill, PALETTE["R"])
    return c


def glyph_source_standard():
    c = Canvas(20, 20)
    for y in range(1, 19):
        for x in range(1, 19):
            c.set(x, y, PALETTE["#"])
    for k, text in enumerate(STANDARD):
        col, row = k % 4, k // 4
        for y in range(3):
            for x in range(3):
                c.set(2 + col * 4 + x, 2 + row * 4 + y, rgb(text))
    # a shadow to lift the tile off the button
    for i in range(2, 20):
        c.set(19, i, PALETTE["g"])
        c.set(i, 19, PALETTE["g"])
    return c


def small_monitor(c):
    c.paint(0, 0, monitor(14, 11, 4))


def glyph_screen_set():
    c = Canvas(16, 16)
    c.paint(0, 3, monitor(13, 10, 4))
    c.paint(3, 6, ["ppppppp"] * 4)
    c.paint(8, 0, [
        "  ####  ",
        "  #GG#  ",
        "  #GG#  ",
        "###GG###",
        "#GGGGGG#",
        " #GGGG# ",
        "  #GG#  ",
        "   ##   ",
    ])
    return c


def clock(c, x, y):
    c.paint(x, y, [
        "  ####  ",
        " #wwww# ",
        "#wwwkww#",
        "#wwwkww#",
        "#wwwkkk#",
        "#wwwwww#",
        " #wwww# ",
        "  ####  ",
    ])


def glyph_screen_startup():
    c = Canvas(16, 16)
    small_monitor(c)
    clock(c, 8, 7)
    return c


def glyph_screen_restore():
    c = Canvas(16, 16)
    small_monitor(c)
    c.stamp(5, 5, [
        "   ####   ",
        "  ######  ",
        " ##    ## ",
        "######  ##",
        " ####   ##",
        "  ##   ## ",
        "      ##  ",
        "     ##   ",
    ], PALETTE["w"], {**PALETTE, "#": PALETTE["b"]})
    return c


def badge(c, x, y, colour, sign):
    """A round coloured badge with a white plus or minus."""
    c.paint(x, y, [
        " ##### ",
        "#bbbbb#",
        "#bbbbb#",
        "#bbbbb#",
        "#bbbbb#",
        "#bbbbb#",
        " ##### ",
    ], {**PALETTE, "b": colour})
    if sign == "+":
        c.paint(x + 1, y + 1, ["  w  ", "  w  ", "wwwww", "  w  ", "  w  "])
    else:
        c.paint(x + 1, y + 3, ["wwwww"])


def small_heart(c):
    c.shape(heart(7.0, 8.4, 6.0), PALETTE["p"], PALETTE["P"])


def glyph_favourite_add():
    c = Canvas(16, 16)
    small_heart(c)
    badge(c, 9, 9, PALETTE["G"], "+")
    return c


def glyph_favourite_delete():
    c = Canvas(16, 16)
    small_heart(c)
    badge(c, 9, 9, PALETTE["r"], "-")
    return c


def glyph_user_save():
    c = Canvas(16, 16)
    c.paint(0, 0, [
        "      ####      ",
        "      #bb#      ",
        "      #bb#      ",
        "      #bb#      ",
        "   ####bb####   ",
        "    #bbbbbb#    ",
        "     #bbbb#     ",
        "      #bb#      ",
        "       ##       ",
        "                ",
        "################",
        "#rr#YY#GG#bb#ww#",
        "#rr#YY#GG#bb#ww#",
        "#rr#YY#GG#bb#ww#",
        "################",
        "                ",
    ])
    return c


def glyph_user_copy():
    c = Canvas(16, 16)
    c.paint(0, 0, sheet(10, 12))
    c.paint(2, 4, ["gggg", "    ", "ggg "])
    c.paint(5, 3, sheet(11, 13))
    c.paint(7, 7, [
        "######",
        "#tttt#",
        "#tttt#",
        "#tttt#",
        "######",
    ])
    return c


# ---------------------------------------------------------------- title

LETTERS = {
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "i": ["#", " ", "#", "#", "#", "#", "#"],
    "n": ["    ", "    ", "### ", "#  #", "#  #", "#  #", "#  #"],
    "t": [" # ", " # ", "###", " # ", " # ", " # ", "  #"],
    "a": ["    ", "    ", "### ", "   #", " ###", "#  #", " ###"],
    "r": ["   ", "   ", "# #", "## ", "#  ", "#  ", "#  "],
}
# One hue per letter, the way a row of paint pots would stand.
LETTER_COLOURS = ["D83A2E", "E8832A", "C9A80E", "3F9F45", "1E9A9A", "2F63C8", "8A3FB5"]


def shade(colour, factor):
    """Lightens or darkens a colour, stopping short of 255 so the lettering
    is never pure white, the colour the version dialog turns into its face."""
    return tuple(max(0, min(254, int(round(ch * factor)))) for ch in colour)


def title_picture():
    cell = 5
    width, height = 200, 40
    word = "Tintara"
    glyphs = [LETTERS[ch] for ch in word]
    total = sum(len(g[0]) for g in glyphs) + (len(glyphs) - 1)
    left = (width - total * cell) // 2
    top = (height - 7 * cell) // 2 - 1

    img = [[(255, 255, 255)] * width for _ in range(height)]

    def block(glyph, gx, gy):
        return 0 <= gy < len(glyph) and 0 <= gx < len(glyph[0]) and glyph[gy][gx] == "#"

    def draw(colour_at, dx, dy):
        x0 = left
        for glyph, tint in zip(glyphs, LETTER_COLOURS):
            for gy, row in enumerate(glyph):
                for gx, letter in enumerate(row):
                    if letter != "#":
                        continue
                    for py in range(cell):
                        for px in range(cell):
                            # Round the outer corners of each stroke end.
                            cx = -1 if px == 0 else (1 if px == cell - 1 else 0)
                            cy = -1 if py == 0 else (1 if py == cell - 1 else 0)
                            if cx and cy and not (block(glyph, gx + cx, gy) or
                                                  block(glyph, gx, gy + cy) or
                                                  block(glyph, gx + cx, gy + cy)):
                                continue
                            x = x0 + gx * cell + px + dx
                            y = top + gy * cell + py + dy
                            if 0 <= x < width and 0 <= y < height:
                                img[y][x] = colour_at(rgb(tint), y - top)
            x0 += (len(glyph[0]) + 1) * cell

    draw(lambda tint, y: (176, 176, 176), 2, 2)
    draw(lambda tint, y: shade(tint, 1.25 - 0.5 * y / (7 * cell)), 0, 0)
    return width, height, img


# ---------------------------------------------------------------- icon

def icon_pixels(size):
    """A rounded tile holding three overlapping light circles, red, green and
    blue, that add up where they meet."""
    samples = 4 if size >= 64 else 8
    radius_corner = 0.18
    circles = [((0.50, 0.38), (235, 50, 50)),
               ((0.37, 0.60), (50, 220, 80)),
               ((0.63, 0.60), (60, 90, 240))]
    circle_r = 0.22
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size
                    v = (y + (sy + 0.5) / samples) / size
                    # rounded square from 0.04 to 0.96
                    m, n = 0.04, 0.96
                    qx = max(m + radius_corner - u, 0, u - (n - radius_corner))
                    qy = max(m + radius_corner - v, 0, v - (n - radius_corner))
                    if qx * qx + qy * qy > radius_corner ** 2:
                        continue
                    base = (34 + 30 * (1 - v), 44 + 30 * (1 - v), 66 + 40 * (1 - v))
                    light = [0.0, 0.0, 0.0]
                    for (ccx, ccy), colour in circles:
                        if (u - ccx) ** 2 + (v - ccy) ** 2 <= circle_r ** 2:
                            for i in range(3):
                                light[i] += colour[i]
                    for i in range(3):
                        acc[i] += min(255.0, base[i] * (0.35 if any(light) else 1.0) + light[i])
                    acc[3] += 255.0
            count = samples * samples
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                covered = acc[3] / 255.0
                row.append(tuple(int(round(acc[i] / covered)) for i in range(3)) +
                           (int(round(acc[3] / count)),))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- all files

MENU_BITMAPS = {
    "BITMAPOPEN": bitmap_open,
    "BITMAPEXIT": bitmap_exit,
    "BITMAPSAVEU": bitmap_save_user,
    "BITMAPCOPY": bitmap_copy,
    "BITMAPPASTE": bitmap_paste,
    "BITMAPEARTH": bitmap_earth,
    "BITMAPDISP": bitmap_display,
    "BITMAPUNDO": bitmap_undo,
    "BITMAPSTD": lambda: standard_grid(4),
}

GLYPHS = {
    "open": glyph_open,
    "copy_body": glyph_copy_body,
    "paste": glyph_paste,
    "piccer": glyph_piccer,
    "copy_colour": glyph_copy_colour,
    "source_names": glyph_source_names,
    "source_screen": glyph_source_screen,
    "source_favourites": glyph_source_favourites,
    "source_standard": glyph_source_standard,
    "screen_set": glyph_screen_set,
    "screen_startup": glyph_screen_startup,
    "screen_restore": glyph_screen_restore,
    "favourite_add": glyph_favourite_add,
    "favourite_delete": glyph_favourite_delete,
    "user_save": glyph_user_save,
    "user_copy": glyph_user_copy,
}

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def canvases():
    yield "cursors/PICCER.xpm", cursor_piccer()
    for name, make in MENU_BITMAPS.items():
        yield "bitmaps/%s.xpm" % name, make()
    for index in range(16):
        yield "bitmaps/BITMAP%d.xpm" % index, bitmap_solid(index)
    for name, make in GLYPHS.items():
        yield "glyphs/%s.xpm" % name, make()


def write_all():
    pictures = []
    for relative, canvas in canvases():
        path = os.path.join(HERE, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_xpm(path, canvas)
        pictures.append((relative, canvas.width, canvas.height,
                         [[None if p is None else p + (255,) for p in row]
                          for row in canvas.px]))
    width, height, img = title_picture()
    write_png(os.path.join(HERE, "bitmaps/BITMAPTITLE.png"), width, height, img, False)
    pictures.append(("title", width, height, [[p + (255,) for p in row] for row in img]))
    os.makedirs(os.path.join(HERE, "icons"), exist_ok=True)
    for size in ICON_SIZES:
        px = icon_pixels(size)
        write_png(os.path.join(HERE, "icons/tintara-%d.png" % size), size, size, px, True)
        if size <= 48:
            pictures.append(("icon%d" % size, size, size, px))
    return pictures


def contact_sheet(path, pictures, scale=6):
    """Every small picture enlarged on a chequered ground, for looking at."""
    pad = 8
    sheet_w = 1400
    x = y = pad
    line_h = 0
    placed = []
    for name, w, h, px in pictures:
        s = scale if w <= 48 else 3
        if x + w * s + pad > sheet_w:
            x = pad
            y += line_h + pad
            line_h = 0
        placed.append((x, y, s, w, h, px))
        x += w * s + pad
        line_h = max(line_h, h * s)
    sheet_h = y + line_h + pad
    out = [[(200, 200, 200)] * sheet_w for _ in range(sheet_h)]
    for x0, y0, s, w, h, px in placed:
        for yy in range(h * s):
            for xx in range(w * s):
                p = px[yy // s][xx // s]
                if p is None or (len(p) == 4 and p[3] == 0):
                    chequer = ((xx // s) + (yy // s)) % 2
                    p = (170, 170, 170) if chequer else (230, 230, 230)
                out[y0 + yy][x0 + xx] = tuple(p[:3])
    write_png(path, sheet_w, sheet_h, out, False)


def main(argv):
    pictures = write_all()
    if len(argv) == 3 and argv[1] == "--sheet":
        contact_sheet(argv[2], pictures)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
