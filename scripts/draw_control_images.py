#!/usr/bin/env python3
"""Draws the controls' own images into resources/controls and the control tests' glyphs.

The marks are small pixel drawings on a silver (192, 192, 192) background, which the controls
draw as transparent (the colour of the top-left pixel). Run it again after changing a drawing;
its output is kept in the repository.
"""
import math
import os
import struct
import zlib

SILVER = (192, 192, 192)
WHITE = (255, 255, 255)


def disc(size, colour, mark):
    """A filled circle with a white mark ('!', 'i' or '?') on silver."""
    pixels = [[SILVER] * size for _ in range(size)]
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            if math.hypot(x - c, y - c) <= size / 2 - 0.5:
                pixels[y][x] = colour
    mid = size // 2
    top, bottom = size // 5, size - size // 5
    if mark == '!':
        for y in range(top, bottom - 3):
            pixels[y][mid - 1] = pixels[y][mid] = WHITE
        for y in range(bottom - 2, bottom):
            pixels[y][mid - 1] = pixels[y][mid] = WHITE
    elif mark == 'i':
        pixels[top][mid - 1] = pixels[top][mid] = WHITE
        for y in range(top + 3, bottom):
            pixels[y][mid - 1] = pixels[y][mid] = WHITE
    elif mark == '?':
        for x in range(mid - 3, mid + 2):
            pixels[top][x] = WHITE
        for y in range(top, top + 4):
            pixels[y][mid + 1] = WHITE
        for y in range(top + 3, bottom - 3):
            pixels[y][mid - 1] = WHITE
        pixels[bottom - 1][mid - 1] = WHITE
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b''
    for row in reversed(pixels):
        line = b''.join(bytes((b, g, r)) for r, g, b in row)
        rows += line + b'\0' * (stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(rows), 3780, 3780, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, 'wb') as out:
        out.write(header + info + rows)


def write_png(path, pixels):
    """An RGBA PNG; pixels are (r, g, b, a)."""
    height, width = len(pixels), len(pixels[0])
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(raw)) +
                  chunk(b'IEND', b''))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    images = os.path.join(root, 'resources', 'controls')
    os.makedirs(images, exist_ok=True)
    write_bmp(os.path.join(images, 'error_mark.bmp'), disc(16, (220, 30, 30), '!'))
    write_bmp(os.path.join(images, 'warning_mark.bmp'), disc(16, (240, 200, 0), '!'))
    write_bmp(os.path.join(images, 'information_mark.bmp'), disc(14, (30, 90, 220), 'i'))
    write_bmp(os.path.join(images, 'small_error_mark.bmp'), disc(12, (220, 30, 30), '!'))
    write_bmp(os.path.join(images, 'help_glyph.bmp'), disc(16, (30, 90, 220), '?'))
    glyphs = os.path.join(root, 'controls', 'tests', 'resources')
    os.makedirs(glyphs, exist_ok=True)
    red = [[(255, 0, 0, 255)] * 16 for _ in range(16)]
    write_png(os.path.join(glyphs, 'red_glyph.png'), red)


if __name__ == '__main__':
    main()
