#!/usr/bin/env python3
"""Writes setup.ico: one 32x32, 32-bit image (a blue square with a white frame). Kept so that the
icon can be regenerated or changed without an image editor."""
import struct
import sys

SIZE = 32


def pixel(x, y):
    if x in (0, SIZE - 1) or y in (0, SIZE - 1):
        return (0xFF, 0xFF, 0xFF, 0xFF)  # B, G, R, A
    return (0xB0, 0x60, 0x20, 0xFF)


def main(path):
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        rows.append(b"".join(bytes(pixel(x, y)) for x in range(SIZE)))
    xor = b"".join(rows)
    and_mask = b"\x00" * (SIZE * SIZE // 8)  # 4 bytes per row, already aligned
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "setup.ico")
