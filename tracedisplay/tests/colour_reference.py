"""Reference colours for the colour conversion tests, computed with colorsys.

Arguments: an amount, then colours as decimal COLORREF values (red in the low byte). For each
colour one line: hue (degrees), saturation, value of the colour's components taken as
value / 256; red, green, blue back from colorsys.hsv_to_rgb; and the colour with its brightness
adjusted by the amount, as a decimal COLORREF.
"""
import colorsys
import sys


def unit_clamp(x):
    return x if 0.0 <= x <= 1.0 else (1.0 if x >= 0.0 else 0.0)


def adjusted(r, g, b, amount):
    h, s, v = colorsys.rgb_to_hsv(r, g, b)
    if amount < -1.0 or amount > 1.0:
        amount = 1.0
    saturation = unit_clamp(s - amount)
    rest = (s - saturation) + amount
    if abs(rest) > 0.01:
        v = unit_clamp(v + rest * (1.0 - v) if rest > 0 else v + rest * v)
    r, g, b = colorsys.hsv_to_rgb(h, saturation, v)
    return int(r * 255.0) | int(g * 255.0) << 8 | int(b * 255.0) << 16


amount = float(sys.argv[1])
for text in sys.argv[2:]:
    colour = int(text)
    r, g, b = (colour & 0xFF) / 256.0, (colour >> 8 & 0xFF) / 256.0, (colour >> 16 & 0xFF) / 256.0
    h, s, v = colorsys.rgb_to_hsv(r, g, b)
    back = colorsys.hsv_to_rgb(h, s, v)
    print("%.17g %.17g %.17g %.17g %.17g %.17g %d" % (h * 360.0, s, v, *back, adjusted(r, g, b, amount)))
