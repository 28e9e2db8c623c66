#!/usr/bin/env python3
"""Draws Vornet's icon, a stopwatch, and writes src/res/vornet.ico.

The icon holds 16, 32 and 48 pixel images, 32-bit with alpha, stored as DIBs so that
every Windows version and resource compiler takes them. Shapes are described in pixel
units per size (a 16 pixel tray icon needs whole-pixel strokes, not a scaled-down
drawing) and rendered with 8 x 8 supersampling.

    tools/make-icon.py                  write src/res/vornet.ico
    tools/make-icon.py --preview X.png  also write an enlarged preview on light, dark
                                        and checkered backgrounds

Python 3 standard library only.
"""
import math
import os
import struct
import sys
import zlib

INK = (0x1B, 0x26, 0x36)      # case, crown, hand: near-black blue
FACE = (0xFF, 0xFF, 0xFF)
ELAPSED = (0xF0, 0x6A, 0x1F)  # the time run so far: strong orange

# Per size, in pixels: centre, case radius, case ring width, hand width and length, centre
# dot radius, crown (x0, y0, x1, y1), stem (x0, y0, x1, y1), side button length and width
# (at 16 pixels a plain square instead, so that it stays sharp).
GEOMETRY = {
    16: dict(cx=8.0, cy=9.0, r=7.0, ring=2.0, hand=2.0, hand_len=3.0, dot=0.0,
             crown=(5.0, 0.0, 11.0, 1.5), stem=(7.0, 1.0, 9.0, 3.0), button=(12.0, 2.0, 14.0, 4.0)),
    32: dict(cx=16.0, cy=18.0, r=14.0, ring=3.0, hand=3.0, hand_len=7.0, dot=3.0,
             crown=(11.0, 0.0, 21.0, 3.0), stem=(14.0, 2.0, 18.0, 5.0), button=(3.5, 3.5)),
    48: dict(cx=24.0, cy=27.0, r=21.0, ring=4.0, hand=4.0, hand_len=12.0, dot=4.5,
             crown=(17.0, 0.0, 31.0, 5.0), stem=(21.0, 4.0, 27.0, 7.0), button=(5.0, 5.0)),
}

HAND_ANGLE = 90.0  # degrees clockwise from twelve o'clock: a quarter run, axis-aligned and crisp at 16 px
BUTTON_ANGLE = 45.0
SUPERSAMPLE = 8


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_rect(px, py, rect):
    x0, y0, x1, y1 = rect
    return x0 <= px <= x1 and y0 <= py <= y1


def direction(angle):
    """Unit vector for an angle clockwise from twelve o'clock, y pointing down."""
    a = math.radians(angle)
    return math.sin(a), -math.cos(a)


def sample(g, px, py):
    """Colour of one sample point, or None where the icon is transparent."""
    cx, cy, r = g["cx"], g["cy"], g["r"]
    d = math.hypot(px - cx, py - cy)
    inner = r - g["ring"]

    ux, uy = direction(HAND_ANGLE)
    hand_len = g["hand_len"]
    if d <= g["dot"] or segment_distance(px, py, cx, cy, cx + ux * hand_len,
                                         cy + uy * hand_len) <= g["hand"] / 2:
        return INK
    if d <= inner:
        angle = math.degrees(math.atan2(px - cx, -(py - cy))) % 360.0
        return ELAPSED if angle <= HAND_ANGLE else FACE
    if d <= r:
        return INK
    if inside_rect(px, py, g["crown"]) or inside_rect(px, py, g["stem"]):
        return INK
    # Side button: a short bar standing out of the case at half past one.
    if len(g["button"]) == 4:
        return INK if inside_rect(px, py, g["button"]) else None
    bx, by = direction(BUTTON_ANGLE)
    length, width = g["button"]
    along = (px - cx) * bx + (py - cy) * by
    across = -(px - cx) * by + (py - cy) * bx
    if r - 1.0 <= along <= r + length and abs(across) <= width / 2:
        return INK
    return None


def render(size):
    """Rows of (r, g, b, a) tuples, top row first, straight (not premultiplied) alpha."""
    g = GEOMETRY[size]
    n = SUPERSAMPLE
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            sr = sg = sb = hits = 0
            for j in range(n):
                for i in range(n):
                    c = sample(g, x + (i + 0.5) / n, y + (j + 0.5) / n)
                    if c is not None:
                        sr += c[0]
                        sg += c[1]
                        sb += c[2]
                        hits += 1
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(sr / hits), round(sg / hits), round(sb / hits),
                            round(255 * hits / (n * n))))
        rows.append(row)
    return rows


def dib_image(rows):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the 1-bit AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:  # transparent where old, alpha-blind code draws the mask
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def ico_file(images):
    """images: list of (size, rows)."""
    blobs = [dib_image(rows) for _, rows in images]
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for (size, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def png_file(pixels):
    """pixels: rows of (r, g, b); an 8-bit RGB PNG."""
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview(images, path):
    """Each size enlarged to 192 pixels (nearest neighbour) and at its own size, on a light,
    a dark and a checkered background."""
    big = 192
    backgrounds = [lambda x, y: (0xF3, 0xF3, 0xF3), lambda x, y: (0x20, 0x20, 0x20),
                   lambda x, y: (0xC8, 0xC8, 0xC8) if (x // 8 + y // 8) % 2 else (0x78, 0x78, 0x78)]
    pad = 8
    width = pad + len(images) * (big + 48 + 2 * pad)
    height = pad + len(backgrounds) * (big + pad)
    canvas = [[(0x90, 0x90, 0x90)] * width for _ in range(height)]

    def put(x, y, px, bg):
        r, g, b, a = px
        br, bgc, bb = bg(x, y)
        canvas[y][x] = tuple(round((c * a + k * (255 - a)) / 255)
                             for c, k in ((r, br), (g, bgc), (b, bb)))

    for row_index, bg in enumerate(backgrounds):
        top = pad + row_index * (big + pad)
        for col, (size, rows) in enumerate(images):
            left = pad + col * (big + 48 + 2 * pad)
            for y in range(big + 0):
                for x in range(big + 48 + pad):
                    canvas[top + y][left + x] = bg(x, y)
            scale = big // size
            for y in range(size * scale):
                for x in range(size * scale):
                    put(left + x, top + y, rows[y // scale][x // scale], bg)
            for y in range(size):
                for x in range(size):
                    put(left + big + pad + x, top + y, rows[y][x], bg)
    with open(path, "wb") as f:
        f.write(png_file(canvas))


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    images = [(size, render(size)) for size in sorted(GEOMETRY)]
    target = os.path.join(root, "src", "res", "vornet.ico")
    with open(target, "wb") as f:
        f.write(ico_file(images))
    print(f"wrote {target}")
    if len(argv) == 3 and argv[1] == "--preview":
        preview(images, argv[2])
        print(f"wrote {argv[2]}")
    elif len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
