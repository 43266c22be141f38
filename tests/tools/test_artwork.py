"""The committed pictures are what the generator draws, and keep their layouts."""
import functools
import importlib.util
import os
import struct
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "..", "..", "resources")

loader = importlib.util.spec_from_file_location("make_artwork", os.path.join(RESOURCES, "make_artwork.py"))
make_artwork = importlib.util.module_from_spec(loader)
loader.loader.exec_module(make_artwork)


def png_pixels(data):
    """Width, height and raw RGBA rows of an unfiltered 8-bit RGBA PNG."""
    width, height = struct.unpack(">II", data[16:24])
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        if kind == b"IDAT":
            idat += data[pos + 8 : pos + 8 + length]
        pos += 12 + length
    return width, height, zlib.decompress(idat)


@functools.lru_cache(maxsize=None)
def rle8_rows(data, width, height):
    """Bottom-up rows of indices of a BI_RLE8 BMP, as the format is documented."""
    pos = struct.unpack("<I", data[10:14])[0]
    rows, row = [], bytearray()
    while len(rows) < height:
        count, value = data[pos], data[pos + 1]
        pos += 2
        if count:
            row += bytes([value]) * count
        elif value == 0 or value == 1:
            rows.append(bytes(row))
            row = bytearray()
            if value == 1:
                break
        elif value == 2:
            raise ValueError("delta records are not written")
        else:
            row += data[pos : pos + value]
            pos += value + value % 2
    assert len(rows) == height and all(len(r) == width for r in rows), "whole rows of the width"
    return rows


def bmp_pixel(data, x, y):
    """(r, g, b) of a 24-bit, 8-bit or run-length encoded 8-bit bottom-up BMP."""
    width, height = struct.unpack("<ii", data[18:26])
    bits = struct.unpack("<H", data[28:30])[0]
    stride = (width * bits // 8 + 3) & ~3
    offset = struct.unpack("<I", data[10:14])[0] + (height - 1 - y) * stride + x * bits // 8
    if struct.unpack("<I", data[30:34])[0] == 1:
        return bmp_pixel_of_index(data, rle8_rows(data, width, height)[height - 1 - y][x])
    if bits == 8:
        return bmp_pixel_of_index(data, data[offset])
    b, g, r = data[offset : offset + 3]
    return r, g, b


def bmp_pixel_of_index(data, index):
    b, g, r = data[54 + 4 * index : 57 + 4 * index]
    return r, g, b


class ArtworkTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.drawn = make_artwork.artwork()

    def committed(self, name):
        with open(os.path.join(RESOURCES, "art", name), "rb") as f:
            return f.read()

    def test_committed_files_match_the_generator(self):
        for name, data in self.drawn.items():
            committed = self.committed(name)
            if name.endswith(".png"):
                # Compressed bytes may differ between zlib builds; pixels may not.
                self.assertEqual(png_pixels(committed), png_pixels(data), name)
            else:
                self.assertEqual(committed, data, name)

    def test_splash_corners_are_fully_transparent_and_its_middle_opaque(self):
        width, height, raw = png_pixels(self.drawn["splash.png"])
        self.assertEqual((width, height), (356, 122))
        stride = 1 + 4 * width

        def alpha(x, y):
            return raw[y * stride + 1 + 4 * x + 3]

        self.assertEqual(alpha(0, 0), 0)
        self.assertEqual(alpha(width - 1, height - 1), 0)
        self.assertEqual(alpha(width // 2, height // 2), 255)

    def test_tab_pieces_sit_on_magenta_where_the_painter_expects_them(self):
        low = self.drawn["tabs_low.bmp"]
        self.assertEqual(bmp_pixel(low, 1, 0), (255, 0, 255), "slanted end of the normal tab")
        self.assertNotEqual(bmp_pixel(low, 1 + 61, 12), (255, 0, 255), "middle of the normal tab")
        self.assertNotEqual(bmp_pixel(low, 245 + 61, 12), (255, 0, 255), "middle of the selected tab")
        self.assertEqual(bmp_pixel(low, 367, 20), (255, 0, 255), "close pieces use the top 12 rows")
        self.assertNotEqual(bmp_pixel(low, 391 + 6, 6), (255, 0, 255), "hot close button")
        high = self.drawn["tabs_high.bmp"]
        self.assertEqual(bmp_pixel(high, 1 + 62, 27), (255, 0, 255), "rows under the 26 used")
        self.assertNotEqual(bmp_pixel(high, 0, 27), (255, 0, 255), "background column is 28 rows")

    def test_caption_text_buttons_are_three_dark_frames_with_cut_corners(self):
        for name, width in (("other_user.bmp", 99), ("game_space.bmp", 81)):
            data = self.drawn[name]
            self.assertEqual(struct.unpack("<ii", data[18:26]), (3 * width, 22), name)
            middles = [bmp_pixel(data, i * width + width // 2, 11) for i in range(3)]
            self.assertEqual(len(set(middles)), 3, "normal, hover and pressed differ")
            for rgb in middles:
                self.assertLess(max(rgb), 128, "dark, like the caption bar")
            for i in range(3):
                self.assertEqual(bmp_pixel(data, i * width, 0), (255, 0, 255), "corner cut away")
                self.assertNotEqual(bmp_pixel(data, i * width + 4, 0), (255, 0, 255))

    def test_login_buttons_are_round_on_the_key_colour_without_a_light_fringe(self):
        sizes = (("login_min.bmp", 28), ("login_close.bmp", 34), ("login_min_2x.bmp", 56), ("login_close_2x.bmp", 68))
        for name, size in sizes:
            picture = self.drawn[name]
            self.assertEqual(struct.unpack("<ii", picture[18:26]), (size, size), name)
            self.assertEqual(bmp_pixel(picture, 0, 0), make_artwork.LOGIN_KEY, name)
            self.assertEqual(bmp_pixel(picture, size - 1, size - 1), make_artwork.LOGIN_KEY, name)
            pixels = {bmp_pixel(picture, x, y) for x in range(size) for y in range(size)}
            near_key = {p for p in pixels if p != make_artwork.LOGIN_KEY and min(p) > 240}
            self.assertEqual(near_key - {(240, 242, 248)}, set(), name + ": only the glyph is light")

    def test_caption_bar_middle_tiles_seamlessly(self):
        frame = self.drawn["frame.bmp"]
        for y in range(0, 36, 5):
            row = {bmp_pixel(frame, x, y) for x in range(4, 90)}
            self.assertEqual(len(row), 1, "caption row %d must not vary across the tiled part" % y)

    def test_updater_skins_are_the_clients_in_eight_bits(self):
        for name in ("close.bmp", "frame.bmp"):
            client, updater = self.drawn[name], self.drawn["update_" + name]
            self.assertEqual(updater[28], 8, name)
            width, height = struct.unpack("<ii", client[18:26])
            self.assertEqual(struct.unpack("<ii", updater[18:26]), (width, height), name)
            for y in range(height):
                for x in range(width):
                    self.assertEqual(bmp_pixel(updater, x, y), bmp_pixel(client, x, y), (name, x, y))


if __name__ == "__main__":
    unittest.main()
