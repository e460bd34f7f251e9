#!/usr/bin/python3
"""Draws Vantolu's pictures into res/: the digit and unit images, the banner and the icon.

Run from anywhere: /usr/bin/python3 tools/make_pictures.py
The output is committed. Running the script again writes the same bytes (no time stamps,
no randomness), so `git status res/` stays clean unless the drawing code changed.

Needs Pillow (Debian package python3-pil) and the fonts of fonts-dejavu-core and
fonts-ipafont-gothic.
"""

import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = Path(__file__).resolve().parent.parent
RES = ROOT / "res"
IMAGES = RES / "images"

DEJAVU_DIR = Path("/usr/share/fonts/truetype/dejavu")
DIGIT_FONT = DEJAVU_DIR / "DejaVuSansCondensed-Bold.ttf"
TITLE_FONT = DEJAVU_DIR / "DejaVuSans-Bold.ttf"
JAPANESE_FONT = Path("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf")

# The readout draws every digit and unit image at half its size, in cells 50 camera pixels
# apart, so a 96 x 128 picture covers 48 x 64 camera pixels: neighbouring digits nearly touch
# without overlapping. The unit sits 5 pixels further right, which leaves room for a picture
# 120 wide (60 camera pixels, its left edge just clear of the last digit).
DIGIT_SIZE = (96, 128)
UNIT_SIZE = (120, 128)
DIGIT_POINTS = 112
UNIT_POINTS = 62
# Shared baseline of digits and unit, so "cm" stands on the same line as the number.
BASELINE = 104
OUTLINE = 6
SHADOW_OFFSET = (3, 4)
SHADOW_BLUR = 3
SHADOW_ALPHA = 170

# Two looks, one per tracked user: fill from top colour to bottom colour, a dark outline.
STYLES = [
    {"top": (255, 250, 225), "bottom": (255, 138, 20), "outline": (70, 24, 0)},
    {"top": (225, 255, 255), "bottom": (0, 150, 255), "outline": (0, 26, 72)},
]

BANNER_SIZE = (640, 89)
ICON_SIZE = 64


def vertical_gradient(size, top, bottom, first_row=0, last_row=None):
    """An RGBA picture that blends from `top` at first_row to `bottom` at last_row."""
    width, height = size
    if last_row is None:
        last_row = height - 1
    column = Image.new("RGBA", (1, height))
    span = max(1, last_row - first_row)
    for y in range(height):
        t = min(1.0, max(0.0, (y - first_row) / span))
        column.putpixel(
            (0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,))
    return column.resize(size, Image.NEAREST)


def text_mask(size, text, font, anchor_xy, stroke=0):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).text(anchor_xy, text, font=font, fill=255, anchor="ms",
                              stroke_width=stroke, stroke_fill=255)
    return mask


def solid(size, rgb, mask):
    layer = Image.new("RGBA", size, rgb + (0,))
    layer.putalpha(mask)
    return layer


