#!/usr/bin/env python3
"""Regenerates the bitmaps in this folder from their SVG sources.

    rotator-orange-source.svg -> rotator-orange.png  (180 x 180)
    vpnlogo.svg               -> vpnlogo.ico         (16, 32, 48 and 256 px)
    vpnlogo.svg               -> logo.png            (96 x 96, the login screen)
    human-source.svg          -> Human.png           (18 x 18, login field)
    key-source.svg            -> Key.png             (18 x 18, password field)

Needs rsvg-convert (Debian: apt-get install librsvg2-bin) and nothing beyond the
Python standard library. The outputs are committed, so the build never runs this;
run it by hand after editing a source:  python3 render-icons.py
"""

import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ICO_SIZES = (16, 32, 48, 256)
# The connection screen shows the spinner at 180 x 180 and scales it with a fast
# transformation, which leaves jagged edges unless no scaling is needed.
SPINNER_SIZE = 180
# The login screen shows the logo unscaled; the field icons sit in 18 px actions.
LOGO_SIZE = 96
FIELD_ICON_SIZE = 18


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


def main():
    render(os.path.join(HERE, "rotator-orange-source.svg"), SPINNER_SIZE, os.path.join(HERE, "rotator-orange.png"))

    render(os.path.join(HERE, "vpnlogo.svg"), LOGO_SIZE, os.path.join(HERE, "logo.png"))
    render(os.path.join(HERE, "human-source.svg"), FIELD_ICON_SIZE, os.path.join(HERE, "Human.png"))
    render(os.path.join(HERE, "key-source.svg"), FIELD_ICON_SIZE, os.path.join(HERE, "Key.png"))

    pngs = []
    with tempfile.TemporaryDirectory() as tmp:
        for size in ICO_SIZES:
            png = os.path.join(tmp, "vpnlogo-%d.png" % size)
            render(os.path.join(HERE, "vpnlogo.svg"), size, png)
            with open(png, "rb") as f:
                pngs.append((size, f.read()))
    write_ico(pngs, os.path.join(HERE, "vpnlogo.ico"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
