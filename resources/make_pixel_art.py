#!/usr/bin/env python3
"""Draws the library's bitmap and icon resources and writes them as PNG files.

Run it from anywhere; it writes next to itself:
    bitmap_14007.png  26 state icons of 16x16 (13 false/true pairs)
    bitmap_14023.png  the padlock, 16x16
    bitmap_14025.png  four status balls of 16x16: red, green, magenta, yellow
    icon_14003.png    logging off, 32x32
    icon_14004.png    logging on, 32x32

White (255, 255, 255) is the transparent colour of every picture, so edges are drawn
hard (a pixel is painted when at least half of it is covered) and no painted pixel is
ever pure white: a blended edge would leave a light fringe on the dark night colours.

Shapes are signed distance functions (negative inside), sampled 4x4 per pixel.
Only the standard library is used.
"""

import math
import os
import struct
import zlib

WHITE = (255, 255, 255)
NEAR_WHITE = (254, 254, 254)
SAMPLES = 4


# ---- Shapes ---------------------------------------------------------------------------


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1):
    def distance(x, y):
        dx = max(x0 - x, x - x1)
        dy = max(y0 - y, y - y1)
        outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
        return outside + min(max(dx, dy), 0.0)

    return distance


def segment(ax, ay, bx, by, half_width):
    def distance(x, y):
        vx, vy = bx - ax, by - ay
        t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
        t = min(1.0, max(0.0, t))
        return math.hypot(x - (ax + t * vx), y - (ay + t * vy)) - half_width

    return distance


def ring(cx, cy, radius, half_width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) - half_width


def polygon(points):
    def distance(x, y):
        inside = False
        nearest = float("inf")
        for i, (ax, ay) in enumerate(points):
            bx, by = points[(i + 1) % len(points)]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
            nearest = min(nearest, segment(ax, ay, bx, by, 0.0)(x, y))
        return -nearest if inside else nearest

    return distance


def pixels(cells):
    """Whole pixels, for details too small to draw as shapes."""
    return union(*(box(x, y, x + 1.0, y + 1.0) for x, y in cells))


def union(*shapes):
    return lambda x, y: min(shape(x, y) for shape in shapes)


def intersect(*shapes):
    return lambda x, y: max(shape(x, y) for shape in shapes)


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


# ---- Colours --------------------------------------------------------------------------


def scale(colour, factor):
    return tuple(min(255, max(0, round(c * factor))) for c in colour)


def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def solid(colour):
    return lambda x, y: colour


def sphere_shading(base, cx, cy, r):
    """A ball lit from the upper left, with a soft highlight."""
    light = (-0.45, -0.6, 0.66)
    norm = math.sqrt(sum(c * c for c in light))
    light = tuple(c / norm for c in light)
    half = (light[0], light[1], light[2] + 1.0)
    norm = math.sqrt(sum(c * c for c in half))
    half = tuple(c / norm for c in half)

    def colour(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        nz = math.sqrt(max(0.0, 1.0 - nx * nx - ny * ny))
        lambert = max(0.0, nx * light[0] + ny * light[1] + nz * light[2])
        shaded = scale(base, 0.4 + 0.6 * lambert)
        shine = max(0.0, nx * half[0] + ny * half[1] + nz * half[2]) ** 24
        return mix(shaded, NEAR_WHITE, 0.85 * shine)

    return colour


def vertical_shading(top, bottom, y0, y1):
    return lambda x, y: mix(top, bottom, min(1.0, max(0.0, (y - y0) / (y1 - y0))))


# ---- Canvas ---------------------------------------------------------------------------


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[WHITE] * width for _ in range(height)]

    def paint(self, shape, colour, left=0):
        """Paints the pixels at least half covered by shape; colour is a function of the
        pixel centre. Pictures are square: left is the start of one in a strip."""
        for y in range(self.height):
            for x in range(self.height):
                covered = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        px = x + (sx + 0.5) / SAMPLES
                        py = y + (sy + 0.5) / SAMPLES
                        if shape(px, py) <= 0.0:
                            covered += 1
                if covered * 2 >= SAMPLES * SAMPLES:
                    painted = colour(x + 0.5, y + 0.5)
                    self.pixels[y][left + x] = NEAR_WHITE if painted == WHITE else painted

    def outlined(self, shape, fill, outline, left=0):
        self.paint(shape, solid(outline), left)
        self.paint(inset(shape, 1.0), fill, left)

    def write_png(self, path):
        raw = b"".join(
            b"\x00" + b"".join(bytes(pixel) for pixel in row) for row in self.pixels
        )

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        png = (
            b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b"")
        )
        with open(path, "wb") as out:
            out.write(png)


# ---- The 16x16 pictures (each drawn at strip offset left) -----------------------------

RED = (214, 24, 24)
GREEN = (24, 168, 40)
MAGENTA = (206, 30, 206)
YELLOW = (244, 206, 0)


def ball(canvas, left, base):
    shape = circle(8.0, 8.0, 7.0)
    canvas.paint(shape, solid(scale(base, 0.45)), left)
    canvas.paint(inset(shape, 1.0), sphere_shading(base, 8.0, 8.0, 6.0), left)


def red_cross(canvas, left):
    cross = union(segment(4.5, 4.5, 11.5, 11.5, 2.2), segment(11.5, 4.5, 4.5, 11.5, 2.2))
    canvas.outlined(cross, solid(RED), (128, 0, 0), left)


def green_tick(canvas, left):
    tick = union(segment(3.5, 8.5, 6.5, 11.5, 2.0), segment(6.5, 11.5, 12.5, 4.0, 2.0))
    canvas.outlined(tick, solid(GREEN), (0, 92, 0), left)


