#!/usr/bin/env python3
"""Draws the icons and the divider cursor of the language resource libraries.

Run once after changing a drawing; the build uses the committed files and never
runs this script. Standard library only.

Icons hold 16x16 and 32x32 images, 32-bit with alpha, antialiased by
supersampling. The cursor is 32x32 monochrome with a white outline.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SUBSAMPLES = 4  # per axis


# --- shapes: functions of (x, y) in [0, 1] that answer whether a point is inside

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def triangle(ax, ay, bx, by, cx, cy):
    def side(px, py, qx, qy, x, y):
        return (qx - px) * (y - py) - (qy - py) * (x - px)

    def inside(x, y):
        d1 = side(ax, ay, bx, by, x, y)
        d2 = side(bx, by, cx, cy, x, y)
        d3 = side(cx, cy, ax, ay, x, y)
        return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)
    return inside


def diagonal_bar(cx, cy, half_length, half_width, angle):
    ca, sa = math.cos(angle), math.sin(angle)

    def inside(x, y):
        u = (x - cx) * ca + (y - cy) * sa
        v = -(x - cx) * sa + (y - cy) * ca
        return abs(u) <= half_length and abs(v) <= half_width
    return inside


# --- rendering: layers of (shape, (r, g, b, a)), later layers on top

def render(layers, size):
    pixels = []
    n = SUBSAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c
                    if colour:
                        a = colour[3] / 255.0
                        acc[0] += colour[0] * a
                        acc[1] += colour[1] * a
                        acc[2] += colour[2] * a
                        acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3] > 0:
                rgb = [round(acc[i] / acc[3]) for i in range(3)]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], round(alpha * 255)))
        pixels.append(row)
    return pixels


def mask_rows(size, is_clear):
    """AND mask, bottom-up, rows padded to 32 bits; 1 = transparent."""
    stride = (size + 31) // 32 * 4
    data = b""
    for y in reversed(range(size)):
        bits = bytearray(stride)
        for x in range(size):
            if is_clear(x, y):
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bytes(bits)
    return data


def icon_image(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(struct.pack("BBBB", b, g, r, a)
                      for row in reversed(pixels) for (r, g, b, a) in row)
    return header + colour + mask_rows(size, lambda x, y: pixels[y][x][3] == 0)


def write_icon(name, layers):
    images = [icon_image(render(layers, size)) for size in (16, 32)]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out + b"".join(images))


# --- the icons

WHITE = (255, 255, 255, 255)


def information():
    return [(circle(0.5, 0.5, 0.47), (20, 80, 170, 255)),
            (circle(0.5, 0.5, 0.42), (45, 125, 220, 255)),
            (circle(0.5, 0.27, 0.085), WHITE),
            (rect(0.42, 0.41, 0.58, 0.80), WHITE)]


def warning():
    return [(triangle(0.5, 0.03, 0.97, 0.94, 0.03, 0.94), (150, 100, 0, 255)),
            (triangle(0.5, 0.12, 0.89, 0.89, 0.11, 0.89), (250, 200, 30, 255)),
            (rect(0.44, 0.33, 0.56, 0.64), (30, 30, 30, 255)),
            (circle(0.5, 0.76, 0.07), (30, 30, 30, 255))]


def error():
    return [(circle(0.5, 0.5, 0.47), (140, 15, 15, 255)),
            (circle(0.5, 0.5, 0.42), (215, 40, 40, 255)),
            (diagonal_bar(0.5, 0.5, 0.25, 0.07, math.pi / 4), WHITE),
            (diagonal_bar(0.5, 0.5, 0.25, 0.07, -math.pi / 4), WHITE)]


def dialog():
    # A small window: frame, title bar, two lines of text and a button.
    return [(rounded_rect(0.03, 0.09, 0.97, 0.91, 0.06), (70, 80, 95, 255)),
            (rect(0.08, 0.14, 0.92, 0.30), (50, 110, 200, 255)),
            (rect(0.08, 0.34, 0.92, 0.86), (245, 245, 245, 255)),
            (rect(0.16, 0.42, 0.84, 0.50), (120, 120, 120, 255)),
            (rect(0.16, 0.56, 0.66, 0.64), (120, 120, 120, 255)),
            (rect(0.56, 0.70, 0.84, 0.81), (50, 110, 200, 255))]


# --- the divider cursor: a vertical bar with arrows left and right

def divider_shape():
    black = set()
    for y in range(5, 27):          # the bar
        black.update({(15, y), (16, y)})
    for x in range(7, 14):          # the shafts
        black.update({(x, 15), (x, 16), (31 - x, 15), (31 - x, 16)})
    for i in range(5):              # the arrow heads, tips at x = 2 and 29
        for y in range(15 - i, 17 + i):
            black.update({(2 + i, y), (29 - i, y)})
    white = {(x + dx, y + dy) for (x, y) in black
             for dx in (-1, 0, 1) for dy in (-1, 0, 1)} - black
    return black, white


def write_cursor(name, hotspot):
    size = 32
    black, white = divider_shape()
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    xor = mask_rows(size, lambda x, y: (x, y) in white)
    andm = mask_rows(size, lambda x, y: (x, y) not in black and (x, y) not in white)
    data = header + palette + xor + andm
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(data), 22)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out + data)


if __name__ == "__main__":
    write_icon("Information.ico", information())
    write_icon("Warning.ico", warning())
    write_icon("Error.ico", error())
    write_icon("Dialog.ico", dialog())
    write_cursor("Divider.cur", (15, 15))