def outlined_text(size, text, font, style):
    """Text with a gradient fill, a dark outline and a soft drop shadow on transparency."""
    # Shifted left by half the shadow's offset, so that text and shadow together are centred.
    anchor_xy = (size[0] // 2 - SHADOW_OFFSET[0] // 2, BASELINE)
    inner = text_mask(size, text, font, anchor_xy)
    outer = text_mask(size, text, font, anchor_xy, stroke=OUTLINE)

    shadow_mask = ImageChops.offset(outer, *SHADOW_OFFSET).filter(
        ImageFilter.GaussianBlur(SHADOW_BLUR))
    # The blur's faint tails are cut off so that the shadow stays inside the picture.
    shadow_mask = shadow_mask.point(lambda v: 0 if v < 12 else v * SHADOW_ALPHA // 255)

    # The gradient spans the digits' ink, from cap height to baseline, for both images, so
    # the unit's lower-case letters take the colours of the digits' lower half.
    cap_top = BASELINE - round(DIGIT_POINTS * 0.73)
    fill = vertical_gradient(size, style["top"], style["bottom"], cap_top, BASELINE)
    fill.putalpha(inner)

    picture = Image.new("RGBA", size, (0, 0, 0, 0))
    picture = Image.alpha_composite(picture, solid(size, (0, 0, 0), shadow_mask))
    picture = Image.alpha_composite(picture, solid(size, style["outline"], outer))
    picture = Image.alpha_composite(picture, fill)
    return picture


def check_clear_border(picture, name):
    """The outermost pixels must be transparent: texture filtering samples up to the edge."""
    alpha = picture.getchannel("A")
    width, height = picture.size
    edges = [alpha.crop(box) for box in
             ((0, 0, width, 1), (0, height - 1, width, height),
              (0, 0, 1, height), (width - 1, 0, width, height))]
    if any(edge.getextrema()[1] != 0 for edge in edges):
        sys.exit(f"{name}: the drawing touches the picture's border")


def save_png(picture, path):
    # Pillow writes no time stamp chunk unless asked to, so the bytes depend only on pixels.
    picture.save(path, format="PNG", optimize=True)


def make_digits_and_units():
    IMAGES.mkdir(parents=True, exist_ok=True)
    digit_font = ImageFont.truetype(str(DIGIT_FONT), DIGIT_POINTS)
    unit_font = ImageFont.truetype(str(DIGIT_FONT), UNIT_POINTS)
    for number, style in enumerate(STYLES):
        for digit in range(10):
            name = f"num{number}{digit}.png"
            picture = outlined_text(DIGIT_SIZE, str(digit), digit_font, style)
            check_clear_border(picture, name)
            save_png(picture, IMAGES / name)
        name = f"cm{number + 1}.png"
        picture = outlined_text(UNIT_SIZE, "cm", unit_font, style)
        check_clear_border(picture, name)
        save_png(picture, IMAGES / name)


def draw_ruler(draw, left, top, bottom, width, scale):
    """A vertical ruler: a light bar with ticks every few pixels, longer ones every fifth."""
    draw.rectangle((left, top, left + width, bottom), fill=(236, 244, 250))
    step = 5 * scale
    for index, y in enumerate(range(bottom - 4 * scale, top + 2 * scale, -step)):
        length = width * 0.7 if index % 5 == 0 else width * 0.4
        draw.rectangle((left, y, left + length, y + scale - 1), fill=(20, 60, 100))


def make_banner():
    """The 640 x 89 banner: a band with the icon, the product name and a tagline."""
    width, height = BANNER_SIZE
    banner = Image.new("RGB", BANNER_SIZE)
    draw = ImageDraw.Draw(banner)
    # Horizontal band from deep navy to blue, with an orange stripe along the top and bottom.
    for x in range(width):
        t = x / (width - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip((10, 34, 66), (18, 92, 150)))
        draw.line((x, 0, x, height - 1), fill=colour)
    draw.rectangle((0, 0, width - 1, 3), fill=(255, 138, 20))
    draw.rectangle((0, height - 4, width - 1, height - 1), fill=(255, 138, 20))

    # The program's icon at the left end, centred vertically.
    icon = draw_icon()
    banner.paste(icon, (14, (height - ICON_SIZE) // 2), icon)

    title_font = ImageFont.truetype(str(TITLE_FONT), 52)
    tagline_font = ImageFont.truetype(str(JAPANESE_FONT), 26)
    title_left, baseline = 94, 63
    draw.text((title_left + 2, baseline + 3), "Vantolu", font=title_font, fill=(4, 16, 32),
              anchor="ls")
    draw.text((title_left, baseline), "Vantolu", font=title_font, fill=(255, 255, 255),
              anchor="ls")
    title_right = title_left + draw.textlength("Vantolu", font=title_font)
    draw.line((title_right + 22, 24, title_right + 22, 66), fill=(120, 190, 235), width=2)
    draw.text((title_right + 42, baseline - 4), "身長計測", font=tagline_font,
              fill=(170, 225, 255), anchor="ls")
    write_bmp24(banner, RES / "banner.bmp")


def write_bmp24(picture, path):
    """A 24-bit BMP: file header, 40-byte info header, bottom-up BGR rows padded to 4 bytes."""
    width, height = picture.size
    stride = (width * 3 + 3) & ~3
    pixel_bytes = stride * height
    offset = 14 + 40
    rows = []
    raw = picture.convert("RGB").tobytes()
    for y in range(height - 1, -1, -1):
        row = bytearray(raw[y * width * 3:(y + 1) * width * 3])
        row[0::3], row[2::3] = row[2::3], row[0::3]
        rows.append(bytes(row) + b"\0" * (stride - width * 3))
    file_header = struct.pack("<2sIHHI", b"BM", offset + pixel_bytes, 0, 0, offset)
    # 2835 pixels per metre is 72 dots per inch.
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, pixel_bytes,
                              2835, 2835, 0, 0)
    path.write_bytes(file_header + info_header + b"".join(rows))


def draw_icon():
    """A ruler and a person on a rounded blue square, drawn four times larger and scaled
    down for smooth edges."""
    scale = 4
    big = ICON_SIZE * scale
    icon = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    background = vertical_gradient((big, big), (30, 120, 190), (10, 40, 80))
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle((2 * scale, 2 * scale, big - 2 * scale - 1,
                                            big - 2 * scale - 1), radius=12 * scale, fill=255)
    icon.paste(background, (0, 0), mask)

    draw = ImageDraw.Draw(icon)
    s = scale
    draw_ruler(draw, 11 * s, 9 * s, 55 * s, 11 * s, s)
    # A person beside the ruler.
    skin = (255, 170, 70, 255)
    draw.ellipse((33 * s, 14 * s, 45 * s, 26 * s), fill=skin)
    draw.rounded_rectangle((30 * s, 28 * s, 48 * s, 44 * s), radius=5 * s, fill=skin)
    draw.rectangle((33 * s, 42 * s, 37 * s, 55 * s), fill=skin)
    draw.rectangle((41 * s, 42 * s, 45 * s, 55 * s), fill=skin)
    # The measuring line from the ruler to the top of the head.
    draw.rectangle((22 * s, 11 * s, 52 * s, 12 * s + s - 1), fill=(255, 255, 255, 255))
    return icon.resize((ICON_SIZE, ICON_SIZE), Image.LANCZOS)


def main():
    make_digits_and_units()
    make_banner()
    save_png(draw_icon(), RES / "icon.png")


if __name__ == "__main__":
    main()
