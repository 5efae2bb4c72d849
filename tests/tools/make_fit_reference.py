#!/usr/bin/env python3
"""Writes tests/core/FitReference.h: ImageMagick's Lanczos resize, in linear
light, of the test pattern that tests/core/PictureFitTest.cpp draws, for a
few sizes. The test compares the program's fitting with it.

    tests/tools/make_fit_reference.py [convert]

The default converter is ImageMagick 6's convert-im6.q16 (Debian's
imagemagick-6.q16); the header records the version used."""
import os
import subprocess
import sys
import tempfile

CASES = [  # (name, source width, source height, result width, result height)
    ("Shrunk", 96, 64, 40, 24),
    ("ShrunkALot", 240, 160, 24, 16),
    ("Enlarged", 20, 12, 48, 28),
]


def pattern(x, y, width):
    """Must match TestPattern in PictureFitTest.cpp."""
    red = x * 255 // (width - 1)
    green = 220 if (x // 8 + y // 8) % 2 == 0 else 40
    t = (x * 7 + y * 5) % 64
    blue = 60 + 4 * abs(t - 32)
    return red, green, blue


def write_ppm(path, width, height):
    with open(path, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height))
        out.write(bytes(c for y in range(height) for x in range(width) for c in pattern(x, y, width)))


def read_ppm(path):
    data = open(path, "rb").read()
    magic, size, maximum, pixels = data.split(b"\n", 3)
    assert magic == b"P6" and maximum == b"255"
    return pixels


def main():
    convert = sys.argv[1] if len(sys.argv) > 1 else "/usr/bin/convert-im6.q16"
    version = subprocess.run([convert, "-version"], capture_output=True, text=True).stdout.splitlines()[0]
    lines = [
        "#pragma once",
        "// Made by tests/tools/make_fit_reference.py with " + version.strip() + ":",
        "//   convert pattern.ppm -colorspace RGB -filter Lanczos -resize WxH! -colorspace sRGB -depth 8 out.ppm",
        "// (a Lanczos resize in linear light); pixels red, green, blue, top row first.",
        "#include <cstdint>",
        "",
        "namespace tessark::test::fit_reference {",
    ]
    with tempfile.TemporaryDirectory() as work:
        for name, sw, sh, w, h in CASES:
            source, result = os.path.join(work, name + ".ppm"), os.path.join(work, name + "-out.ppm")
            write_ppm(source, sw, sh)
            subprocess.run([convert, source, "-colorspace", "RGB", "-filter", "Lanczos", "-resize", "%dx%d!" % (w, h),
                            "-colorspace", "sRGB", "-depth", "8", result], check=True)
            pixels = read_ppm(result)
            assert len(pixels) == w * h * 3
            lines.append("")
            lines.append("inline constexpr int %sFrom[2] = {%d, %d}, %sTo[2] = {%d, %d};" % (name, sw, sh, name, w, h))
            lines.append("inline constexpr std::uint8_t %s[] = {" % name)
            for at in range(0, len(pixels), 24):
                lines.append("    " + ", ".join("%d" % b for b in pixels[at:at + 24]) + ",")
            lines.append("};")
    lines += ["", "} // namespace tessark::test::fit_reference", ""]
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "core", "FitReference.h")
    open(target, "w").write("\n".join(lines))


main()
