"""Rotary knob strips: 99 frames stacked vertically, frame 1 at the minimum
(7 o'clock) and frame 99 at the maximum (5 o'clock).

The body is lit from a fixed light above, so only the pointer moves from
frame to frame; the static body also keeps the strips small, because each
frame repeats the rows of the frame above it.
"""

import math
from collections import namedtuple

import cairo

from drawing import (disc_shadow_mask, knob_angle, mix, new_surface,
                     paint_mask, polar)

FRAMES = 99

KnobStyle = namedtuple("KnobStyle", [
    "size",            # frame width and height in pixels
    "skirt_radius",    # knurled outer ring
    "cap_radius",      # the coloured cap on top
    "cap_light",       # cap colour towards the light
    "cap_dark",        # cap colour away from the light
    "pointer",         # pointer line colour
    "pointer_width",
    "pointer_inner",   # pointer runs from this radius ...
    "pointer_outer",   # ... to this one
    "ridges",          # number of knurls around the skirt
    "skirt_mark",      # colour of a separate mark on the skirt, or None when
                       # the pointer itself runs across the skirt
])

VIOLET_KNOB = KnobStyle(40, 16.0, 11.5, (0.64, 0.50, 0.92), (0.30, 0.17, 0.55),
                        (0.98, 0.97, 1.00), 2.4, 4.0, 15.0, 40, None)
WHITE_KNOB = KnobStyle(40, 16.0, 11.5, (0.98, 0.98, 1.00), (0.66, 0.65, 0.71),
                       (0.30, 0.17, 0.55), 2.4, 3.5, 9.5, 40, (0.98, 0.97, 1.00))
SMALL_VIOLET_KNOB = KnobStyle(20, 8.0, 5.6, (0.66, 0.52, 0.94), (0.30, 0.17, 0.55),
                              (0.98, 0.97, 1.00), 1.6, 2.0, 7.6, 24, None)


def _draw_body(style):
    size = style.size
    c = size / 2.0
    body, ctx = new_surface(size, size)
    scale = size / 40.0

    # Contact shadow on the panel, falling slightly downward.
    shadow = disc_shadow_mask(size, c, c + 1.4 * scale, style.skirt_radius,
                              1.5 * scale, 0.75)
    paint_mask(ctx, (0.0, 0.0, 0.0), shadow)

    # Skirt: near-black, brighter towards the light.
    ctx.arc(c, c, style.skirt_radius, 0, 2 * math.pi)
    skirt = cairo.LinearGradient(0, c - style.skirt_radius, 0, c + style.skirt_radius)
    skirt.add_color_stop_rgb(0.0, 0.30, 0.29, 0.33)
    skirt.add_color_stop_rgb(0.5, 0.13, 0.12, 0.15)
    skirt.add_color_stop_rgb(1.0, 0.06, 0.06, 0.07)
    ctx.set_source(skirt)
    ctx.fill()

    # Knurls: short radial grooves whose highlight fades away from the light.
    ctx.set_line_width(0.8 * scale)
    for i in range(style.ridges):
        angle = 2 * math.pi * i / style.ridges
        lit = 0.5 + 0.5 * math.cos(angle)
        x0, y0 = polar(c, c, angle, style.cap_radius + 1.2 * scale)
        x1, y1 = polar(c, c, angle, style.skirt_radius - 0.6 * scale)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.set_source_rgba(1.0, 1.0, 1.0, 0.05 + 0.13 * lit)
        ctx.stroke()

    # Rim: a bright top edge and a dark outline.
    ctx.arc(c, c, style.skirt_radius - 0.5, 0, 2 * math.pi)
    rim = cairo.LinearGradient(0, c - style.skirt_radius, 0, c + style.skirt_radius)
    rim.add_color_stop_rgba(0.0, 1.0, 1.0, 1.0, 0.35)
    rim.add_color_stop_rgba(0.45, 1.0, 1.0, 1.0, 0.0)
    rim.add_color_stop_rgba(1.0, 0.0, 0.0, 0.0, 0.5)
    ctx.set_source(rim)
    ctx.set_line_width(1.0)
    ctx.stroke()

    # Cap: a shallow dome, its shadow ring, colour and a glossy highlight.
    ctx.arc(c, c + 0.6 * scale, style.cap_radius + 0.6 * scale, 0, 2 * math.pi)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.55)
    ctx.fill()
    ctx.arc(c, c, style.cap_radius, 0, 2 * math.pi)
    cap = cairo.LinearGradient(0, c - style.cap_radius, 0, c + style.cap_radius)
    cap.add_color_stop_rgb(0.0, *style.cap_light)
    cap.add_color_stop_rgb(1.0, *style.cap_dark)
    ctx.set_source(cap)
    ctx.fill_preserve()
    sheen = cairo.RadialGradient(c - 0.25 * style.cap_radius, c - 0.55 * style.cap_radius,
                                 0.0, c, c, style.cap_radius * 1.1)
    sheen.add_color_stop_rgba(0.0, 1.0, 1.0, 1.0, 0.45)
    sheen.add_color_stop_rgba(0.45, 1.0, 1.0, 1.0, 0.08)
    sheen.add_color_stop_rgba(1.0, 1.0, 1.0, 1.0, 0.0)
    ctx.set_source(sheen)
    ctx.fill()
    ctx.arc(c, c, style.cap_radius - 0.5, 0, 2 * math.pi)
    edge = cairo.LinearGradient(0, c - style.cap_radius, 0, c + style.cap_radius)
    edge.add_color_stop_rgba(0.0, *mix(style.cap_light, (1.0, 1.0, 1.0), 0.6), 0.9)
    edge.add_color_stop_rgba(0.5, *style.cap_light, 0.0)
    edge.add_color_stop_rgba(1.0, *mix(style.cap_dark, (0.0, 0.0, 0.0), 0.5), 0.8)
    ctx.set_source(edge)
    ctx.set_line_width(1.0)
    ctx.stroke()
    return body


def _draw_pointer(ctx, style, value):
    c = style.size / 2.0
    angle = knob_angle(value)
    x0, y0 = polar(c, c, angle, style.pointer_inner)
    x1, y1 = polar(c, c, angle, style.pointer_outer)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    # A dark groove under the line keeps it legible on light and dark caps.
    ctx.set_line_width(style.pointer_width + 1.2)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.45)
    ctx.move_to(x0, y0 + 0.4)
    ctx.line_to(x1, y1 + 0.4)
    ctx.stroke()
    ctx.set_line_width(style.pointer_width)
    ctx.set_source_rgb(*style.pointer)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.stroke()
    if style.skirt_mark is not None:
        x0, y0 = polar(c, c, angle, style.cap_radius + 2.2)
        x1, y1 = polar(c, c, angle, style.skirt_radius - 1.2)
        ctx.set_line_width(style.pointer_width - 0.4)
        ctx.set_source_rgb(*style.skirt_mark)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.stroke()


def render_knob_strip(style):
    body = _draw_body(style)
    size = style.size
    strip, ctx = new_surface(size, size * FRAMES)
    for frame in range(FRAMES):
        ctx.save()
        ctx.translate(0, frame * size)
        ctx.rectangle(0, 0, size, size)
        ctx.clip()
        ctx.set_source_surface(body, 0, 0)
        ctx.paint()
        _draw_pointer(ctx, style, frame / (FRAMES - 1.0))
        ctx.restore()
    return strip

