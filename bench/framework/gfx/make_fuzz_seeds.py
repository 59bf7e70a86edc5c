#!/usr/bin/python3
"""Writes the seed corpora of the image loaders' fuzz targets into tests/data/fuzz/<format>/.

Deterministic: the same files on every run. Names starting "ok-" must load, "bad-" must be
refused; the replay test holds the loaders to that.
"""
import io
import os
import struct
import sys

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tests", "data", "fuzz")


def picture(width, height, mode):
    image = Image.new(mode, (width, height))
    pixels = image.load()
    for y in range(height):
        for x in range(width):
            value = ((x * 37) & 255, (y * 53) & 255, ((x + y) * 11) & 255, (x * y) & 255)
            pixels[x, y] = value[: len(mode)] if mode != "L" else value[0]
    return image


def bmp(width, height, bits, top_down=False, offset_extra=0, trailing=b""):
    row = (width * bits // 8 + 3) & ~3
    rows = []
    image = picture(width, height, "RGBA")
    for y in range(height):
        source_y = y if top_down else height - 1 - y
        data = bytearray()
        for x in range(width):
            r, g, b, a = image.getpixel((x, source_y))
            data += bytes((b, g, r, a) if bits == 32 else (b, g, r))
        data += bytes(row - len(data))
        rows.append(bytes(data))
    pixels = b"".join(rows)
    offset = 54 + offset_extra
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(pixels), 0, 0, 0, 0)
    return header + info + bytes(offset_extra) + pixels + trailing


def tga_raw(width, height, bits):
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, bits, 0)
    image = picture(width, height, "RGBA")
    data = bytearray()
    for y in range(height):
        for x in range(width):
            r, g, b, a = image.getpixel((x, y))
            data += bytes((b, g, r, a) if bits == 32 else (b, g, r))
    return header + bytes(data)


def tga_rle(width, height, bits, packets, id_field=b""):
    header = struct.pack("<BBBHHBHHHHBB", len(id_field), 0, 10, 0, 0, 0, 0, 0, width, height, bits, 0)
    return header + id_field + packets


def rle_packets(width, height, bits):
    """A run packet and a raw packet per row pair, with runs crossing row ends."""
    size = bits // 8
    total = width * height
    out = bytearray()
    done = 0
    toggle = 0
    while done < total:
        count = min(128, total - done, width + 3)
        if toggle % 2 == 0:
            out.append(0x80 | (count - 1))
            out += bytes((done & 255, 40, 200, 255)[:size])
        else:
            out.append(count - 1)
            for i in range(count):
                out += bytes(((done + i) & 255, 90, 10, 128)[:size])
        done += count
        toggle += 1
    return bytes(out)


def jpeg(width, height, mode, **options):
    buffer = io.BytesIO()
    picture(width, height, mode).save(buffer, "JPEG", **options)
    return buffer.getvalue()


def write(folder, name, data):
    path = os.path.join(ROOT, folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


def main():
    write("bmp", "ok-24bit.bmp", bmp(7, 5, 24))
    write("bmp", "ok-32bit.bmp", bmp(6, 4, 32))
    write("bmp", "ok-top-down.bmp", bmp(5, 3, 24, top_down=True))
    write("bmp", "ok-gap-before-rows.bmp", bmp(3, 3, 24, offset_extra=10))
    write("bmp", "bad-truncated-rows.bmp", bmp(9, 9, 24)[:-20])
    write("bmp", "bad-8bit.bmp", bmp(4, 4, 24)[:28] + struct.pack("<H", 8) + bmp(4, 4, 24)[30:])
    huge = bytearray(bmp(4, 4, 24))
    struct.pack_into("<ii", huge, 18, 0x7FFFFFFF, 0x7FFFFFFF)
    write("bmp", "bad-huge-size.bmp", bytes(huge))
    offset = bytearray(bmp(4, 4, 24))
    struct.pack_into("<I", offset, 10, 0xFFFFFFF0)
    write("bmp", "bad-offset-past-end.bmp", bytes(offset))

    write("tga", "ok-raw-24bit.tga", tga_raw(5, 4, 24))
    write("tga", "ok-raw-32bit.tga", tga_raw(4, 3, 32))
    write("tga", "ok-rle-24bit.tga", tga_rle(9, 6, 24, rle_packets(9, 6, 24)))
    write("tga", "ok-rle-32bit-with-id.tga", tga_rle(7, 5, 32, rle_packets(7, 5, 32), b"seed"))
    write("tga", "bad-rle-footer.tga", tga_rle(9, 6, 24, rle_packets(9, 6, 24) + b"TRUEVISION-XFILE.\0"))
    write("tga", "bad-rle-short.tga", tga_rle(9, 6, 24, rle_packets(9, 6, 24)[:-5]))
    write("tga", "bad-raw-short.tga", tga_raw(8, 8, 24)[:-1])
    write("tga", "bad-16bit.tga", tga_raw(4, 4, 24)[:16] + b"\x10" + tga_raw(4, 4, 24)[17:])

    write("jpeg", "ok-colour.jpg", jpeg(24, 16, "RGB", quality=80))
    write("jpeg", "ok-grey.jpg", jpeg(17, 9, "L", quality=90))
    write("jpeg", "ok-progressive.jpg", jpeg(20, 20, "RGB", quality=70, progressive=True))
    write("jpeg", "ok-subsampled.jpg", jpeg(33, 19, "RGB", quality=60, subsampling=2))
    colour = jpeg(40, 40, "RGB", quality=85)
    write("jpeg", "ok-truncated.jpg", colour[: len(colour) * 2 // 3])
    write("jpeg", "bad-header-only.jpg", colour[:20])
    write("jpeg", "bad-no-signature.jpg", b"\x00" + colour[1:])
    return 0


if __name__ == "__main__":
    sys.exit(main())
