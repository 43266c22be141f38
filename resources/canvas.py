"""The artwork script's drawing surface and shading helpers. Standard library only."""
import math

# 5 x 7 capitals and digits for the titles.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "2": ["01110", "10001", "00001", "00110", "01000", "10000", "11111"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}


class Canvas:
    """RGBA pixels, row by row."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return self.px[y * self.width + x]

    def set(self, x, y, rgba):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y * self.width + x] = list(rgba)

    def blend(self, x, y, rgb, alpha=1.0):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            p = self.px[y * self.width + x]
            for i in range(3):
                p[i] = round(p[i] * (1 - alpha) + rgb[i] * alpha)
            p[3] = max(p[3], round(255 * alpha))

    def fill_rect(self, x0, y0, w, h, rgb, alpha=1.0):
        if alpha >= 1:  # opaque: what blending would give, without its cost
            left, right = max(x0, 0), min(x0 + w, self.width)
            for y in range(max(y0, 0), min(y0 + h, self.height)):
                row = y * self.width
                self.px[row + left : row + right] = [[*rgb, 255] for _ in range(left, right)]
            return
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.blend(x, y, rgb, alpha)

    def text(self, s, x0, y0, scale, colour_at, shadow=None, offset=1):
        width = len(s) * 6 * scale - scale
        passes = ((offset, shadow), (0, None)) if shadow else ((0, None),)
        for dx, colour in passes:
            for i, ch in enumerate(s):
                rows = FONT[ch]
                for r, row in enumerate(rows):
                    for c, bit in enumerate(row):
                        if bit != "1":
                            continue
                        for sy in range(scale):
                            for sx in range(scale):
                                x = x0 + (i * 6 + c) * scale + sx + dx
                                y = y0 + r * scale + sy + dx
                                rgb = colour or colour_at((y - y0) / (7 * scale))
                                self.blend(x, y, rgb)
        return width

    def rgb_rows(self):
        for y in range(self.height):
            yield [tuple(self.px[y * self.width + x][:3]) for x in range(self.width)]


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def gold(t):
    return mix((246, 218, 140), (176, 124, 48), t)


def inside_rounded(x, y, w, h, r):
    """True when pixel centre (x, y) lies inside a w x h rectangle with corner radius r."""
    cx = min(max(x + 0.5, r), w - r)
    cy = min(max(y + 0.5, r), h - r)
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r


def edge_distance(x, y, w, h, r):
    """Distance from pixel centre to the rounded rectangle's edge (inside positive)."""
    cx = min(max(x + 0.5, r), w - r)
    cy = min(max(y + 0.5, r), h - r)
    if cx != x + 0.5 and cy != y + 0.5:
        return r - math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    return min(x + 0.5, y + 0.5, w - x - 0.5, h - y - 0.5)


def supersampled(c, shade, n=4):
    for y in range(c.height):
        for x in range(c.width):
            acc, hits = [0, 0, 0], 0
            for sy in range(n):
                for sx in range(n):
                    rgb = shade((x + (sx + 0.5) / n) / c.width, (y + (sy + 0.5) / n) / c.height)
                    if rgb is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += rgb[i]
            if hits:
                c.set(x, y, (*(round(a / hits) for a in acc), round(255 * hits / (n * n))))
