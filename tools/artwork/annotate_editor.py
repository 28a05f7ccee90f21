#!/usr/bin/python3
"""Numbers the controls on a picture of the editor for the user guide.

    /usr/bin/python3 tools/artwork/annotate_editor.py EDITOR.png OUT.png

EDITOR.png is the 500 x 480 editor as quillwave-snapshot writes it; each
control gets a numbered badge at its top-left corner, in the order the user
guide's table lists them (docs/USER-GUIDE.md).
"""
import sys

import cairo

# Badge centres beside the controls' top-left corners (product/QuillwaveEditor.cpp).
BADGES = [
    (150, 53),   # 1 preset menu
    (49, 73),    # 2 previous preset
    (451, 73),   # 3 next preset
    (20, 73),    # 4 load
    (480, 73),   # 5 save
    (88, 117),   # 6 bandwidth
    (88, 201),   # 7 centre
    (88, 285),   # 8 feedback
    (88, 369),   # 9 rate
    (223, 117),  # 10 mode
    (223, 201),  # 11 tone
    (168, 296),  # 12 saturation
    (230, 290),  # 13 bypass / active
    (358, 117),  # 14 routing
    (358, 201),  # 15 input gain
    (358, 285),  # 16 blend
    (358, 369),  # 17 output volume
]


def badge(context, x, y, number):
    context.new_path()
    context.arc(x, y, 9, 0, 6.2832)
    context.set_source_rgb(1.0, 0.82, 0.1)
    context.fill_preserve()
    context.set_source_rgb(0.1, 0.05, 0.2)
    context.set_line_width(1.5)
    context.stroke()
    text = str(number)
    context.select_font_face("Liberation Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    context.set_font_size(11)
    extents = context.text_extents(text)
    context.move_to(x - extents.x_advance / 2, y + extents.height / 2)
    context.show_text(text)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    surface = cairo.ImageSurface.create_from_png(sys.argv[1])
    context = cairo.Context(surface)
    for number, (x, y) in enumerate(BADGES, start=1):
        badge(context, x, y, number)
    surface.write_to_png(sys.argv[2])


if __name__ == "__main__":
    main()
