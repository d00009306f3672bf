#!/usr/bin/env python3
"""Regenerates the bitmaps in this folder from their SVG sources.

    rotator-orange-source.svg -> rotator-orange.png  (180 x 180)
    vpnlogo.svg               -> vpnlogo.ico         (16, 32, 48 and 256 px)
    vpnlogo.svg               -> logo.png            (96 x 96, the login screen)
    human-source.svg          -> Human.png           (18 x 18, login field)
    key-source.svg            -> Key.png             (18 x 18, password field)
    (drawn here)              -> bottom-line.png     (1 x 48, underline of a checked header tab)

Needs rsvg-convert (Debian: apt-get install librsvg2-bin) and nothing beyond the
Python standard library. The outputs are committed, so the build never runs this;
run it by hand after editing a source:  python3 render-icons.py [OUTPUT ...]
(every output when none is named). The flags are not here: the build renders them.
"""

import os
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ICO_SIZES = (16, 32, 48, 256)
# The connection screen shows the spinner at 180 x 180 and scales it with a fast
# transformation, which leaves jagged edges unless no scaling is needed.
SPINNER_SIZE = 180
# The login screen shows the logo unscaled; the field icons sit in 18 px actions.
LOGO_SIZE = 96
FIELD_ICON_SIZE = 18
# The picker's header buttons are 48 px high and the style sheet repeats this picture
# along x from the top-left corner, so it must be exactly that high for the line to sit
# on the bottom edge; a shorter button would cut the line off.
TAB_HEIGHT = 48
TAB_LINE = 3


def render(svg, size, out):
    subprocess.run(
        ["rsvg-convert", "--width", str(size), "--height", str(size), "--format", "png", "--output", out, svg],
        check=True,
    )


def write_ico(pngs, out):
    # An ICO whose entries hold PNG data is valid since Windows Vista and is read by
    # Qt's ico plugin; it keeps the file small and the small sizes exact.
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    entries = b""
    for size, data in pngs:
        dim = 0 if size >= 256 else size  # 0 stands for 256 in the one-byte fields
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(data for _, data in pngs))


def write_rgba_png(rows, out):
    """Writes rows of (r, g, b, a) pixels as an 8-bit RGBA PNG."""
    width, height = len(rows[0]), len(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    with open(out, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def bottom_line(out):
    clear, white = (255, 255, 255, 0), (255, 255, 255, 255)
    write_rgba_png([[clear]] * (TAB_HEIGHT - TAB_LINE) + [[white]] * TAB_LINE, out)


def vpnlogo_ico(out):
    pngs = []
    with tempfile.TemporaryDirectory() as tmp:
        for size in ICO_SIZES:
            png = os.path.join(tmp, "vpnlogo-%d.png" % size)
            render(os.path.join(HERE, "vpnlogo.svg"), size, png)
            with open(png, "rb") as f:
                pngs.append((size, f.read()))
    write_ico(pngs, out)


OUTPUTS = {
    "rotator-orange.png": lambda out: render(os.path.join(HERE, "rotator-orange-source.svg"), SPINNER_SIZE, out),
    "logo.png": lambda out: render(os.path.join(HERE, "vpnlogo.svg"), LOGO_SIZE, out),
    "Human.png": lambda out: render(os.path.join(HERE, "human-source.svg"), FIELD_ICON_SIZE, out),
    "Key.png": lambda out: render(os.path.join(HERE, "key-source.svg"), FIELD_ICON_SIZE, out),
    "vpnlogo.ico": vpnlogo_ico,
    "bottom-line.png": bottom_line,
}


def main():
    names = sys.argv[1:] or list(OUTPUTS)
    unknown = [name for name in names if name not in OUTPUTS]
    if unknown:
        print("unknown output: " + ", ".join(unknown) + "; known: " + ", ".join(OUTPUTS), file=sys.stderr)
        return 2
    for name in names:
        OUTPUTS[name](os.path.join(HERE, name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
