#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

usage: make-icon.py OUT.ico

The letters "TX" in white on a rounded square in the backdrop's blue, at 16, 32 and 48
pixels. Each image has 16 colours (4 bits a pixel): the blue, the white and the shades
between them, so that the letters' edges are smoothed; the corners outside the square are
transparent through the image's mask. The drawing is a few shapes in a unit square,
sampled 4 x 4 times a pixel, so every size comes from the same design.
"""
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4  # per pixel and axis

BLUE = (8, 74, 140)  # the backdrop's colour
WHITE = (255, 255, 255)
SHADES = 8  # steps from blue (0) to white (SHADES)

# Palette: 0 unused (under the mask), then blue, the shades between, white.
PALETTE = [(0, 0, 0)] + [
    tuple(round(b + (w - b) * step / SHADES) for b, w in zip(BLUE, WHITE)) for step in range(SHADES + 1)
]
PALETTE += [(0, 0, 0)] * (16 - len(PALETTE))

CORNER = 0.18  # radius of the square's corners, of its side


def in_square(x, y):
    cx = min(max(x, CORNER), 1 - CORNER)
    cy = min(max(y, CORNER), 1 - CORNER)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER**2


def in_rect(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def near_line(x, y, x0, y0, x1, y1, half_width):
    dx, dy = x1 - x0, y1 - y0
    return abs((x - x0) * dy - (y - y0) * dx) / (dx * dx + dy * dy) ** 0.5 <= half_width


# The letters, in the unit square (y grows downwards), on a grid of sixteenths so that the
# straight strokes fall on whole pixels at every size.
GRID = 16
TOP, BOTTOM, STROKE = 4 / GRID, 12 / GRID, 2 / GRID
T_LEFT, T_RIGHT = 1 / GRID, 7 / GRID
X_LEFT, X_RIGHT = 9 / GRID, 15 / GRID


def in_letters(x, y):
    middle = (T_LEFT + T_RIGHT) / 2
    if in_rect(x, y, T_LEFT, TOP, T_RIGHT, TOP + STROKE):
        return True
    if in_rect(x, y, middle - STROKE / 2, TOP, middle + STROKE / 2, BOTTOM):
        return True
    if not in_rect(x, y, X_LEFT, TOP, X_RIGHT, BOTTOM):
        return False
    # Each bar of the X runs corner to corner, inset by half a stroke so its ends stay inside.
    inset = STROKE / 2
    return near_line(x, y, X_LEFT + inset, TOP, X_RIGHT - inset, BOTTOM, STROKE / 2) or near_line(
        x, y, X_RIGHT - inset, TOP, X_LEFT + inset, BOTTOM, STROKE / 2
    )


# At 16 pixels a smoothed diagonal is a blur: the letters are placed pixel by pixel.
LETTERS_16 = [
    "................",
    "................",
    "................",
    "................",
    ".######.##...##.",
    ".######.##...##.",
    "...##....##.##..",
    "...##.....###...",
    "...##.....###...",
    "...##....##.##..",
    "...##...##...##.",
    "...##...##...##.",
    "................",
    "................",
    "................",
    "................",
]


def draw(size):
    """Rows top to bottom of (palette index, transparent)."""
    rows = []
    for row in range(size):
        pixels = []
        for column in range(size):
            square = letters = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (column + (sx + 0.5) / SAMPLES) / size
                    y = (row + (sy + 0.5) / SAMPLES) / size
                    if in_square(x, y):
                        square += 1
                        letters += in_letters(x, y)
            if size == len(LETTERS_16):
                letters = square * (LETTERS_16[row][column] == "#")
            if square * 2 < SAMPLES * SAMPLES:
                pixels.append((0, True))
            else:
                pixels.append((1 + round(letters * SHADES / square), False))
        rows.append(pixels)
    return rows


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def image(size):
    """One icon image: its header, palette, colour bits and mask, rows bottom to top."""
    rows = draw(size)
    colours = b""
    mask = b""
    for pixels in reversed(rows):
        line = bytearray()
        for left, right in zip(pixels[0::2], pixels[1::2]):
            line.append(left[0] << 4 | right[0])
        colours += padded(bytes(line))
        bits = bytearray((size + 7) // 8)
        for column, (_, transparent) in enumerate(pixels):
            if transparent:
                bits[column // 8] |= 0x80 >> (column % 8)
        mask += padded(bytes(bits))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colours) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colours + mask


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    main()
