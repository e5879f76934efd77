"""Decodes an image file with an independent decoder and writes its size and RGBA pixels.

Output: "<width> <height>\n" followed by width * height * 4 bytes, rows top first.
"""
import sys

from PIL import Image

with Image.open(sys.argv[1]) as image:
    rgba = image.convert("RGBA")
    sys.stdout.buffer.write(b"%d %d\n" % rgba.size)
    sys.stdout.buffer.write(rgba.tobytes())
