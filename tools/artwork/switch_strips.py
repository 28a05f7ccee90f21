"""Switch strips: one frame per position, stacked vertically.

The captioned switches (routing and mode) are dark push buttons whose face
shows the selected position's caption above a row of indicator dots, the
selected one lit. The effect switch is a square lamp, dark when bypassed and
lit when active.
"""

import math

import cairo

from drawing import (VIOLET_GLOW, new_surface, printed_text, rect_shadow_mask,
                     rounded_rect, paint_mask, set_font, vertical_gradient,
                     SANS_NARROW)


def _button_face(ctx, x, y, w, h, radius):
    """A dark, slightly domed button with a bright top edge."""
    rounded_rect(ctx, x, y, w, h, radius)
    ctx.set_source(vertical_gradient(y, y + h, [
        (0.0, (0.27, 0.25, 0.30)),
        (0.5, (0.16, 0.15, 0.19)),
        (1.0, (0.10, 0.10, 0.12)),
    ]))
    ctx.fill()
    rounded_rect(ctx, x + 0.5, y + 0.5, w - 1.0, h - 1.0, radius - 0.5)
    ctx.set_source(vertical_gradient(y, y + h, [
        (0.0, (1.0, 1.0, 1.0, 0.30)),
        (0.35, (1.0, 1.0, 1.0, 0.04)),
        (1.0, (0.0, 0.0, 0.0, 0.40)),
    ]))
    ctx.set_line_width(1.0)
    ctx.stroke()


def _dot(ctx, x, y, radius, lit):
    if lit:
        glow = cairo.RadialGradient(x, y, 0.0, x, y, radius * 3.2)
        glow.add_color_stop_rgba(0.0, *VIOLET_GLOW, 0.75)
        glow.add_color_stop_rgba(1.0, *VIOLET_GLOW, 0.0)
        ctx.set_source(glow)
        ctx.arc(x, y, radius * 3.2, 0, 2 * math.pi)
        ctx.fill()
        ctx.arc(x, y, radius, 0, 2 * math.pi)
        core = cairo.RadialGradient(x - 0.3, y - 0.3, 0.0, x, y, radius)
        core.add_color_stop_rgb(0.0, 1.0, 1.0, 1.0)
        core.add_color_stop_rgb(1.0, 0.83, 0.74, 1.0)
        ctx.set_source(core)
        ctx.fill()
    else:
        ctx.arc(x, y + 0.5, radius + 0.4, 0, 2 * math.pi)
        ctx.set_source_rgba(1.0, 1.0, 1.0, 0.10)
        ctx.fill()
        ctx.arc(x, y, radius, 0, 2 * math.pi)
        ctx.set_source_rgb(0.05, 0.05, 0.07)
        ctx.fill()


def render_captioned_switch(captions, size=40):
    """One frame per caption; frame i lights dot i of len(captions)."""
    count = len(captions)
    strip, ctx = new_surface(size, size * count)
    inset = 3.0
    face = size - 2 * inset
    shadow = rect_shadow_mask(size, size, (inset, inset + 1.0, size - inset,
                                           size - inset + 1.0), 1.3, 0.85)
    spacing = 6.0
    for frame, caption in enumerate(captions):
        ctx.save()
        ctx.translate(0, frame * size)
        paint_mask(ctx, (0.0, 0.0, 0.0), shadow)
        _button_face(ctx, inset, inset, face, face, 4.0)
        set_font(ctx, 11, bold=True, face=SANS_NARROW)
        printed_text(ctx, caption, size / 2.0, 19.0, tracking=0.6,
                     colour=(0.93, 0.90, 1.0), drop=0.6)
        first = size / 2.0 - spacing * (count - 1) / 2.0
        for i in range(count):
            _dot(ctx, first + spacing * i, 28.5, 1.8, i == frame)
        ctx.restore()
    return strip


def render_lamp_switch(size=26):
    """Frame 1: a dark square (bypassed); frame 2: the lit square (active)."""
    strip, ctx = new_surface(size, size * 2)
    inset = 4.0
    face = size - 2 * inset
    shadow = rect_shadow_mask(size, size, (inset, inset + 1.0, size - inset,
                                           size - inset + 1.0), 1.2, 0.8)
    for frame in range(2):
        lit = frame == 1
        ctx.save()
        ctx.translate(0, frame * size)
        if lit:
            halo = cairo.RadialGradient(size / 2.0, size / 2.0, face / 2.0 - 1.0,
                                        size / 2.0, size / 2.0, size / 2.0 + 1.5)
            halo.add_color_stop_rgba(0.0, 0.92, 0.88, 1.0, 0.95)
            halo.add_color_stop_rgba(0.5, *VIOLET_GLOW, 0.45)
            halo.add_color_stop_rgba(1.0, *VIOLET_GLOW, 0.0)
            ctx.set_source(halo)
            ctx.paint()
        else:
            paint_mask(ctx, (0.0, 0.0, 0.0), shadow)
        # Bezel.
        rounded_rect(ctx, inset - 1.0, inset - 1.0, face + 2.0, face + 2.0, 3.5)
        ctx.set_source_rgb(0.05, 0.05, 0.06)
        ctx.fill()
        # Lens.
        rounded_rect(ctx, inset, inset, face, face, 2.5)
        if lit:
            lens = cairo.RadialGradient(size / 2.0, size / 2.0 - 2.0, 0.5,
                                        size / 2.0, size / 2.0, face * 0.75)
            lens.add_color_stop_rgb(0.0, 1.0, 1.0, 1.0)
            lens.add_color_stop_rgb(0.55, 0.95, 0.93, 1.0)
            lens.add_color_stop_rgb(1.0, 0.76, 0.66, 0.98)
        else:
            lens = vertical_gradient(inset, inset + face, [
                (0.0, (0.22, 0.21, 0.25)),
                (1.0, (0.09, 0.09, 0.11)),
            ])
        ctx.set_source(lens)
        ctx.fill()
        # Glass reflection on the upper half of the lens.
        rounded_rect(ctx, inset + 1.0, inset + 1.0, face - 2.0, face / 2.0 - 1.0, 2.0)
        ctx.set_source(vertical_gradient(inset, inset + face / 2.0, [
            (0.0, (1.0, 1.0, 1.0, 0.35 if lit else 0.16)),
            (1.0, (1.0, 1.0, 1.0, 0.0)),
        ]))
        ctx.fill()
        ctx.restore()
    return strip
