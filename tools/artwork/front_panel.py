"""The violet front panel of the 4 HU rack unit, with its printed legends.

Everything is placed from the editor's control rectangles, so each legend,
scale and bezel sits exactly around the control that the editor draws on
top of the panel.
"""

import math
import random

import cairo

import editor_layout as layout
from drawing import (INK, INK_DIM, knob_angle, new_surface, polar,
                     printed_text, rounded_rect, set_font, text_width,
                     vertical_gradient)

PRODUCT_NAME = "QUILLWAVE"
CAPTION = "Stereo Chorus / Flanger Unit"

VIOLET_TOP = (0.45, 0.30, 0.72)
VIOLET_MIDDLE = (0.37, 0.23, 0.62)
VIOLET_BOTTOM = (0.29, 0.17, 0.51)

SCREWS = ((19.0, 20.0), (431.0, 20.0), (19.0, 340.0), (431.0, 340.0))
EAR_GROOVES = (38.0, 412.0)

LABEL_SIZE = 10
LABEL_TRACKING = 1.0
LABEL_GAP = 15          # from a control's bottom edge to its legend's baseline


def _rect(rect):
    return layout.on_panel(rect)


def _centre(rect):
    return layout.centre(_rect(rect))


def _anodised_plate(ctx, width, height, seed):
    rounded_rect(ctx, 0, 0, width, height, 3.0)
    ctx.set_source(vertical_gradient(0, height, [
        (0.0, VIOLET_TOP), (0.45, VIOLET_MIDDLE), (1.0, VIOLET_BOTTOM)]))
    ctx.fill_preserve()
    ctx.clip()
    # Broad sheen from the upper left, as on a sheet of anodised aluminium.
    sheen = cairo.RadialGradient(width * 0.3, -height * 0.4, 0.0,
                                 width * 0.3, -height * 0.4, height * 1.3)
    sheen.add_color_stop_rgba(0.0, 1.0, 1.0, 1.0, 0.10)
    sheen.add_color_stop_rgba(1.0, 1.0, 1.0, 1.0, 0.0)
    ctx.set_source(sheen)
    ctx.paint()
    # Slight fall-off of the light towards the lower corners.
    vignette = cairo.RadialGradient(width / 2.0, height * 0.35, height * 0.3,
                                    width / 2.0, height * 0.35, width * 0.75)
    vignette.add_color_stop_rgba(0.0, 0.0, 0.0, 0.0, 0.0)
    vignette.add_color_stop_rgba(1.0, 0.0, 0.0, 0.0, 0.22)
    ctx.set_source(vignette)
    ctx.paint()
    # Horizontal brushing: each row a touch lighter or darker.
    rng = random.Random(seed)
    for y in range(height):
        strength = rng.uniform(-1.0, 1.0)
        ctx.rectangle(0, y, width, 1)
        if strength > 0:
            ctx.set_source_rgba(1.0, 1.0, 1.0, 0.035 * strength)
        else:
            ctx.set_source_rgba(0.0, 0.0, 0.0, -0.045 * strength)
        ctx.fill()
    ctx.reset_clip()
    # Machined edges: bright on top, dark at the bottom.
    for x, y, w, h, rgba in ((0, 0, width, 1, (1, 1, 1, 0.40)),
                             (0, 1, width, 1, (1, 1, 1, 0.12)),
                             (0, 0, 1, height, (1, 1, 1, 0.16)),
                             (width - 1, 0, 1, height, (0, 0, 0, 0.30)),
                             (0, height - 1, width, 1, (0, 0, 0, 0.55)),
                             (0, height - 2, width, 1, (0, 0, 0, 0.18))):
        ctx.rectangle(x, y, w, h)
        ctx.set_source_rgba(*rgba)
        ctx.fill()


def _engraved_vertical(ctx, x, top, bottom):
    ctx.rectangle(x, top, 1, bottom - top)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.32)
    ctx.fill()
    ctx.rectangle(x + 1, top, 1, bottom - top)
    ctx.set_source_rgba(1.0, 1.0, 1.0, 0.10)
    ctx.fill()


