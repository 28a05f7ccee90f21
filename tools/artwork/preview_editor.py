#!/usr/bin/python3
"""Usage: /usr/bin/python3 tools/artwork/preview_editor.py [--images FOLDER]
       [--output FILE] [--knobs VALUE] [--switches VALUE]

Composes the generated images the way the editor does, at their control
rectangles and in their drawing order, into one 500 x 480 PNG (by default
/tmp/quillwave_editor_preview.png). Knobs and switches show their default
values unless --knobs or --switches gives a normalised value for all of them.
"""

import argparse
import math
import os

import cairo

import editor_layout as layout
from drawing import new_context, set_font, text_width
from generate_artwork import DEFAULT_OUTPUT
from image_table import BY_ID

PRESET_TEXT = "< Presets Library >"

# (rectangle, image id, default normalised value), bottom to top as attached.
SWITCHES = ((layout.EFFECT_SWITCH, 109, 0.0),
            (layout.INPUT_MODE_SWITCH, 108, 0.0),
            (layout.MODE_SWITCH, 110, 0.0))
KNOBS = ((layout.INPUT_GAIN_KNOB, 111, 0.5),
         (layout.OUTPUT_BLEND_KNOB, 111, 1.0),
         (layout.OUTPUT_VOLUME_KNOB, 111, 0.5),
         (layout.BANDWIDTH_KNOB, 111, 0.5),
         (layout.CENTER_KNOB, 111, 0.5),
         (layout.FEEDBACK_KNOB, 111, 0.5),
         (layout.RATE_KNOB, 111, 0.5),
         (layout.SATURATION_KNOB, 114, 0.0),
         (layout.TONE_KNOB, 112, 0.5))


def frame_for(value, frames):
    """The strip frame (1-based) that a control shows for a value."""
    if frames < 2 or math.isnan(value):
        return 1
    return max(1, min(frames, int((frames - 1) * value + 0.5) + 1))


class Composer:
    def __init__(self, folder):
        self.folder = folder
        self.images = {}
        self.surface = cairo.ImageSurface(cairo.FORMAT_RGB24, *layout.EDITOR_SIZE)
        self.ctx = new_context(self.surface)

    def image(self, resource_id):
        if resource_id not in self.images:
            path = os.path.join(self.folder, BY_ID[resource_id].name)
            self.images[resource_id] = cairo.ImageSurface.create_from_png(path)
        return self.images[resource_id]

    def frame(self, rect, resource_id, frame=1):
        entry = BY_ID[resource_id]
        frame_h = entry.height // entry.frames
        left, top, right, bottom = rect
        if (right - left, bottom - top) != (entry.width, frame_h):
            raise SystemExit(f"image {resource_id} does not fit its rectangle {rect}")
        ctx = self.ctx
        ctx.save()
        ctx.rectangle(left, top, right - left, bottom - top)
        ctx.clip()
        ctx.set_source_surface(self.image(resource_id), left, top - (frame - 1) * frame_h)
        ctx.paint()
        ctx.restore()

    def fill(self, rect, rgba):
        left, top, right, bottom = rect
        self.ctx.rectangle(left, top, right - left, bottom - top)
        self.ctx.set_source_rgba(*rgba)
        self.ctx.fill()

    def text(self, rect, text, size, rgb):
        left, top, right, _ = rect
        ctx = self.ctx
        set_font(ctx, size, bold=True)
        ascent = ctx.font_extents()[0]
        ctx.move_to(round((left + right - text_width(ctx, text)) / 2.0), round(top + ascent))
        ctx.set_source_rgb(*rgb)
        ctx.show_text(text)


def compose(folder, knob_value=None, switch_value=None):
    c = Composer(folder)
    c.ctx.set_source_surface(c.image(101), 0, 0)
    c.ctx.paint()
    c.frame(layout.HEADER, 106)
    c.frame(layout.PANEL_SHADOW, 107)
    c.frame(layout.FRONT_PANEL, 113)
    for rect, resource_id, value in SWITCHES:
        value = value if switch_value is None else switch_value
        c.frame(rect, resource_id, frame_for(value, BY_ID[resource_id].frames))
    for rect, resource_id, value in KNOBS:
        value = value if knob_value is None else knob_value
        c.frame(rect, resource_id, frame_for(value, BY_ID[resource_id].frames))
    c.fill(layout.PRESET_STRIP, (0.0, 0.0, 0.0, 140 / 255.0))
    # GDI sizes fonts by cell height; 20 pixels of cell is about 17 of em.
    c.text(layout.PRESET_NAME, PRESET_TEXT, 17, (100 / 255.0,) * 3)
    c.frame(layout.PREVIOUS_PRESET, 102)
    c.frame(layout.NEXT_PRESET, 103)
    c.frame(layout.LOAD_BUTTON, 104)
    c.frame(layout.SAVE_BUTTON, 105)
    return c.surface


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--images", default=DEFAULT_OUTPUT)
    parser.add_argument("--output", default="/tmp/quillwave_editor_preview.png")
    parser.add_argument("--knobs", type=float, default=None)
    parser.add_argument("--switches", type=float, default=None)
    args = parser.parse_args()
    compose(args.images, args.knobs, args.switches).write_to_png(args.output)
    print(args.output)


if __name__ == "__main__":
    main()
