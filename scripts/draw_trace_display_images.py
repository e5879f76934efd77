#!/usr/bin/env python3
"""Draws the trace display's button glyphs into resources/tracedisplay.

Each glyph is a 16 x 16 pixel drawing on a silver (192, 192, 192) background, which the buttons
draw as transparent (the colour of the top-left pixel). Run it again after changing a drawing;
its output is kept in the repository.
"""
import os

from draw_control_images import SILVER, write_bmp

SIZE = 16
BLACK = (0, 0, 0)
BLUE = (30, 90, 220)
GREEN = (20, 150, 40)
RED = (200, 30, 30)
GREY = (110, 110, 110)


def canvas():
    return [[SILVER] * SIZE for _ in range(SIZE)]


def fill(pixels, left, top, right, bottom, colour):
    for y in range(top, bottom):
        for x in range(left, right):
            pixels[y][x] = colour


def line(pixels, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        pixels[round(y0 + (y1 - y0) * i / steps)][round(x0 + (x1 - x0) * i / steps)] = colour


def arrow_heads(pixels, y, colour, outward):
    """Two horizontal arrow heads at the left and right ends of row y, pointing out or in."""
    for d in range(4):
        for x, sign in ((1, 1), (SIZE - 2, -1)):
            tip = x if outward else x + sign * 3
            column = tip + sign * d if outward else tip - sign * d
            fill(pixels, column, y - d, column + 1, y + d + 1, colour)
    line(pixels, 1, y, SIZE - 2, y, colour)


def expand():
    pixels = canvas()
    arrow_heads(pixels, 8, BLACK, outward=True)
    return pixels


def compress():
    pixels = canvas()
    arrow_heads(pixels, 8, BLACK, outward=False)
    fill(pixels, 7, 3, 9, 13, GREY)
    return pixels


def stop():
    pixels = canvas()
    fill(pixels, 4, 4, 12, 12, BLACK)
    return pixels


def play_triangle(pixels, left, right, height):
    """A triangle pointing right, from column left to right, `height` rows above and below 8."""
    for x in range(left, right):
        half = (right - x) * height // (right - left)
        fill(pixels, x, 8 - half, x + 1, 8 + half + 1, GREEN)


def start():
    pixels = canvas()
    play_triangle(pixels, 5, 12, 5)
    return pixels


def pause():
    pixels = canvas()
    fill(pixels, 4, 4, 7, 12, BLUE)
    fill(pixels, 9, 4, 12, 12, BLUE)
    return pixels


def wave(pixels, top, colour):
    """A small zig-zag trace, 5 pixels high, from row top."""
    points = [(1, top + 4), (4, top), (7, top + 4), (10, top), (14, top + 4)]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        line(pixels, x0, y0, x1, y1, colour)


def stacked():
    pixels = canvas()
    wave(pixels, 2, BLUE)
    wave(pixels, 9, RED)
    return pixels


def overlaid():
    pixels = canvas()
    wave(pixels, 5, BLUE)
    wave(pixels, 7, RED)
    return pixels


def source_only():
    pixels = canvas()
    wave(pixels, 6, BLUE)
    return pixels


def auto_scale():
    pixels = canvas()
    wave(pixels, 6, BLUE)
    fill(pixels, 0, 2, 1, 14, BLACK)
    fill(pixels, SIZE - 1, 2, SIZE, 14, BLACK)
    return pixels


def latest_data():
    pixels = canvas()
    play_triangle(pixels, 3, 10, 4)
    fill(pixels, 11, 3, 13, 13, BLACK)
    return pixels


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    images = os.path.join(root, 'resources', 'tracedisplay')
    os.makedirs(images, exist_ok=True)
    for name, drawing in (('expand', expand), ('compress', compress), ('stop', stop),
                          ('start', start), ('pause', pause), ('stacked', stacked),
                          ('overlaid', overlaid), ('source_only', source_only),
                          ('auto_scale', auto_scale), ('latest_data', latest_data)):
        write_bmp(os.path.join(images, name + '.bmp'), drawing())


if __name__ == '__main__':
    main()
