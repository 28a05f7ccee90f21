"""The preset strip's buttons: step arrows and the LOAD and SAVE keys.

They sit on the translucent black strip across the top of the editor, so
they are dark keys with violet-white legends, matching the switch faces.
"""

from drawing import (new_surface, printed_text, rounded_rect, set_font,
                     vertical_gradient)

LEGEND = (0.86, 0.80, 1.0)


def _key(ctx, width, height):
    x, y, w, h = 1.0, 2.0, width - 2.0, height - 4.0
    rounded_rect(ctx, x - 0.5, y - 0.5, w + 1.0, h + 1.5, 3.5)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.6)
    ctx.fill()
    rounded_rect(ctx, x, y, w, h, 3.0)
    ctx.set_source(vertical_gradient(y, y + h, [
        (0.0, (0.25, 0.24, 0.28)),
        (1.0, (0.11, 0.11, 0.13)),
    ]))
    ctx.fill()
    rounded_rect(ctx, x + 0.5, y + 0.5, w - 1.0, h - 1.0, 2.5)
    ctx.set_source(vertical_gradient(y, y + h, [
        (0.0, (1.0, 1.0, 1.0, 0.22)),
        (0.4, (1.0, 1.0, 1.0, 0.03)),
        (1.0, (0.0, 0.0, 0.0, 0.3)),
    ]))
    ctx.set_line_width(1.0)
    ctx.stroke()


def render_text_button(caption, width=40, height=25):
    surface, ctx = new_surface(width, height)
    _key(ctx, width, height)
    set_font(ctx, 10, bold=True)
    printed_text(ctx, caption, width / 2.0, height / 2.0 + 3.5, tracking=0.8,
                 colour=LEGEND, drop=0.7)
    return surface


def render_arrow_button(direction, width=20, height=25):
    """direction -1 points left (previous preset), +1 right (next preset)."""
    surface, ctx = new_surface(width, height)
    _key(ctx, width, height)
    cx, cy = width / 2.0, height / 2.0
    tip, back, half = cx + 3.5 * direction, cx - 3.0 * direction, 4.5
    for offset, colour in ((1.0, (0.0, 0.0, 0.0, 0.7)), (0.0, (*LEGEND, 1.0))):
        ctx.move_to(tip, cy + offset)
        ctx.line_to(back, cy - half + offset)
        ctx.line_to(back, cy + half + offset)
        ctx.close_path()
        ctx.set_source_rgba(*colour)
        ctx.fill()
    return surface