def bulb(canvas, left, lit):
    glass = circle(8.0, 6.0, 5.0)
    neck = box(5.5, 9.5, 10.5, 11.5)
    outline = (150, 110, 0) if lit else (96, 96, 96)
    glass_colour = (255, 222, 40) if lit else (206, 206, 200)
    canvas.paint(union(glass, neck), solid(outline), left)
    canvas.paint(inset(glass, 1.0), sphere_shading(glass_colour, 8.0, 6.0, 4.0), left)
    canvas.paint(box(6.5, 9.0, 9.5, 11.0), solid(glass_colour), left)
    filament = pixels([(6, 10), (6, 9), (6, 8), (7, 7), (8, 7), (9, 8), (9, 9), (9, 10)])
    canvas.paint(filament, solid((230, 90, 0) if lit else (90, 90, 90)), left)
    canvas.paint(box(5.5, 11.5, 10.5, 14.0), vertical_shading((170, 170, 170), (100, 100, 100),
                                                              11.5, 14.0), left)
    canvas.paint(box(5.5, 12.5, 10.5, 13.0), solid((70, 70, 70)), left)
    canvas.paint(box(6.5, 14.0, 9.5, 15.0), solid((60, 60, 60)), left)


def face(canvas, left, base, happy):
    head = circle(8.0, 8.0, 7.0)
    canvas.paint(head, solid(scale(base, 0.45)), left)
    canvas.paint(inset(head, 1.0), sphere_shading(base, 8.0, 8.0, 6.0), left)
    eyes = [(5, 5), (6, 5), (5, 6), (6, 6), (9, 5), (10, 5), (9, 6), (10, 6)]
    if happy:
        mouth = [(4, 9), (11, 9), (5, 10), (10, 10), (6, 11), (7, 11), (8, 11), (9, 11)]
    else:
        mouth = [(6, 10), (7, 10), (8, 10), (9, 10), (5, 11), (10, 11), (4, 12), (11, 12)]
    canvas.paint(pixels(eyes + mouth), solid((40, 30, 0)), left)


def warning_triangle(canvas, left):
    triangle = polygon([(8.0, 0.8), (15.4, 14.6), (0.6, 14.6)])
    canvas.outlined(triangle, solid(YELLOW), (40, 30, 0), left)
    mark = union(box(7.0, 5.0, 9.0, 10.0), box(7.0, 11.0, 9.0, 13.0))
    canvas.paint(mark, solid((20, 20, 20)), left)


def blank(canvas, left):
    pass


def padlock(canvas, left):
    shackle = union(intersect(ring(8.0, 6.5, 3.5, 1.5), box(0.0, 0.0, 16.0, 6.5)),
                    box(3.0, 6.5, 6.0, 8.5), box(10.0, 6.5, 13.0, 8.5))
    canvas.outlined(shackle, solid((176, 176, 176)), (84, 84, 84), left)
    body = box(2.5, 8.0, 13.5, 15.0)
    canvas.outlined(body, vertical_shading((184, 184, 184), (120, 120, 120), 8.0, 15.0),
                    (72, 72, 72), left)
    keyhole = union(circle(8.0, 10.8, 1.3), box(7.4, 11.0, 8.6, 13.4))
    canvas.paint(keyhole, solid((40, 40, 40)), left)


def state_icons():
    """Pairs p = 0..12: image 2p is the false state, 2p + 1 the true state."""
    red_ball = lambda c, x: ball(c, x, RED)
    green_ball = lambda c, x: ball(c, x, GREEN)
    unlit = lambda c, x: bulb(c, x, False)
    lit = lambda c, x: bulb(c, x, True)
    sad = lambda c, x: face(c, x, YELLOW, False)
    smiling = lambda c, x: face(c, x, GREEN, True)
    return [
        red_ball, green_ball,
        red_cross, green_tick,
        unlit, lit,
        sad, smiling,
        red_ball, blank,
        blank, green_ball,
        red_cross, blank,
        blank, green_tick,
        unlit, blank,
        blank, lit,
        sad, blank,
        blank, smiling,
        blank, warning_triangle,
    ]


def strip(pictures):
    canvas = Canvas(16 * len(pictures), 16)
    for index, draw in enumerate(pictures):
        draw(canvas, 16 * index)
    return canvas


# ---- The 32x32 logging icons ----------------------------------------------------------


def log_icon(recording):
    canvas = Canvas(32, 32)
    page = polygon([(5.0, 2.0), (20.0, 2.0), (26.0, 8.0), (26.0, 30.0), (5.0, 30.0)])
    canvas.outlined(page, solid((244, 244, 236)), (88, 88, 88))
    canvas.paint(polygon([(19.5, 2.5), (19.5, 8.5), (25.5, 8.5)]), solid((200, 200, 192)))
    for row in (9.0, 13.0, 17.0):
        canvas.paint(box(8.5, row, 18.5 if row < 10 else 22.5, row + 1.5), solid((110, 120, 150)))
    canvas.paint(box(8.5, 21.0, 14.5, 22.5), solid((110, 120, 150)))
    dot = circle(22.0, 23.0, 7.0)
    base = (220, 20, 20) if recording else (150, 150, 150)
    canvas.paint(dot, solid(scale(base, 0.45)))
    canvas.paint(inset(dot, 1.0), sphere_shading(base, 22.0, 23.0, 6.0))
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        "bitmap_14007.png": strip(state_icons()),
        "bitmap_14023.png": strip([padlock]),
        "bitmap_14025.png": strip([lambda c, x, b=b: ball(c, x, b)
                                   for b in (RED, GREEN, MAGENTA, YELLOW)]),
        "icon_14003.png": log_icon(False),
        "icon_14004.png": log_icon(True),
    }
    for name, canvas in outputs.items():
        canvas.write_png(os.path.join(here, name))


if __name__ == "__main__":
    main()