def _rack_screw(ctx, cx, cy):
    # Oval rack slot: a shallow darker recess, lit on its lower lip.
    rounded_rect(ctx, cx - 9.0, cy - 6.0, 18.0, 13.0, 6.5)
    ctx.set_source_rgba(1.0, 1.0, 1.0, 0.16)
    ctx.fill()
    rounded_rect(ctx, cx - 9.0, cy - 6.5, 18.0, 12.5, 6.25)
    ctx.set_source(vertical_gradient(cy - 6.5, cy + 6.0, [
        (0.0, (0.10, 0.05, 0.18, 0.85)), (1.0, (0.22, 0.13, 0.36, 0.7))]))
    ctx.fill()
    # Screw head with its shadow.
    ctx.arc(cx, cy + 1.2, 6.2, 0, 2 * math.pi)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.45)
    ctx.fill()
    ctx.arc(cx, cy, 5.8, 0, 2 * math.pi)
    head = cairo.RadialGradient(cx - 1.8, cy - 2.2, 0.5, cx, cy, 6.2)
    head.add_color_stop_rgb(0.0, 0.96, 0.96, 0.98)
    head.add_color_stop_rgb(0.55, 0.72, 0.71, 0.76)
    head.add_color_stop_rgb(1.0, 0.42, 0.41, 0.46)
    ctx.set_source(head)
    ctx.fill()
    ctx.arc(cx, cy, 5.3, 0, 2 * math.pi)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.25)
    ctx.set_line_width(0.8)
    ctx.stroke()
    # Cross recess, turned a little so the four screws are not identical.
    turn = math.radians(15.0 + (23.0 * (cx + cy)) % 40.0)
    for angle in (turn, turn + math.pi / 2):
        dx, dy = 3.6 * math.cos(angle), 3.6 * math.sin(angle)
        ctx.move_to(cx - dx + 0.4, cy - dy + 0.6)
        ctx.line_to(cx + dx + 0.4, cy + dy + 0.6)
        ctx.set_source_rgba(1.0, 1.0, 1.0, 0.5)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_width(1.3)
        ctx.stroke()
        ctx.move_to(cx - dx, cy - dy)
        ctx.line_to(cx + dx, cy + dy)
        ctx.set_source_rgba(0.16, 0.15, 0.19, 0.95)
        ctx.stroke()


def _recess(ctx, rect, grow, radius):
    """A recessed bezel around a switch: dark well, lit lower lip."""
    left, top, right, bottom = _rect(rect)
    x, y = left - grow, top - grow
    w, h = right - left + 2 * grow, bottom - top + 2 * grow
    rounded_rect(ctx, x, y + 1.0, w, h, radius)
    ctx.set_source_rgba(1.0, 1.0, 1.0, 0.18)
    ctx.fill()
    rounded_rect(ctx, x, y, w, h, radius)
    ctx.set_source(vertical_gradient(y, y + h, [
        (0.0, (0.06, 0.04, 0.10, 0.85)), (1.0, (0.14, 0.09, 0.22, 0.75))]))
    ctx.fill()


