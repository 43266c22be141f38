#!/usr/bin/env python3
"""Draws every picture the client carries and writes it beside this script.

Standard library only. Run it after changing the artwork and commit what it
writes; the build uses the committed files. `--out DIR` writes elsewhere.
"""
import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from canvas import FONT, Canvas, edge_distance, gold, inside_rounded, mix, supersampled  # noqa: E402
from image_formats import bmp_bytes, ico_bytes, png_bytes  # noqa: E402

MAGENTA = (255, 0, 255)
# The login window's see-through colour: whatever is drawn in it vanishes.
LOGIN_KEY = (254, 254, 254)


def framed_panel(c, w, h, radius, top, bottom, k=1):
    rim = max(radius, 3 * k)  # inside this margin every pixel is the plain base
    for y in range(h):
        base = mix(top, bottom, y / (h - 1))
        inner = rim <= y < h - rim
        for x in range(w):
            if inner and rim <= x < w - rim:
                c.px[y * w + x] = [*base, 255]
                continue
            d = edge_distance(x, y, w, h, radius)
            if d < 0:
                continue
            if d < 2 * k:
                rgb = gold(y / h)
            elif d < 3 * k:
                rgb = (8, 9, 12)
            else:
                rgb = base
            c.set(x, y, (*rgb, 255))


# ---- the pictures --------------------------------------------------------


