"""The soft drop shadow under the front panel.

The panel lies 25 pixels in from each edge of this image. The light comes
from above, so the shadow falls a few pixels downward: a wide, faint
penumbra and a tight contact shadow along the edges.
"""

from drawing import new_surface, paint_mask, rect_shadow_mask

PANEL_INSET = 25


def render_panel_shadow(width, height):
    surface, ctx = new_surface(width, height)
    left, top = PANEL_INSET, PANEL_INSET
    right, bottom = width - PANEL_INSET, height - PANEL_INSET
    for drop, sigma, strength in ((6.0, 9.0, 0.85), (1.5, 2.0, 0.6)):
        mask = rect_shadow_mask(width, height,
                                (left + 1.0, top + drop, right - 1.0, bottom + drop),
                                sigma, strength)
        paint_mask(ctx, (0.0, 0.0, 0.0), mask)
    return surface
