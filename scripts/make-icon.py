#!/usr/bin/env python3
"""Draws Tavlin's icon, a green cross on a white banner with a navy frame,
at 16, 32 and 48 pixels, and writes it as win32/resources/tavlin.ico."""
import struct
import sys

WHITE = (255, 255, 255, 255)
GREEN = (0x1B, 0x9E, 0x3E, 255)
NAVY = (0x1F, 0x2A, 0x6B, 255)
CLEAR = (0, 0, 0, 0)


def pixel(x, y, size):
    frame = max(1, size // 16)
    margin = size // 16
    if x < margin or y < margin or x >= size - margin or y >= size - margin:
        return CLEAR
    if (x < margin + frame or y < margin + frame or
            x >= size - margin - frame or y >= size - margin - frame):
        return NAVY
    third = size / 3.0
    arm = size / 5.0
    centre = size / 2.0
    in_vertical = abs(x + 0.5 - centre) < arm / 2 and third / 2 < y < size - third / 2
    in_horizontal = abs(y + 0.5 - centre) < arm / 2 and third / 2 < x < size - third / 2
    return GREEN if in_vertical or in_horizontal else WHITE


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            rows.append(struct.pack("BBBB", b, g, r, a))
    colour = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "win32/resources/tavlin.ico")