def splash(k=1):
    """The splash, k pixels to a design pixel (2: for screens above 96 DPI)."""
    w, h = 356 * k, 122 * k
    c = Canvas(w, h)
    framed_panel(c, w, h, 12 * k, (38, 43, 58), (13, 15, 21), k)
    title = "DRELMOOR 2"
    tw = (len(title) * 24 - 4) * k
    c.text(title, (w - tw) // 2, 24 * k, 4 * k, gold, shadow=(0, 0, 0), offset=k)
    sub = "LOADING..."
    sw = (len(sub) * 12 - 2) * k
    c.text(sub, (w - sw) // 2, 72 * k, 2 * k, lambda t: (170, 176, 192))
    c.fill_rect(60 * k, 98 * k, 236 * k, 5 * k, (30, 33, 44))
    c.fill_rect(60 * k, 98 * k, 236 * k, k, (8, 9, 12))
    for x in range(60 * k, (60 + 96) * k):
        c.fill_rect(x, 99 * k, 1, 3 * k, gold((x - 60 * k) / (236 * k)))
    return c


def login_background(k=1):
    """The login screen, k pixels to a design pixel (2: for screens above 96 DPI)."""
    w, h = 1237 * k, 696 * k
    c = Canvas(w, h)
    framed_panel(c, w, h, 18 * k, (24, 31, 48), (9, 11, 17), k)
    # Night sky glow and two mountain ridges behind the page; the ridges depend
    # on the column alone and the glow reaches only so far from the moon.
    moon_x, moon_y, reach = 250 * k, 150 * k, 260 * k
    far = [430 * k + 45 * k * math.sin(x / (97.0 * k)) + 20 * k * math.sin(x / (31.0 * k) + 1.3) for x in range(w)]
    near = [520 * k + 35 * k * math.sin(x / (71.0 * k) + 2.1) + 12 * k * math.sin(x / (19.0 * k)) for x in range(w)]
    rim = 21 * k
    for y in range(4 * k, h - 4 * k):
        for x in range(4 * k, w - 4 * k):
            p = c.px[y * w + x]
            near_edge = x < rim or y < rim or x >= w - rim or y >= h - rim
            if p[3] == 0 or (near_edge and edge_distance(x, y, w, h, 18 * k) < 3 * k):
                continue
            if y > near[x]:
                rgb = mix((20, 24, 34), (8, 9, 13), (y - near[x]) / (180 * k))
            elif y > far[x]:
                rgb = mix((34, 41, 58), (18, 22, 31), (y - far[x]) / (160 * k))
            else:
                glow = 1 - math.hypot(x - moon_x, y - moon_y) / reach
                if glow <= 0:
                    continue
                rgb = mix(p[:3], (64, 78, 110), glow * glow)
            p[0], p[1], p[2] = rgb
    # The moon.
    for y in range(moon_y - 40 * k, moon_y + 41 * k):
        for x in range(moon_x - 40 * k, moon_x + 41 * k):
            d = math.hypot(x - moon_x, y - moon_y)
            if d <= 34 * k:
                c.blend(x, y, mix((238, 226, 190), (200, 184, 140), (y - moon_y + 34 * k) / (68 * k)))
    c.text("DRELMOOR 2", 44 * k, 40 * k, 5 * k, gold, shadow=(0, 0, 0), offset=k)
    # The frame the login page sits in (the page covers its inside).
    px, py, pw, ph = 415 * k, 179 * k, 732 * k, 425 * k
    c.fill_rect(px - 6 * k, py - 6 * k, pw + 12 * k, ph + 12 * k, (8, 9, 12))
    for i in range(2 * k):
        c.fill_rect(px - 4 * k + i, py - 4 * k + i, pw + 8 * k - 2 * i, 1, gold(0.2))
        c.fill_rect(px - 4 * k + i, py + ph + 4 * k - 1 - i, pw + 8 * k - 2 * i, 1, gold(0.8))
        c.fill_rect(px - 4 * k + i, py - 4 * k + i, 1, ph + 8 * k - 2 * i, gold(0.5))
        c.fill_rect(px + pw + 4 * k - 1 - i, py - 4 * k + i, 1, ph + 8 * k - 2 * i, gold(0.5))
    c.fill_rect(px, py, pw, ph, (236, 238, 242))
    # Plates behind the minimise (1120, 130) and close (1152, 125) buttons.
    c.fill_rect(1112 * k, 118 * k, 82 * k, 48 * k, (8, 9, 12), 0.6)
    return c


def button_strip(frame_w, h, frames, glyph):
    """Caption-bar buttons: normal, hover, pressed frames side by side."""
    c = Canvas(frame_w * len(frames), h)
    for i, (state, variant) in enumerate(frames):
        top, bottom = {
            0: ((58, 64, 84), (34, 38, 50)),
            1: ((84, 94, 124), (52, 58, 78)),
            2: ((24, 27, 36), (40, 45, 60)),
        }[state]
        if glyph == "close" and state:
            top, bottom = ((196, 58, 48), (140, 32, 28)) if state == 1 else ((120, 26, 22), (160, 40, 34))
        for y in range(h):
            for x in range(frame_w):
                c.set(i * frame_w + x, y, (*mix(top, bottom, y / (h - 1)), 255))
        for x in range(frame_w):
            c.set(i * frame_w + x, h - 1, (14, 16, 22, 255))
        for y in range(h):
            c.set(i * frame_w + frame_w - 1, y, (14, 16, 22, 255))
        ink = (236, 238, 244) if state else (196, 202, 214)
        off = 1 if state == 2 else 0
        cx, cy = i * frame_w + frame_w // 2 + off, h // 2 + off
        draw_glyph(c, glyph, variant, cx, cy, ink)
    return c


def draw_glyph(c, glyph, variant, cx, cy, ink):
    if glyph == "min":
        c.fill_rect(cx - 4, cy + 2, 8, 2, ink)
    elif glyph == "max" and variant == 0:
        c.fill_rect(cx - 4, cy - 4, 9, 2, ink)
        for x, y, w, h in ((cx - 4, cy + 4, 9, 1), (cx - 4, cy - 4, 1, 9), (cx + 4, cy - 4, 1, 9)):
            c.fill_rect(x, y, w, h, ink)
    elif glyph == "max":
        for ox, oy in ((-2, -4), (-5, -1)):
            c.fill_rect(cx + ox, cy + oy, 8, 2, ink)
            c.fill_rect(cx + ox, cy + oy + 6, 8, 1, ink)
            c.fill_rect(cx + ox, cy + oy, 1, 7, ink)
            c.fill_rect(cx + ox + 7, cy + oy, 1, 7, ink)
    elif glyph == "close":
        for d in range(-4, 5):
            c.fill_rect(cx + d, cy + d, 2, 1, ink)
            c.fill_rect(cx + d, cy - d, 2, 1, ink)
    elif glyph == "tool":
        for row in range(3):
            c.fill_rect(cx - 5, cy - 4 + row * 4, 10, 2, ink)


def caption_text_button(w, h):
    """A text button on the dark caption bar ("登录其他帐号", "游戏官网"): normal,
    hover and pressed frames, w x h each. The rounded corners are magenta, which
    the button cuts away so that the bar shows through; the caption is drawn
    over it in light ink by the button itself."""
    c = Canvas(3 * w, h, (*MAGENTA, 255))
    looks = (((54, 61, 82), (33, 37, 50), (88, 98, 126)),
             ((80, 91, 122), (50, 57, 77), gold(0.25)),
             ((22, 25, 34), (38, 43, 58), gold(0.6)))
    for i, (top, bottom, rim) in enumerate(looks):
        for y in range(h):
            for x in range(w):
                if not inside_rounded(x, y, w, h, 4):
                    continue
                d = edge_distance(x, y, w, h, 4)
                rgb = rim if d < 1 else mix(top, bottom, y / (h - 1))
                c.set(i * w + x, y, (*rgb, 255))
    return c


def answer_button():
    """The exit dialog's answer buttons: normal, hover, pressed, 75 x 22 each."""
    c = Canvas(225, 22)
    looks = (((250, 250, 252), (222, 226, 234), (150, 158, 176)),
             ((255, 255, 255), (232, 240, 252), (84, 130, 196)),
             ((214, 220, 232), (238, 242, 248), (84, 130, 196)))
    for i, (top, bottom, edge) in enumerate(looks):
        for y in range(22):
            for x in range(75):
                c.set(i * 75 + x, y, (*mix(top, bottom, y / 21), 255))
        for x in range(1, 74):
            c.set(i * 75 + x, 0, (*edge, 255))
            c.set(i * 75 + x, 21, (*edge, 255))
        for y in range(1, 21):
            c.set(i * 75, y, (*edge, 255))
            c.set(i * 75 + 74, y, (*edge, 255))
    return c


def logo(k=1):
    c = Canvas(29 * k, 29 * k)
    supersampled(c, lambda u, v: emblem(u, v))
    return c


def emblem(u, v):
    """The game's diamond emblem on the unit square: (rgb, alpha)."""
    d = abs(u - 0.5) + abs(v - 0.5)
    if d > 0.5:
        return None
    if d > 0.40:
        return gold(v)
    if d > 0.33:
        return (20, 22, 30)
    inner = abs(u - 0.5) + abs(v - 0.44) * 1.2
    return gold(1 - v) if inner < 0.16 else mix((52, 62, 92), (22, 26, 40), v)


def setup_side():
    """The setup's welcome and finish pages' side picture, at the size the installer tool asks for."""
    w, h = 164, 314
    c = Canvas(w, h)
    for y in range(h):
        c.fill_rect(0, y, w, 1, mix((24, 31, 48), (9, 11, 17), y / (h - 1)))
    mark = Canvas(96, 96)
    supersampled(mark, emblem)
    for y in range(mark.height):
        for x in range(mark.width):
            r, g, b, a = mark.get(x, y)
            if a:
                c.blend(34 + x, 60 + y, (r, g, b), a / 255)
    title = "DRELMOOR 2"
    c.text(title, (w - (len(title) * 12 - 2)) // 2, 184, 2, gold, shadow=(0, 0, 0), offset=1)
    return c


def tab_strip(high):
    """Tab pieces on magenta: background column, three tabs, four close buttons."""
    tab_w, rows = (124, 26) if high else (122, 25)
    h = 28 if high else 25
    c = Canvas(1 + 3 * tab_w + 4 * 12, h, (*MAGENTA, 255))
    for y in range(h):
        c.set(0, y, (*mix((222, 229, 238), (188, 199, 214), y / (h - 1)), 255))
    fills = [((214, 222, 233), (196, 206, 220)), ((236, 241, 247), (218, 226, 236)), ((255, 255, 255), (246, 248, 251))]
    for i, (top, bottom) in enumerate(fills):
        x0 = 1 + i * tab_w
        for y in range(rows):
            for x in range(tab_w):
                inside, border = tab_shape(x, y, tab_w, rows, high)
                if not inside:
                    continue
                rgb = (118, 134, 156) if border else mix(top, bottom, y / (rows - 1))
                if i == 2 and not border and y in (1, 2):
                    rgb = (4, 96, 163)
                c.set(x0 + x, y, (*rgb, 255))
    close_x = 1 + 3 * tab_w
    for i, (ring, ink) in enumerate(
        [(None, (90, 104, 124)), (None, (120, 132, 150)), ((206, 64, 52), (255, 255, 255)), ((142, 34, 28), (255, 255, 255))]
    ):
        draw_close(c, close_x + i * 12, ring, ink)
    return c


def tab_shape(x, y, w, rows, high):
    """(inside, on the outline) for a tab piece pixel."""
    if high:
        r = 4
        inside = y < rows and inside_rounded(x, y, w, rows + r, r)
        border = inside and (x == 0 or x == w - 1 or y == 0 or not inside_rounded(x, y - 1, w, rows + r, r)
                             or not inside_rounded(x - 1, y, w, rows + r, r) or not inside_rounded(x + 1, y, w, rows + r, r))
        return inside, border and y < rows
    slant = 14 * (rows - 1 - y) / (rows - 1)  # the ends lean in towards the top
    left, right = slant, w - 1 - slant
    inside = left - 0.5 <= x <= right + 0.5
    border = inside and (x < left + 1 or x > right - 1 or y == 0)
    return inside, border


def draw_close(c, x0, ring, ink):
    for y in range(12):
        for x in range(12):
            d = math.hypot(x - 5.5, y - 5.5)
            if ring is not None and d <= 5.6:
                c.set(x0 + x, y, (*ring, 255))
    for d in range(-3, 4):
        for x, y in ((5 + d, 5 + d), (6 + d, 5 + d), (5 + d, 6 - d), (6 + d, 6 - d)):
            c.set(x0 + x, y, (*ink, 255))


def frame_skin():
    """Caption bar across the top 36 rows, borders 4 pixels wide elsewhere."""
    w, h = 94, 85
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            if y < 36:
                rgb = mix((62, 70, 94), (26, 29, 40), y / 35)
                if y == 0:
                    rgb = (98, 108, 134)
                if x < 2 or x > w - 3:
                    rgb = mix(rgb, (14, 16, 22), 0.6)
            elif x < 4 or x >= w - 4 or y >= h - 4:
                edge = min(x, w - 1 - x, h - 1 - y)
                rgb = ((14, 16, 22), (44, 50, 66), (34, 38, 52), (26, 29, 40))[min(edge, 3)]
            else:
                rgb = (30, 33, 44)
            c.set(x, y, (*rgb, 255))
    return c


def login_button(size, glyph, k=1):
    """A round button on the login window's key colour, size design pixels across and
    k pixels to a design pixel; its rim fades into the dark plate behind it, never
    into the key colour, so no light fringe shows."""
    n = size * k
    c = Canvas(n, n, (*LOGIN_KEY, 255))
    r = n / 2 - k
    plate = (8, 9, 12)
    for y in range(n):
        for x in range(n):
            d = r - math.hypot(x + 0.5 - n / 2, y + 0.5 - n / 2)
            if d < 0:
                continue
            body = mix((70, 78, 102), (30, 34, 46), y / (n - 1))
            rgb = gold(y / n) if d < 2 * k else body
            c.set(x, y, (*mix(plate, rgb, d / k), 255))
    ink, mid, arm = (240, 242, 248), size // 2 * k, size // 5 * k
    if glyph == "min":
        c.fill_rect(mid - arm, mid + arm // 2, 2 * arm, 3 * k, ink)
    else:
        for d in range(-arm, arm + 1):
            c.fill_rect(mid + d - k, mid + d - k, 3 * k, 2 * k, ink)
            c.fill_rect(mid + d - k, mid - d - k, 3 * k, 2 * k, ink)
    return c


def icon_image(size):
    c = Canvas(size, size)

    def shade(u, v):
        if not inside_rounded(u * 64, v * 64, 64, 64, 12):
            return None
        d = edge_distance(u * 64 - 0.5, v * 64 - 0.5, 64, 64, 12)
        if d < 4:
            return gold(v)
        inner = emblem((u - 0.5) * 1.35 + 0.5, (v - 0.5) * 1.35 + 0.5)
        return inner or mix((30, 35, 50), (12, 14, 20), v)

    supersampled(c, shade)
    return c


# ---- file formats --------------------------------------------------------


def artwork():
    """File name -> bytes for every picture."""
    icon16 = icon_image(16)
    close, frame = button_strip(43, 18, [(s, 0) for s in range(3)], "close"), frame_skin()
    return {
        "splash.png": png_bytes(splash()),
        "splash_2x.png": png_bytes(splash(2)),
        "login.png": png_bytes(login_background()),
        "login_2x.png": png_bytes(login_background(2)),
        # Every size a window, the taskbar and the tray ask for at 100 %, 125 %, 150 % and 200 %.
        "Tavrin.ico": ico_bytes([(icon16, 8)] + [(icon_image(s), 32) for s in (128, 64, 48, 40, 32, 24, 20)]
                                + [(icon16, 32)]),
        # The updater, which must stay small: its icon in the sizes a window and a
        # folder list show, its skins in 8 bits (they have fewer than 256 colours).
        "Update.ico": ico_bytes([(icon16, 8)] + [(icon_image(s), 32) for s in (48, 32)] + [(icon16, 32)]),
        "update_close.bmp": bmp_bytes(close, 8, rle=True),
        "update_frame.bmp": bmp_bytes(frame, 8, rle=True),
        "min.bmp": bmp_bytes(button_strip(24, 18, [(s, 0) for s in range(3)], "min"), 24),
        "minmax.bmp": bmp_bytes(button_strip(25, 18, [(s, v) for v in range(2) for s in range(3)], "max"), 24),
        "close.bmp": bmp_bytes(close, 24),
        "tool.bmp": bmp_bytes(button_strip(24, 18, [(s, 0) for s in range(3)], "tool"), 24),
        "logo.bmp": bmp_bytes(logo(), 32),
        "logo_2x.bmp": bmp_bytes(logo(2), 32),
        "tabs_low.bmp": bmp_bytes(tab_strip(False), 24),
        "tabs_high.bmp": bmp_bytes(tab_strip(True), 24),
        "frame.bmp": bmp_bytes(frame, 24),
        "answer.bmp": bmp_bytes(answer_button(), 24),
        "other_user.bmp": bmp_bytes(caption_text_button(99, 22), 24),
        "game_space.bmp": bmp_bytes(caption_text_button(81, 22), 24),
        "login_min.bmp": bmp_bytes(login_button(28, "min"), 24),
        "login_close.bmp": bmp_bytes(login_button(34, "close"), 24),
        "login_min_2x.bmp": bmp_bytes(login_button(28, "min", 2), 24),
        "login_close_2x.bmp": bmp_bytes(login_button(34, "close", 2), 24),
        "setup_side.bmp": bmp_bytes(setup_side(), 24),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "art"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, data in artwork().items():
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
