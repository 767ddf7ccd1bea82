#!/usr/bin/python3
"""Generates the picture fixtures of the graphics wrapper's tests from code.

    /usr/bin/python3 tools/make-fixtures.py            # write the fixtures into the tree
    /usr/bin/python3 tools/make-fixtures.py --check    # regenerate into a temp dir, compare byte for byte

Needs Debian's python3-pil. Deterministic: no clock, no unseeded noise.

Outputs (graphics/tests/fixtures/):

quadrants.png   36 x 32 RGBA: top-left red, top-right green, bottom-left blue, bottom-right
                white at alpha 128; 96 dpi (pHYs).
photo.jpg       40 x 30 baseline JPEG, a horizontal grey ramp.
frames.gif      16 x 16, three frames (red, green, blue) with delays 100, 200 and 300 ms,
                looping forever.
icon.ico        16 x 16 and 32 x 32 icon (32-bit images), an orange square on transparency.
plain.bmp       20 x 10 24-bit BMP, a vertical yellow-to-cyan split at x = 10.
"""

import argparse
import filecmp
import io
import os
import sys
import tempfile

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIXTURES = os.path.join("graphics", "tests", "fixtures")


def save(image, fmt, **options):
    out = io.BytesIO()
    image.save(out, fmt, **options)
    return out.getvalue()


def quadrants_png():
    img = Image.new("RGBA", (36, 32))
    px = img.load()
    for y in range(32):
        for x in range(36):
            left, top = x < 18, y < 16
            if top and left:
                px[x, y] = (255, 0, 0, 255)
            elif top:
                px[x, y] = (0, 255, 0, 255)
            elif left:
                px[x, y] = (0, 0, 255, 255)
            else:
                px[x, y] = (255, 255, 255, 128)
    return save(img, "PNG", dpi=(96, 96), optimize=False)


def photo_jpg():
    img = Image.new("RGB", (40, 30))
    px = img.load()
    for y in range(30):
        for x in range(40):
            v = x * 255 // 39
            px[x, y] = (v, v, v)
    return save(img, "JPEG", quality=90, optimize=False, progressive=False)


def frames_gif():
    frames = [Image.new("RGB", (16, 16), c) for c in ((255, 0, 0), (0, 255, 0), (0, 0, 255))]
    return save(frames[0], "GIF", save_all=True, append_images=frames[1:], duration=[100, 200, 300],
                loop=0, optimize=False, disposal=1)


def icon_ico():
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    px = img.load()
    for y in range(4, 28):
        for x in range(4, 28):
            px[x, y] = (255, 128, 0, 255)
    return save(img, "ICO", sizes=[(16, 16), (32, 32)], bitmap_format="bmp")


def plain_bmp():
    img = Image.new("RGB", (20, 10))
    px = img.load()
    for y in range(10):
        for x in range(20):
            px[x, y] = (255, 255, 0) if x < 10 else (0, 255, 255)
    return save(img, "BMP")


OUTPUTS = {
    "quadrants.png": quadrants_png,
    "photo.jpg": photo_jpg,
    "frames.gif": frames_gif,
    "icon.ico": icon_ico,
    "plain.bmp": plain_bmp,
}


def write_all(root):
    folder = os.path.join(root, FIXTURES)
    os.makedirs(folder, exist_ok=True)
    for name, make in OUTPUTS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(make())


def check():
    with tempfile.TemporaryDirectory() as tmp:
        write_all(tmp)
        bad = [n for n in OUTPUTS
               if not filecmp.cmp(os.path.join(tmp, FIXTURES, n), os.path.join(ROOT, FIXTURES, n), shallow=False)]
    for n in bad:
        print("differs:", os.path.join(FIXTURES, n))
    return 1 if bad else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="compare the committed files with fresh output")
    args = parser.parse_args()
    if args.check:
        return check()
    write_all(ROOT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
