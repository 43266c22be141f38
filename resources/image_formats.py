"""Image file encoders for the artwork script: PNG, BMP and ICO bytes from a
canvas (rows of (r, g, b) or (r, g, b, a) tuples). Standard library only."""
import struct
import zlib


def png_bytes(c):
    raw = bytearray()
    for y in range(c.height):
        raw.append(0)
        for x in range(c.width):
            raw.extend(c.get(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", c.width, c.height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def dib_rows(c, bits):
    """Bottom-up pixel rows, each padded to 4 bytes."""
    out = bytearray()
    for y in reversed(range(c.height)):
        row = bytearray()
        for x in range(c.width):
            r, g, b, a = c.get(x, y)
            row += bytes((b, g, r, a)) if bits == 32 else bytes((b, g, r))
        row += b"\0" * (-len(row) % 4)
        out += row
    return bytes(out)


def paletted_rows(c):
    """Bottom-up rows of indices into the colours in order of appearance, and
    that palette: a third of the bytes of 24 bits for a picture of few colours."""
    colours, out = {}, bytearray()
    for y in reversed(range(c.height)):
        row = bytearray(colours.setdefault(tuple(c.get(x, y)[:3]), len(colours)) for x in range(c.width))
        out += row + b"\0" * (-len(row) % 4)
    if len(colours) > 256:
        raise ValueError("more than 256 colours for an 8-bit bitmap")
    return bytes(out), b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


def rle8(rows):
    """Rows of indices run-length encoded as BI_RLE8: runs of two or more as
    (count, index), other stretches of three or more as absolute runs."""
    out = bytearray()
    for row in rows:
        i = 0
        while i < len(row):
            run = 1
            while i + run < len(row) and run < 255 and row[i + run] == row[i]:
                run += 1
            if run >= 2:
                out += bytes((run, row[i]))
                i += run
                continue
            end = i + 1
            while end < len(row) and end - i < 255 and not (end + 1 < len(row) and row[end] == row[end + 1]):
                end += 1
            literal = row[i:end]
            if len(literal) >= 3:
                out += bytes((0, len(literal))) + literal + b"\0" * (len(literal) % 2)
            else:
                for index in literal:
                    out += bytes((1, index))
            i = end
        out += b"\0\0"
    out[-2:] = b"\0\1"  # the last end of line ends the bitmap
    return bytes(out)


def bmp_bytes(c, bits, rle=False):
    """A BMP file; an 8-bit one may be run-length encoded, which suits skins of
    few colours and long runs (the updater's)."""
    pixels, palette = paletted_rows(c) if bits == 8 else (dib_rows(c, bits), b"")
    compression = 0
    if rle:
        stride = (c.width + 3) & ~3
        pixels = rle8([pixels[y * stride : y * stride + c.width] for y in range(c.height)])
        compression = 1
    used = len(palette) // 4
    info = struct.pack(
        "<IiiHHIIiiII", 40, c.width, c.height, 1, bits, compression, len(pixels), 2835, 2835, used, used
    )
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def and_mask(c):
    out = bytearray()
    stride = ((c.width + 31) // 32) * 4
    for y in reversed(range(c.height)):
        row = bytearray(stride)
        for x in range(c.width):
            if c.get(x, y)[3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_entry(c, bits):
    if bits == 8:
        colours = []
        for y in range(c.height):
            for x in range(c.width):
                p = tuple(c.get(x, y)[:3]) if c.get(x, y)[3] >= 128 else (0, 0, 0)
                if p not in colours:
                    colours.append(p)
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours) + b"\0" * 4 * (256 - len(colours))
        rows = bytearray()
        for y in reversed(range(c.height)):
            row = bytearray()
            for x in range(c.width):
                p = tuple(c.get(x, y)[:3]) if c.get(x, y)[3] >= 128 else (0, 0, 0)
                row.append(colours.index(p))
            row += b"\0" * (-len(row) % 4)
            rows += row
        pixels = palette + bytes(rows)
    else:
        pixels = dib_rows(c, 32)
    info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, bits, 0, 0, 0, 0, 256 if bits == 8 else 0, 0)
    return info + pixels + and_mask(c)


def ico_bytes(images):
    """32-bit entries are PNG-compressed (read since Windows Vista): a fraction of the bytes."""
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for c, bits in images:
        blob = png_bytes(c) if bits == 32 else icon_entry(c, bits)
        dim = c.width if c.width < 256 else 0
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs
