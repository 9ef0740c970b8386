#!/usr/bin/env python3
"""Draws the program's icon, a bar chart of rising traffic on a dark blue tile, and writes it as
app/resources/pelmora.ico and as PNG files for the desktop, 16 to 256 px. The icon file holds the
design's 32x32 and 16x16 in the 16 standard colours and 32x32 monochrome, and the same drawing in
full colour with smooth corners at the sizes Windows asks for at higher scales (20 to 64 px, 256 px
for the desktop's large views), so that it never enlarges a small one. Uses nothing beyond Python's
standard library."""

import pathlib
import struct
import zlib

# The 16 standard colours, in their usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, RED, LIME, YELLOW, WHITE = 0, 4, 7, 9, 10, 11, 15
DESKTOP_SIZES = (16, 32, 48, 64, 128, 256)
# Small and large icons at 125%, 150% and 200% scaling (16 and 32 px at 100% are the design's), and
# the desktop's largest view.
FULL_COLOUR_ICON_SIZES = (20, 24, 40, 48, 64, 256)
# Each pixel of a corner is sampled on a grid this fine to find how much of it the tile covers.
CORNER_SAMPLES = 8


def tile(size):
    """Colour index of every pixel, None where the icon is transparent."""
    s = size / 32
    corner = max(1, round(3 * s))
    # The outline and the baseline thicken with the tile, so that they still show at 256 px.
    line = max(1, round(s))
    pixels = [[None] * size for _ in range(size)]
    bars = [(6, 10, 8, LIME), (13, 17, 14, YELLOW), (20, 24, 20, RED)]
    for y in range(size):
        for x in range(size):
            dx = max(corner - x, x - (size - 1 - corner), 0)
            dy = max(corner - y, y - (size - 1 - corner), 0)
            if dx * dx + dy * dy > corner * corner:
                continue
            edge = (min(x, y, size - 1 - x, size - 1 - y) < line
                    or dx * dx + dy * dy > (corner - line) ** 2)
            colour = WHITE if edge else NAVY
            for left, right, height, bar in bars:
                if left * s <= x <= right * s and (26 - height) * s <= y <= 26 * s:
                    colour = bar
            if round(27 * s) <= y < round(27 * s) + line and 4 * s <= x <= 27 * s:
                colour = SILVER
            pixels[y][x] = colour
    return pixels


def coverage(size, x, y):
    """How much of the pixel at x, y the tile's rounded outline covers, from 0 to 1."""
    corner = max(1, round(3 * size / 32))
    # A pixel spans half a pixel either side of its centre; where tile() keeps every centre within
    # the corner's radius, the outline runs half a pixel further out.
    radius = corner + 0.5
    inside = 0
    for i in range(CORNER_SAMPLES):
        for j in range(CORNER_SAMPLES):
            px = x - 0.5 + (i + 0.5) / CORNER_SAMPLES
            py = y - 0.5 + (j + 0.5) / CORNER_SAMPLES
            dx = max(corner - px, px - (size - 1 - corner), 0)
            dy = max(corner - py, py - (size - 1 - corner), 0)
            inside += dx * dx + dy * dy <= radius * radius
    return inside / CORNER_SAMPLES ** 2


def full_colour(size):
    """Red, green, blue and opacity of every pixel: tile()'s colours, the corners smoothed. Pixels
    the outline only partly covers take its colour, as much as they are covered."""
    corner = max(1, round(3 * size / 32))
    pixels = tile(size)
    out = []
    for y, row in enumerate(pixels):
        line = []
        for x, p in enumerate(row):
            in_corner = min(x, size - 1 - x) <= corner and min(y, size - 1 - y) <= corner
            alpha = round(255 * coverage(size, x, y)) if in_corner else 255 * (p is not None)
            colour = PALETTE[WHITE if p is None else p]
            line.append((*colour, alpha) if alpha else (0, 0, 0, 0))
        out.append(line)
    return out


def monochrome(pixels):
    """Black outline, bars and baseline on white."""
    return [[None if p is None else (WHITE if p == NAVY else BLACK) for p in row] for row in pixels]


def row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def pack_rows(rows, bits_per_pixel):
    """Bottom-up rows of indices, each padded to four bytes, as Windows bitmaps store them."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes(bits_per_pixel, len(row)))
        per_byte = 8 // bits_per_pixel
        for x, value in enumerate(row):
            shift = 8 - bits_per_pixel * (x % per_byte + 1)
            line[x // per_byte] |= value << shift
        out += line
    return bytes(out)


def icon_image(pixels, bits_per_pixel, palette):
    size = len(pixels)
    colours = [[0 if p is None else (p if bits_per_pixel == 4 else int(p == WHITE)) for p in row]
               for row in pixels]
    mask = [[1 if p is None else 0 for p in row] for row in pixels]
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits_per_pixel, 0,
                         0, 0, 0, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + table + pack_rows(colours, bits_per_pixel) + pack_rows(mask, 1)


def full_colour_icon_image(pixels):
    """A 32-bit image with its opacity, and the mask that systems without opacity use."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for r, g, b, a in row)
    mask = [[int(a == 0) for *_, a in row] for row in pixels]
    return header + colours + pack_rows(mask, 1)


def ico(images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for size, colour_count, bits_per_pixel, image in images:
        # A size of 256 is written as 0.
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colour_count, 0, 1, bits_per_pixel,
                           len(image), offset + len(data))
        data += image
    return out + data


def png(pixels):
    size = len(pixels)
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    resources = pathlib.Path(__file__).resolve().parent.parent / 'app' / 'resources'
    large, small = tile(32), tile(16)
    (resources / 'pelmora.ico').write_bytes(ico([
        (32, 16, 4, icon_image(large, 4, PALETTE)),
        (16, 16, 4, icon_image(small, 4, PALETTE)),
        (32, 2, 1, icon_image(monochrome(large), 1, [(0, 0, 0), (255, 255, 255)])),
    ] + [
        # The largest is compressed, as is usual for it.
        (size, 0, 32, png(full_colour(size)) if size == 256 else full_colour_icon_image(full_colour(size)))
        for size in FULL_COLOUR_ICON_SIZES
    ]))
    # The desktop's sizes, software centres' 64 px and more among them, drawn anew at each.
    for size in DESKTOP_SIZES:
        (resources / f'pelmora-{size}.png').write_bytes(png(full_colour(size)))


if __name__ == '__main__':
    main()
