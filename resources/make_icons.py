#!/usr/bin/env python3
"""Draws Quillory's five icons as 8-bit RGBA PNG files with transparent
backgrounds: the window icons (16x16, 32x32) and the three tool-bar pictures
(48x32). Run from anywhere; writes next to this script.

Each picture is a list of painted shapes, drawn back to front in a
coordinate space of its own and sampled 6x6 times per pixel for smooth edges.
"""
import math
import os
import struct
import zlib

SUPERSAMPLE = 6


# ---------------------------------------------------------------- shapes
# A shape is a function (x, y) -> bool telling whether the point is inside.

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def stroke(points, width):
    """A polyline with round joins and ends."""
    half = width / 2.0
    segments = list(zip(points, points[1:]))
    return lambda x, y: any(
        _segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half for a, b in segments)


def arc_points(cx, cy, r, start_deg, end_deg, steps=24):
    """Points along a circular arc; angles in degrees, y pointing down."""
    return [(cx + r * math.cos(math.radians(start_deg + (end_deg - start_deg) * i / steps)),
             cy + r * math.sin(math.radians(start_deg + (end_deg - start_deg) * i / steps)))
            for i in range(steps + 1)]


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# ---------------------------------------------------------------- rendering

def render(width, height, layers, scale=1.0):
    """layers: [(shape, (r, g, b, a)), ...], back to front; shapes are in
    picture units, scale maps pixels to them."""
    pixels = bytearray()
    n = SUPERSAMPLE
    for py in range(height):
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * scale
                    y = (py + (sy + 0.5) / n) * scale
                    colour = None
                    for shape, rgba in reversed(layers):
                        if shape(x, y):
                            colour = rgba
                            break
                    if colour:
                        a = colour[3] / 255.0
                        acc[0] += colour[0] * a
                        acc[1] += colour[1] * a
                        acc[2] += colour[2] * a
                        acc[3] += a
            samples = n * n
            alpha = acc[3] / samples
            if alpha > 0:
                pixels += bytes(int(round(acc[i] / acc[3])) for i in range(3))
            else:
                pixels += b"\0\0\0"
            pixels.append(int(round(alpha * 255)))
    return width, height, bytes(pixels)


def write_png(path, image):
    width, height, pixels = image

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xffffffff)

    rows = b"".join(b"\0" + pixels[y * width * 4:(y + 1) * width * 4] for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        f.write(chunk(b"IEND", b""))


# ---------------------------------------------------------------- pictures

RED = (200, 24, 32, 255)
DARK_RED = (140, 10, 20, 255)
PAPER = (252, 246, 232, 255)
PALE_RED = (246, 196, 190, 255)
YELLOW = (250, 206, 60, 255)
DARK_YELLOW = (214, 160, 20, 255)
OUTLINE = (120, 84, 10, 255)
GREEN = (40, 160, 50, 255)
DARK_GREEN = (20, 100, 30, 255)
WHITE = (255, 255, 255, 255)
GREY = (150, 150, 150, 255)
BLUE = (40, 90, 200, 255)
DARK_BLUE = (20, 50, 130, 255)


def stamp_layers():
    """A red engraved stamp with a woman's portrait in an oval, in a 32x32
    space: perforated paper, red frame, hatched oval, profile."""
    holes = []
    for i in range(7):
        holes.append(ellipse(4.5 + i * 3.83, 1.0, 1.25, 1.25))
        holes.append(ellipse(4.5 + i * 3.83, 31.0, 1.25, 1.25))
    for i in range(8):
        holes.append(ellipse(3.0, 2.5 + i * 3.85, 1.25, 1.25))
        holes.append(ellipse(29.0, 2.5 + i * 3.85, 1.25, 1.25))
    paper = minus(rect(3.0, 1.0, 29.0, 31.0), *holes)
    frame = rect(6.0, 4.0, 26.0, 28.0)
    oval = ellipse(16.0, 15.0, 8.0, 10.0)
    hatching = union(*[rect(7.0, y, 25.0, y + 0.55) for y in [5.5 + 1.5 * k for k in range(14)]])
    face = union(
        ellipse(15.6, 12.8, 3.6, 4.4),                        # head, facing left
        polygon([(12.4, 12.0), (11.0, 14.4), (12.6, 14.8)]),  # nose
        polygon([(14.6, 15.5), (18.6, 15.0), (19.6, 20.5), (14.4, 20.5)]),  # neck
        ellipse(16.5, 25.0, 7.5, 4.6),                        # shoulders
    )
    hair = union(
        ellipse(17.4, 11.6, 3.9, 4.3),
        ellipse(20.6, 13.2, 2.3, 2.3),                        # bun
        polygon([(17.0, 14.0), (21.0, 14.0), (20.0, 17.5), (17.5, 16.5)]),
    )
    return [
        (paper, PAPER),
        (frame, RED),
        (oval, PALE_RED),
        (lambda x, y: oval(x, y) and hatching(x, y), (226, 120, 116, 255)),
        (lambda x, y: oval(x, y) and face(x, y), DARK_RED),
        (lambda x, y: oval(x, y) and hair(x, y), (96, 0, 8, 255)),
        (rect(8.0, 25.5, 24.0, 27.2), PAPER),                # value tablet
        (rect(14.5, 25.9, 17.5, 26.8), RED),
    ]


def folder_back():
    return polygon([(5, 8), (16, 8), (19, 11), (36, 11), (36, 29), (5, 29)])


def bezier(p0, p1, p2, steps=24):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / steps for i in range(steps + 1))]


def arrow_head(tip, direction, length, width):
    """A triangle with its point at tip, pointing along direction."""
    dx, dy = direction
    norm = math.hypot(dx, dy)
    dx, dy = dx / norm, dy / norm
    bx, by = tip[0] - dx * length, tip[1] - dy * length
    return polygon([tip, (bx - dy * width / 2, by + dx * width / 2),
                    (bx + dy * width / 2, by - dx * width / 2)])


def open_icon():
    back = folder_back()
    shaft = bezier((17, 24), (17, 8), (31, 6))
    tip, direction = (40.0, 4.0), (1.0, -0.25)
    return [
        (back, OUTLINE),
        (polygon([(6, 9), (15.5, 9), (18.5, 12), (35, 12), (35, 28), (6, 28)]), DARK_YELLOW),
        (stroke(shaft, 5.0), DARK_GREEN),
        (arrow_head((tip[0] + 1.2, tip[1] - 0.3), direction, 12.0, 13.0), DARK_GREEN),
        (stroke(shaft, 3.2), GREEN),
        (arrow_head(tip, direction, 10.0, 10.0), GREEN),
        (polygon([(9.5, 15.5), (44.5, 15.5), (37, 29.5), (4.5, 29.5)]), OUTLINE),
        (polygon([(10.5, 16.5), (42.8, 16.5), (36.3, 28.5), (6.2, 28.5)]), YELLOW),
    ]


def generate_icon():
    back = folder_back()
    page = rect(10, 3, 26, 22)
    lines = union(*[rect(12.5, y, 23.5, y + 1.0) for y in (6, 9, 12, 15)])
    return [
        (back, OUTLINE),
        (polygon([(6, 9), (15.5, 9), (18.5, 12), (35, 12), (35, 28), (6, 28)]), DARK_YELLOW),
        (page, GREY),
        (rect(11, 4, 25, 22), WHITE),
        (lines, (170, 180, 200, 255)),
        (polygon([(4.5, 17), (36.5, 17), (36.5, 29.5), (4.5, 29.5)]), OUTLINE),
        (polygon([(5.5, 18), (35.5, 18), (35.5, 28.5), (5.5, 28.5)]), YELLOW),
        (polygon([(32, 20.5), (39, 20.5), (39, 15), (47.5, 23.5), (39, 32), (39, 26.5), (32, 26.5)]),
         DARK_GREEN),
        (polygon([(33, 21.5), (40, 21.5), (40, 17.4), (46.1, 23.5), (40, 29.6), (40, 25.5), (33, 25.5)]),
         GREEN),
    ]


def help_icon():
    question = union(
        stroke(arc_points(24.0, 11.5, 4.6, 200, 405) + [(24.0, 18.0), (24.0, 19.5)], 3.0),
        ellipse(24.0, 24.2, 1.9, 1.9),
    )
    return [
        (ellipse(24.0, 16.0, 15.0, 15.0), DARK_BLUE),
        (ellipse(24.0, 16.0, 14.0, 14.0), WHITE),
        (ellipse(24.0, 16.0, 11.8, 11.8), BLUE),
        (question, WHITE),
    ]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    stamp = stamp_layers()
    pictures = {
        "small.png": render(16, 16, stamp, scale=2.0),
        "big.png": render(32, 32, stamp),
        "open.png": render(48, 32, open_icon()),
        "generate.png": render(48, 32, generate_icon()),
        "help.png": render(48, 32, help_icon()),
    }
    for name, image in pictures.items():
        write_png(os.path.join(here, name), image)


if __name__ == "__main__":
    main()
