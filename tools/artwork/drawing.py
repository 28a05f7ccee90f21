"""Drawing primitives shared by every image of the editor artwork.

All images are lit from above: highlights on upper edges, shadows falling a
little downward. Colours are given as (r, g, b) floats in 0..1.
"""

import math
import random
import subprocess

import cairo

# The faces the artwork is set in; fontconfig must resolve each to this file,
# otherwise Cairo would silently substitute another face and the output
# would change from machine to machine.
FONT_FACES = {
    "Liberation Sans": "LiberationSans-Regular.ttf",
    "Liberation Sans:bold": "LiberationSans-Bold.ttf",
    "Liberation Sans:italic": "LiberationSans-Italic.ttf",
    "Liberation Sans Narrow:bold": "LiberationSansNarrow-Bold.ttf",
}

SANS = "Liberation Sans"
SANS_NARROW = "Liberation Sans Narrow"

# Print colours on the violet panel, and the glow of lit indicators.
INK = (0.95, 0.93, 0.99)
INK_DIM = (0.82, 0.77, 0.93)
VIOLET_GLOW = (0.80, 0.70, 1.00)


def check_fonts():
    """Fails with a clear message unless every face resolves to its file."""
    for pattern, expected in FONT_FACES.items():
        try:
            found = subprocess.run(["fc-match", "-f", "%{file}", pattern],
                                   capture_output=True, text=True,
                                   check=True).stdout
        except (OSError, subprocess.CalledProcessError) as error:
            raise SystemExit(f"cannot query fontconfig for {pattern!r}: {error}")
        if not found.endswith("/" + expected):
            raise SystemExit(
                f"font {pattern!r} resolves to {found!r}, expected {expected}; "
                "install the Debian package fonts-liberation")


def new_surface(width, height):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    return surface, new_context(surface)


def new_context(surface):
    ctx = cairo.Context(surface)
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    options.set_hint_metrics(cairo.HINT_METRICS_ON)
    ctx.set_font_options(options)
    return ctx


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2.0, h / 2.0)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def vertical_gradient(y0, y1, stops):
    gradient = cairo.LinearGradient(0, y0, 0, y1)
    for offset, colour in stops:
        gradient.add_color_stop_rgba(offset, *colour_rgba(colour))
    return gradient


def colour_rgba(colour):
    return colour if len(colour) == 4 else (*colour, 1.0)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def alpha_mask(width, height, alpha_at):
    """An A8 surface whose alpha at pixel centre (x + 0.5, y + 0.5) is
    alpha_at(x + 0.5, y + 0.5), clamped to 0..1."""
    stride = cairo.ImageSurface.format_stride_for_width(cairo.FORMAT_A8, width)
    data = bytearray(stride * height)
    for y in range(height):
        row = y * stride
        for x in range(width):
            a = alpha_at(x + 0.5, y + 0.5)
            data[row + x] = max(0, min(255, int(a * 255.0 + 0.5)))
    return cairo.ImageSurface.create_for_data(data, cairo.FORMAT_A8,
                                              width, height, stride)


def _edge(t, lo, hi, sigma):
    """Coverage of [lo, hi] by a unit Gaussian of width sigma centred at t."""
    k = 1.0 / (sigma * math.sqrt(2.0))
    return 0.5 * (math.erf((hi - t) * k) - math.erf((lo - t) * k))


def rect_shadow_mask(width, height, rect, sigma, strength):
    """A blurred rectangle (left, top, right, bottom) as an alpha mask."""
    left, top, right, bottom = rect
    xs = [_edge(x + 0.5, left, right, sigma) for x in range(width)]
    ys = [_edge(y + 0.5, top, bottom, sigma) for y in range(height)]
    return alpha_mask(width, height,
                      lambda x, y: strength * xs[int(x)] * ys[int(y)])


def disc_shadow_mask(size, cx, cy, radius, sigma, strength):
    """A blurred disc as an alpha mask of size × size pixels."""
    k = 1.0 / (sigma * math.sqrt(2.0))

    def alpha_at(x, y):
        d = math.hypot(x - cx, y - cy)
        return strength * 0.5 * math.erfc((d - radius) * k)

    return alpha_mask(size, size, alpha_at)


def paint_mask(ctx, colour, mask, x=0, y=0):
    ctx.set_source_rgba(*colour_rgba(colour))
    ctx.mask_surface(mask, x, y)


def set_font(ctx, size, bold=False, face=SANS, italic=False):
    ctx.select_font_face(face,
                         cairo.FONT_SLANT_ITALIC if italic else cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)


def text_width(ctx, text, tracking=0.0):
    if not text:
        return 0.0
    advance = sum(ctx.text_extents(ch).x_advance for ch in text)
    return advance + tracking * (len(text) - 1)


def show_text(ctx, text, x, baseline, tracking=0.0):
    """Draws text starting at x; letters are spread by tracking pixels."""
    if tracking == 0.0:
        ctx.move_to(x, baseline)
        ctx.show_text(text)
        return
    for ch in text:
        ctx.move_to(x, baseline)
        ctx.show_text(ch)
        x += ctx.text_extents(ch).x_advance + tracking


def aligned_x(ctx, text, x, align, tracking=0.0):
    """Left edge for text placed at x: align 0 left, 0.5 centred, 1 right.
    Rounded to whole pixels so the glyphs land on the pixel grid."""
    return round(x - align * text_width(ctx, text, tracking))


def printed_text(ctx, text, x, baseline, align=0.5, tracking=0.0,
                 colour=INK, drop=0.35):
    """Screen-printed legend: ink with a faint drop below for legibility."""
    left = aligned_x(ctx, text, x, align, tracking)
    baseline = round(baseline)
    if drop > 0.0:
        ctx.set_source_rgba(0.0, 0.0, 0.0, drop)
        show_text(ctx, text, left, baseline + 1, tracking)
    ctx.set_source_rgba(*colour_rgba(colour))
    show_text(ctx, text, left, baseline, tracking)
    return left, left + text_width(ctx, text, tracking)


def knob_angle(value):
    """Pointer angle in radians, clockwise from straight up: a 300 degree
    sweep from 7 o'clock (value 0) to 5 o'clock (value 1)."""
    return math.radians(-150.0 + 300.0 * value)


def polar(cx, cy, angle, radius):
    return cx + radius * math.sin(angle), cy - radius * math.cos(angle)


def fine_noise_tile(width, height, seed):
    """Seamless grain in -1..1 on a width × height torus: white noise softened
    by a 1-2-1 blur that wraps around, so the tile repeats without seams."""
    rng = random.Random(seed)
    noise = [[rng.uniform(-1.0, 1.0) for _ in range(width)] for _ in range(height)]
    rows = [[(row[x - 1] + 2.0 * row[x] + row[(x + 1) % width]) * 0.25
             for x in range(width)] for row in noise]
    grain = [[(rows[y - 1][x] + 2.0 * rows[y][x] + rows[(y + 1) % height][x]) * 0.25
              for x in range(width)] for y in range(height)]
    peak = max(abs(v) for row in grain for v in row) or 1.0
    return [[v / peak for v in row] for row in grain]