def _scale(ctx, rect, inner, outer, width, ticks):
    """Tick marks along the knob's 300 degree travel; ends and middle bolder."""
    cx, cy = _centre(rect)
    ctx.set_line_cap(cairo.LINE_CAP_BUTT)
    for i in range(ticks):
        major = i in (0, ticks // 2, ticks - 1)
        angle = knob_angle(i / (ticks - 1.0))
        x0, y0 = polar(cx, cy, angle, inner)
        x1, y1 = polar(cx, cy, angle, outer + (1.0 if major else 0.0))
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.set_line_width(width * (1.5 if major else 1.0))
        ctx.set_source_rgba(*INK, 1.0 if major else 0.7)
        ctx.stroke()


def _label_font(ctx):
    set_font(ctx, LABEL_SIZE, bold=True)


def _small_font(ctx):
    set_font(ctx, 8.5, bold=True)


def _legend_under(ctx, rect, text, unit=None):
    """The control's name centred under it, with an optional unit beside it."""
    left, _, right, bottom = _rect(rect)
    cx = (left + right) / 2.0
    baseline = bottom + LABEL_GAP
    _label_font(ctx)
    name_width = text_width(ctx, text, LABEL_TRACKING)
    if unit is None:
        printed_text(ctx, text, cx, baseline, tracking=LABEL_TRACKING)
        return
    _small_font(ctx)
    unit_width = text_width(ctx, unit, 0.4)
    start = cx - (name_width + 3.0 + unit_width) / 2.0
    _label_font(ctx)
    printed_text(ctx, text, start, baseline, align=0.0, tracking=LABEL_TRACKING)
    _small_font(ctx)
    printed_text(ctx, unit, start + name_width + 3.0, baseline, align=0.0,
                 tracking=0.4, colour=INK_DIM)


def _range_ends(ctx, rect, low, high):
    """Small legends at the minimum and maximum ends of a knob's scale."""
    cx, cy = _centre(rect)
    _small_font(ctx)
    baseline = cy + 25.0
    printed_text(ctx, low, cx - 16.0, baseline, align=1.0, tracking=0.3,
                 colour=INK_DIM)
    printed_text(ctx, high, cx + 16.0, baseline, align=0.0, tracking=0.3,
                 colour=INK_DIM)


def _filter_symbol(ctx, cx, cy, high_pass):
    """A filter response sketch: flat passband with a rounded slope."""
    w, h = 15.0, 7.0
    x0, x1 = cx - w / 2.0, cx + w / 2.0
    top, bottom = cy - h / 2.0, cy + h / 2.0
    if high_pass:
        ctx.move_to(x0 + 2.0, bottom)
        ctx.curve_to(x0 + 5.0, top + 1.0, x0 + 6.0, top, x0 + 9.0, top)
        ctx.line_to(x1, top)
    else:
        ctx.move_to(x0, top)
        ctx.line_to(x1 - 9.0, top)
        ctx.curve_to(x1 - 6.0, top, x1 - 5.0, top + 1.0, x1 - 2.0, bottom)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_width(1.3)
    ctx.set_source_rgba(0.0, 0.0, 0.0, 0.3)
    ctx.save()
    ctx.translate(0, 1.0)
    ctx.stroke_preserve()
    ctx.restore()
    ctx.set_source_rgba(*INK, 1.0)
    ctx.stroke()


def _logo(ctx, width):
    """The framed product name at the left of the top edge, the caption at
    the right, joined by a hairline."""
    set_font(ctx, 15, bold=True)
    tracking = 3.2
    name_width = text_width(ctx, PRODUCT_NAME, tracking)
    frame_x, frame_y = EAR_GROOVES[0] + 14.0, 7.0
    frame_w, frame_h = round(name_width + 26.0), 24.0
    # Engraved frame: a printed outline over a darker plate, lit below.
    rounded_rect(ctx, frame_x + 0.5, frame_y + 1.5, frame_w - 1.0, frame_h - 1.0, 4.0)
    ctx.set_source_rgba(1.0, 1.0, 1.0, 0.22)
    ctx.set_line_width(1.0)
    ctx.stroke()
    rounded_rect(ctx, frame_x + 0.5, frame_y + 0.5, frame_w - 1.0, frame_h - 1.0, 4.0)
    ctx.set_source_rgba(*INK, 0.95)
    ctx.stroke()
    rounded_rect(ctx, frame_x + 2.5, frame_y + 2.5, frame_w - 5.0, frame_h - 5.0, 2.5)
    ctx.set_source_rgba(0.08, 0.04, 0.16, 0.55)
    ctx.fill()
    set_font(ctx, 15, bold=True)
    printed_text(ctx, PRODUCT_NAME, frame_x + frame_w / 2.0 + tracking / 2.0,
                 frame_y + frame_h / 2.0 + 5.5, tracking=tracking, drop=0.5)
    set_font(ctx, 10, italic=True)
    baseline = frame_y + frame_h / 2.0 + 4.0
    caption_right = EAR_GROOVES[1] - 14.0
    caption_left, _ = printed_text(ctx, CAPTION, caption_right, baseline,
                                   align=1.0, tracking=0.6, colour=INK_DIM)
    x0, x1 = frame_x + frame_w + 10.0, caption_left - 10.0
    ctx.rectangle(round(x0), round(baseline - 3.0), round(x1 - x0), 1)
    ctx.set_source_rgba(*INK, 0.3)
    ctx.fill()


def _signal_flow(ctx, cx, cy):
    """IN -> CHR/FLG -> TN/ST -> OUT, boxed stages joined by arrows."""
    stages = ("IN", "CHR/FLG", "TN/ST", "OUT")
    boxed = (False, True, True, False)
    arrow = 14.0
    padding = 5.0
    _small_font(ctx)
    widths = [text_width(ctx, s, 0.5) + (2 * padding if b else 0.0)
              for s, b in zip(stages, boxed)]
    gap = 4.0
    total = sum(widths) + (len(stages) - 1) * (arrow + 2 * gap)
    x = round(cx - total / 2.0)
    box_h = 15.0
    top = round(cy - box_h / 2.0)
    for i, (stage, is_box, w) in enumerate(zip(stages, boxed, widths)):
        if is_box:
            rounded_rect(ctx, x + 0.5, top + 0.5, w - 1.0, box_h - 1.0, 3.0)
            ctx.set_source_rgba(0.08, 0.04, 0.16, 0.35)
            ctx.fill_preserve()
            ctx.set_source_rgba(*INK, 0.8)
            ctx.set_line_width(1.0)
            ctx.stroke()
        _small_font(ctx)
        printed_text(ctx, stage, x + w / 2.0, top + box_h / 2.0 + 3.5,
                     tracking=0.5)
        x += w
        if i + 1 < len(stages):
            x0, x1, y = x + gap, x + gap + arrow, top + box_h / 2.0
            ctx.move_to(x0, y)
            ctx.line_to(x1 - 2.0, y)
            ctx.set_source_rgba(*INK, 0.85)
            ctx.set_line_width(1.0)
            ctx.stroke()
            ctx.move_to(x1, y)
            ctx.line_to(x1 - 4.0, y - 2.5)
            ctx.line_to(x1 - 4.0, y + 2.5)
            ctx.close_path()
            ctx.fill()
            x = x1 + gap
    return top, top + box_h


def render_front_panel(width, height, seed=0x5157):
    surface, ctx = new_surface(width, height)
    _anodised_plate(ctx, width, height, seed)
    # The rack ears outside the grooves are a shade darker than the face.
    for x, w in ((1, EAR_GROOVES[0] - 1), (EAR_GROOVES[1] + 2, width - EAR_GROOVES[1] - 3)):
        ctx.rectangle(x, 2, w, height - 4)
        ctx.set_source_rgba(0.0, 0.0, 0.0, 0.10)
        ctx.fill()
    for x in EAR_GROOVES:
        _engraved_vertical(ctx, x, 2, height - 2)
    for cx, cy in SCREWS:
        _rack_screw(ctx, cx, cy)
    _logo(ctx, width)

    for rect in layout.LARGE_KNOBS + (layout.TONE_KNOB,):
        _scale(ctx, rect, 21.0, 24.5, 1.2, 11)
    _scale(ctx, layout.SATURATION_KNOB, 10.5, 12.5, 1.0, 7)
    _recess(ctx, layout.MODE_SWITCH, 0.0, 6.0)
    _recess(ctx, layout.INPUT_MODE_SWITCH, 0.0, 6.0)
    _recess(ctx, layout.EFFECT_SWITCH, -1.0, 4.5)

    # Left column: the modulation section.
    _legend_under(ctx, layout.BANDWIDTH_KNOB, "BWIDTH")
    _legend_under(ctx, layout.CENTER_KNOB, "CENTER")
    _legend_under(ctx, layout.FEEDBACK_KNOB, "FBACK")
    _legend_under(ctx, layout.RATE_KNOB, "RATE")

    # Centre: mode, tone between its filter symbols, drive and bypass.
    _legend_under(ctx, layout.MODE_SWITCH, "MODE")
    _legend_under(ctx, layout.TONE_KNOB, "TONE")
    left, _, right, bottom = _rect(layout.TONE_KNOB)
    symbol_y = bottom + LABEL_GAP - 3.5
    _filter_symbol(ctx, left - 9.0, symbol_y, high_pass=False)
    _filter_symbol(ctx, right + 9.0, symbol_y, high_pass=True)

    sat_left, _, _, _ = _rect(layout.SATURATION_KNOB)
    _, sat_cy = _centre(layout.SATURATION_KNOB)
    _label_font(ctx)
    printed_text(ctx, "ST", sat_left - 8.0, sat_cy + 3.5, align=1.0,
                 tracking=LABEL_TRACKING)
    _legend_under(ctx, layout.EFFECT_SWITCH, "BYPS / ACTV")

    # Right column: routing and the level controls.
    _legend_under(ctx, layout.INPUT_MODE_SWITCH, "ROUTING")
    _legend_under(ctx, layout.INPUT_GAIN_KNOB, "GAIN", unit="dB")
    _range_ends(ctx, layout.INPUT_GAIN_KNOB, "-inf", "+6")
    _legend_under(ctx, layout.OUTPUT_BLEND_KNOB, "BLEND")
    _range_ends(ctx, layout.OUTPUT_BLEND_KNOB, "dry", "wet")
    _legend_under(ctx, layout.OUTPUT_VOLUME_KNOB, "VOLUME", unit="dB")
    _range_ends(ctx, layout.OUTPUT_VOLUME_KNOB, "-inf", "+6")

    # Bottom: the signal flow, level with the lowest row of knobs.
    _, flow_cy = _centre(layout.RATE_KNOB)
    _signal_flow(ctx, width / 2.0, flow_cy)
    return surface
