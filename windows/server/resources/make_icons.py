#!/usr/bin/env python3
"""Draws the component's two icons and writes them as .ico files beside this script.

chamfer.ico      the end of a threaded pin with its chamfered top edge highlighted
                 (the picture of the dialog's chamfer check box)
information.ico  a white letter i on a dark blue disc with a black rim
                 (the edge selection notice)

Each icon holds a 32x32 and a 16x16 image, 32-bit with alpha. Shapes are described
in a unit square (x to the right, y downwards) and sampled 4x4 times per pixel for
smooth edges. Run again after changing a drawing; the output is deterministic.
"""

import math
import os
import struct

SAMPLES = 4

TRANSPARENT = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
DARK_BLUE = (20, 45, 140, 255)
OUTLINE = (45, 45, 50, 255)
THREAD_LINE = (70, 70, 78, 255)
HIGHLIGHT = (235, 110, 20, 255)
TOP_FACE = (205, 205, 212, 255)


def steel(x):
    """Shade of a cylinder's side seen from the front: light left of centre."""
    t = min(max((x - 0.22) / 0.56, 0.0), 1.0)
    level = 235 - 120 * abs(t - 0.3) ** 1.2
    return (int(level), int(level), int(level + 8), 255)


def chamfer_pin(x, y):
    """The pin: body with thread, chamfer band and top face, outlined."""
    left, right = 0.25, 0.75            # body
    top_left, top_right = 0.36, 0.64    # top face after the chamfer
    face_y, chamfer_y, bottom = 0.14, 0.30, 0.97
    line = 0.035

    if not (face_y - line <= y <= bottom and left - line <= x <= right + line):
        return TRANSPARENT
    if y < chamfer_y:
        # Chamfer: the sides run from the body's edge in to the top face.
        t = (chamfer_y - y) / (chamfer_y - face_y)
        edge_left = left + t * (top_left - left)
        edge_right = right - t * (right - top_right)
        if x < edge_left - line or x > edge_right + line:
            return TRANSPARENT
        if x < edge_left or x > edge_right or y < face_y:
            return OUTLINE
        if abs(y - chamfer_y) < line / 2:
            return OUTLINE
        return HIGHLIGHT
    if x < left or x > right or y > bottom - line:
        return OUTLINE
    # Thread: slanted crests across the body.
    pitch = 0.1
    crest = (y - chamfer_y - 0.12 * (x - left)) % pitch
    if crest < 0.025:
        return THREAD_LINE
    return steel(x)


def information(x, y):
    """White i on a dark blue disc with a black rim."""
    r = math.hypot(x - 0.5, y - 0.5)
    if r > 0.48:
        return TRANSPARENT
    if r > 0.42:
        return BLACK
    dot = math.hypot(x - 0.5, y - 0.28) < 0.075
    stem = 0.435 <= x <= 0.565 and 0.41 <= y <= 0.74
    foot = 0.37 <= x <= 0.63 and 0.69 <= y <= 0.76
    cap = 0.40 <= x <= 0.565 and 0.41 <= y <= 0.46
    return WHITE if dot or stem or foot or cap else DARK_BLUE


def render(shape, size):
    """Rows of (r, g, b, a), top row first, averaged over the samples of each pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    r, g, b, a = shape(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha == 0:
                row.append(TRANSPARENT)
            else:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
        rows.append(row)
    return rows


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for px, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_icon(path, shape, sizes):
    images = [icon_image(render(shape, size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "chamfer.ico"), chamfer_pin, (32, 16))
    write_icon(os.path.join(here, "information.ico"), information, (32, 16))


if __name__ == "__main__":
    main()
