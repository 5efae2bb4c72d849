#!/usr/bin/env python3
"""Writes the picture files the window tests open, and ImageMagick's decoding
of each as the reference the tests compare the shown pixels with:

    tests/tools/make_test_pictures.py OUT_DIR [convert]

For every picture NAME.EXT it writes NAME.rgba: ImageMagick's decoding of
the file (the first frame of a GIF), 4 bytes red, green, blue, alpha a
pixel, the top row first. Python writes the PNG with transparency and the
TGA itself (zlib and struct are enough), so that ImageMagick reads files it
did not write; the JPEG, GIF and TIFF come from ImageMagick. The damaged
files have no reference: no decoder may show them."""
import os
import struct
import subprocess
import sys
import zlib


def write_png(path, width, height, pixels, channels):
    """pixels: one tuple per pixel, top row first; 3 (RGB) or 4 (RGBA) channels."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    colour_type = 6 if channels == 4 else 2
    rows = b"".join(
        b"\0" + bytes(c for x in range(width) for c in pixels[y * width + x]) for y in range(height))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        out.write(chunk(b"IEND", b""))


def write_ppm(path, width, height, pixel):
    with open(path, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height))
        out.write(bytes(c for y in range(height) for x in range(width) for c in pixel(x, y)))


def rle_packets(pixels):
    """TGA run-length packets over the whole list: runs may cross rows."""
    out, i = bytearray(), 0
    while i < len(pixels):
        run = 1
        while i + run < len(pixels) and run < 128 and pixels[i + run] == pixels[i]:
            run += 1
        if run > 1:
            out += bytes([0x80 | (run - 1)]) + pixels[i]
            i += run
            continue
        raw = 1
        while i + raw < len(pixels) and raw < 128 and pixels[i + raw] != pixels[i + raw - 1]:
            raw += 1
        out += bytes([raw - 1]) + b"".join(pixels[i:i + raw])
        i += raw
    return bytes(out)


def write_tga(path, width, height, rgba):
    """A 32-bit run-length TGA, rows bottom first as most writers leave them, 8 alpha bits."""
    bottom_first = [rgba[y * width + x] for y in reversed(range(height)) for x in range(width)]
    bgra = [bytes((b, g, r, a)) for r, g, b, a in bottom_first]
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 10, 0, 0, 0, 0, 0, width, height, 32, 8)
    with open(path, "wb") as out:
        out.write(header + rle_packets(bgra))


def alpha_pixel(x, y):
    """Fully transparent on the left (its colour kept, not black), half on the
    middle, opaque on the right; a few colours, so the runs are long."""
    colour = (200, 30 + 4 * (y // 4), 40 + 8 * (x % 8))
    alpha = 0 if x < 20 else 128 if x < 40 else 255
    return colour + (alpha,)


def photo_pixel(x, y):
    return (x * 255 // 95, y * 255 // 63, 128 + (x + y) % 64)


def wide_pixel(x, y):
    """For the fitting: red tells the column, green the row."""
    return (x * 255 // 999, y * 255 // 299, 255 if (x // 50 + y // 50) % 2 else 60)


def gif_frame(first):
    """Few colours, so the GIF palette holds them all exactly."""
    if first:
        return lambda x, y: (255, 0, 0) if x < 20 else (0, 0, 255) if y < 15 else (255, 255, 0)
    return lambda x, y: (0, 255, 0)


def main():
    out_dir = sys.argv[1]
    convert = sys.argv[2] if len(sys.argv) > 2 else "convert"
    os.makedirs(out_dir, exist_ok=True)
    at = lambda name: os.path.join(out_dir, name)

    write_png(at("alpha.png"), 60, 40, [alpha_pixel(x, y) for y in range(40) for x in range(60)], 4)
    write_png(at("wide.png"), 1000, 300, [wide_pixel(x, y) for y in range(300) for x in range(1000)], 3)
    write_tga(at("logo.tga"), 50, 30,
              [(x * 5, y * 8, 90, 0 if (x < 10 and y < 10) else 255) for y in range(30) for x in range(50)])
    write_ppm(at("photo.ppm"), 96, 64, photo_pixel)
    subprocess.run([convert, at("photo.ppm"), "-quality", "92", at("photo.jpg")], check=True)
    subprocess.run([convert, at("photo.ppm"), "-compress", "LZW", at("scan.tif")], check=True)
    write_ppm(at("frame1.ppm"), 40, 30, gif_frame(True))
    write_ppm(at("frame2.ppm"), 40, 30, gif_frame(False))
    subprocess.run([convert, "-delay", "20", at("frame1.ppm"), at("frame2.ppm"), at("anim.gif")], check=True)

    for name, source in [("alpha", "alpha.png"), ("wide", "wide.png"), ("logo", "logo.tga"),
                         ("photo", "photo.jpg"), ("scan", "scan.tif"), ("anim", "anim.gif[0]")]:
        # -auto-orient: ImageMagick 6 keeps a bottom-first TGA upside down otherwise.
        subprocess.run([convert, at(source), "-auto-orient", "-depth", "8", "rgba:" + at(name + ".rgba")], check=True)

    png = open(at("wide.png"), "rb").read()
    open(at("cut.png"), "wb").write(png[:len(png) // 3])
    jpeg = open(at("photo.jpg"), "rb").read()
    open(at("broken.jpg"), "wb").write(jpeg[:200] + bytes(range(256)) * 8)
    tga = open(at("logo.tga"), "rb").read()
    open(at("cut.tga"), "wb").write(tga[:len(tga) // 2])
    open(at("text.png"), "wb").write(b"pas une image, malgre son nom\r\n")
    for ppm in ("photo.ppm", "frame1.ppm", "frame2.ppm"):
        os.remove(at(ppm))
    open(at("made"), "w").write("test pictures\n")


if __name__ == "__main__":
    main()
