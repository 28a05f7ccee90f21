#!/usr/bin/python3
"""Usage: /usr/bin/python3 tools/artwork/generate_artwork.py [output folder]
(default resources/img)

Draws the editor's 14 images with Cairo and writes them as PNG files under
the names of the image table. The output is deterministic: every random
texture is seeded, so the same run on the same machine gives byte-identical
files. Needs the Debian packages python3-cairo and fonts-liberation.
"""

import os
import struct
import sys

import cairo

import drawing
from background import render_background
from front_panel import render_front_panel
from header_strip import render_header
from image_table import IMAGES
from knob_strips import (SMALL_VIOLET_KNOB, VIOLET_KNOB, WHITE_KNOB,
                         render_knob_strip)
from panel_shadow import render_panel_shadow
from preset_buttons import render_arrow_button, render_text_button
from switch_strips import render_captioned_switch, render_lamp_switch

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_OUTPUT = os.path.join(REPO_ROOT, "resources", "img")

RENDERERS = {
    101: lambda e: render_background(e.width, e.height),
    102: lambda e: render_arrow_button(-1, e.width, e.height),
    103: lambda e: render_arrow_button(+1, e.width, e.height),
    104: lambda e: render_text_button("LOAD", e.width, e.height),
    105: lambda e: render_text_button("SAVE", e.width, e.height),
    106: lambda e: render_header(e.width, e.height),
    107: lambda e: render_panel_shadow(e.width, e.height),
    108: lambda e: render_captioned_switch(("L/R", "LEF", "RIG", "L+R"), e.width),
    109: lambda e: render_lamp_switch(e.width),
    110: lambda e: render_captioned_switch(("CHR", "FLG"), e.width),
    111: lambda e: render_knob_strip(VIOLET_KNOB),
    112: lambda e: render_knob_strip(WHITE_KNOB),
    113: lambda e: render_front_panel(e.width, e.height),
    114: lambda e: render_knob_strip(SMALL_VIOLET_KNOB),
}


def png_size(path):
    """Width and height from the PNG signature and IHDR chunk."""
    with open(path, "rb") as f:
        head = f.read(24)
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise SystemExit(f"{path}: not a PNG file")
    return struct.unpack(">II", head[16:24])


def write_image(entry, folder):
    surface = RENDERERS[entry.resource_id](entry)
    size = (surface.get_width(), surface.get_height())
    if size != (entry.width, entry.height):
        raise SystemExit(f"{entry.name}: drew {size[0]} x {size[1]}, "
                         f"the table asks for {entry.width} x {entry.height}")
    if entry.height % entry.frames != 0:
        raise SystemExit(f"{entry.name}: {entry.height} rows do not split "
                         f"into {entry.frames} frames")
    path = os.path.join(folder, entry.name)
    # Written beside the target and renamed, so a failed run never leaves a
    # truncated image behind.
    partial = path + ".partial"
    try:
        surface.write_to_png(partial)
        written = png_size(partial)
        if written != (entry.width, entry.height):
            raise SystemExit(f"{entry.name}: the written file is "
                             f"{written[0]} x {written[1]}")
        os.replace(partial, path)
    except (OSError, cairo.Error) as error:
        raise SystemExit(f"cannot write {path}: {error}")
    finally:
        if os.path.exists(partial):
            os.remove(partial)
    return path


def main(argv):
    if len(argv) > 2 or (len(argv) == 2 and argv[1].startswith("-")):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    folder = argv[1] if len(argv) == 2 else DEFAULT_OUTPUT
    drawing.check_fonts()
    try:
        os.makedirs(folder, exist_ok=True)
    except OSError as error:
        raise SystemExit(f"cannot create {folder}: {error}")
    total = 0
    for entry in IMAGES:
        path = write_image(entry, folder)
        size = os.path.getsize(path)
        total += size
        frame_h = entry.height // entry.frames
        print(f"{entry.resource_id} {entry.name:40} {entry.width:4} x {entry.height:<4} "
              f"{entry.frames:2} x {entry.width} x {frame_h:<3} {size:8} bytes")
    print(f"{len(IMAGES)} images, {total} bytes in {folder}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
