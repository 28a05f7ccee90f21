"""The editor background: a dark grey with a fine, low-contrast grain.

The grain is a small seamless tile repeated over the whole image and the
image is stored as 8-bit grey, so the 1000 × 1000 picture stays a few tens of
kilobytes: the tile is 32 rows tall, which keeps each repeat of a row within
reach of the PNG compressor's 32 KB window.
"""

import cairo

from drawing import fine_noise_tile

BASE_LEVEL = 46
GRAIN_DEPTH = 5.0
TILE_WIDTH = 250
TILE_HEIGHT = 32


def render_background(width, height, seed=0x5157):
    tile = fine_noise_tile(TILE_WIDTH, TILE_HEIGHT, seed)
    rows = []
    for tile_row in tile:
        levels = bytes(max(0, min(255, BASE_LEVEL + round(GRAIN_DEPTH * v)))
                       for v in tile_row)
        rows.append((levels * (width // TILE_WIDTH + 1))[:width])
    # cairo writes an A8 surface as an 8-bit grey PNG, each byte one grey level.
    stride = cairo.ImageSurface.format_stride_for_width(cairo.FORMAT_A8, width)
    data = bytearray(stride * height)
    for y in range(height):
        data[y * stride:y * stride + width] = rows[y % TILE_HEIGHT]
    return cairo.ImageSurface.create_for_data(data, cairo.FORMAT_A8,
                                              width, height, stride)
