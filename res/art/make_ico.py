#!/usr/bin/env python3
"""Writes a Windows icon file from 24-bit BMP files and PNG files.

Usage: make_ico.py OUT.ico IMAGE.bmp|IMAGE.png...  Each image keeps its pixels exactly.
A BMP's transparency mask is empty, so every pixel shows; a PNG goes in as it is, the
form Windows keeps its 256-pixel icons in.
"""
import struct
import sys


def icon_image(bmp):
    """The BMP's header and pixels as an icon image: height doubled, an empty mask added."""
    header_size = struct.unpack_from("<I", bmp, 14)[0]
    width, height, planes, bits = struct.unpack_from("<iiHH", bmp, 18)
    if bits != 24 or header_size != 40:
        sys.exit(f"expected a 24-bit BMP with a 40-byte header, got {bits} bits, {header_size}")
    pixels_at = struct.unpack_from("<I", bmp, 10)[0]
    row = (width * 3 + 3) // 4 * 4
    pixels = bmp[pixels_at:pixels_at + row * height]
    mask = bytes(((width + 31) // 32 * 4) * height)
    info = bytearray(bmp[14:14 + 40])
    struct.pack_into("<i", info, 8, height * 2)
    struct.pack_into("<I", info, 20, len(pixels) + len(mask))
    return width, height, bytes(info) + pixels + mask


def png_image(png):
    """The PNG as an icon image: its own bytes, with the size from its header."""
    width, height = struct.unpack_from(">II", png, 16)
    return width, height, png


def main(out, *paths):
    images = [(png_image if path.endswith(".png") else icon_image)(open(path, "rb").read())
              for path in paths]
    offset = 6 + 16 * len(images)
    directory, data = b"", b""
    for width, height, image in images:
        bits = 32 if image.startswith(b"\x89PNG") else 24
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                                 len(image), offset + len(data))
        data += image
    with open(out, "wb") as ico:
        ico.write(struct.pack("<HHH", 0, 1, len(images)) + directory + data)


if __name__ == "__main__":
    main(*sys.argv[1:])
