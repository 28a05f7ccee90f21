"""The header strip: near-black, with the maker's logo at the left and the
product line's logo at the right."""

import math

import cairo

from drawing import (INK, VIOLET_GLOW, new_surface, printed_text, rounded_rect,
                     set_font, show_text, text_width, vertical_gradient)

MAKER_FIRST = "PLEO"
MAKER_SECOND = "AUDIO"
LINE_FIRST = "VIOLET"
LINE_SECOND = "RACK SERIES"


def _maker_emblem(ctx, cx, cy, radius):
    """A ring around a single sine period: the maker's wave mark."""
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    ring = cairo.LinearGradient(0, cy - radius, 0, cy + radius)
    ring.add_color_stop_rgb(0.0, 0.72, 0.60, 0.98)
    ring.add_color_stop_rgb(1.0, 0.40, 0.25, 0.70)
    ctx.set_source(ring)
    ctx.set_line_width(1.6)
    ctx.stroke()
    steps = 24
    for i in range(steps + 1):
        t = i / steps
        x = cx - radius * 0.62 + t * radius * 1.24
        y = cy - math.sin(t * 2 * math.pi) * radius * 0.42
        if i == 0:
            ctx.move_to(x, y)
        else:
            ctx.line_to(x, y)
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(1.5)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.stroke()


def _rack_mark(ctx, x, y):
    """Three stacked rack units, the product line's mark."""
    for i in range(3):
        rounded_rect(ctx, x, y + i * 4.0, 13.0, 3.0, 1.0)
        ctx.set_source_rgba(*VIOLET_GLOW, 1.0 - 0.25 * i)
        ctx.fill()


def render_header(width, height):
    surface, ctx = new_surface(width, height)
    ctx.rectangle(0, 0, width, height)
    ctx.set_source(vertical_gradient(0, height, [
        (0.0, (0.095, 0.092, 0.105)),
        (1.0, (0.040, 0.040, 0.045)),
    ]))
    ctx.fill()
    # A hairline of light on top, a dark one where the strip meets the
    # background below.
    ctx.rectangle(0, 0, width, 1)
    ctx.set_source_rgba(1.0, 1.0, 1.0, 0.07)
    ctx.fill()
    ctx.rectangle(0, height - 1, width, 1)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.9)
    ctx.fill()
    ctx.rectangle(0, height - 2, width, 1)
    ctx.set_source_rgba(0.55, 0.40, 0.85, 0.35)
    ctx.fill()

    baseline = height / 2.0 + 5.0
    _maker_emblem(ctx, 20.0, height / 2.0 - 0.5, 8.5)
    set_font(ctx, 15, bold=True)
    _, end = printed_text(ctx, MAKER_FIRST, 35.0, baseline, align=0.0,
                          tracking=1.5, colour=INK, drop=0.0)
    set_font(ctx, 15)
    printed_text(ctx, MAKER_SECOND, end + 5.0, baseline, align=0.0,
                 tracking=1.5, colour=(0.62, 0.60, 0.68), drop=0.0)

    set_font(ctx, 11)
    second_width = text_width(ctx, LINE_SECOND, 1.4)
    right = width - 14.0
    set_font(ctx, 11, bold=True)
    first_width = text_width(ctx, LINE_FIRST, 1.4)
    left = round(right - second_width - 5.0 - first_width)
    ctx.set_source_rgb(0.74, 0.62, 1.0)
    show_text(ctx, LINE_FIRST, left, round(baseline - 1.0), 1.4)
    set_font(ctx, 11)
    ctx.set_source_rgb(0.62, 0.60, 0.68)
    show_text(ctx, LINE_SECOND, round(right - second_width), round(baseline - 1.0), 1.4)
    _rack_mark(ctx, left - 20.0, round(height / 2.0 - 6.0))
    return surface
