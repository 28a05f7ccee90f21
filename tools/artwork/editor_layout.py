"""Where the editor places each image, in editor pixels (left, top, right,
bottom). The front panel prints its legends around these rectangles, and the
preview composes the images at them."""

EDITOR_SIZE = (500, 480)

BACKGROUND = (0, 0, 1000, 1000)
HEADER = (0, 0, 500, 30)
PANEL_SHADOW = (0, 55, 500, 465)
FRONT_PANEL = (25, 80, 475, 440)

EFFECT_SWITCH = (237, 294, 263, 320)
INPUT_MODE_SWITCH = (365, 119, 405, 159)
MODE_SWITCH = (230, 119, 270, 159)

INPUT_GAIN_KNOB = (365, 203, 405, 243)
OUTPUT_BLEND_KNOB = (365, 287, 405, 327)
OUTPUT_VOLUME_KNOB = (365, 371, 405, 411)
BANDWIDTH_KNOB = (95, 119, 135, 159)
CENTER_KNOB = (95, 203, 135, 243)
FEEDBACK_KNOB = (95, 287, 135, 327)
RATE_KNOB = (95, 371, 135, 411)
SATURATION_KNOB = (181, 297, 201, 317)
TONE_KNOB = (230, 203, 270, 243)

PRESET_STRIP = (60, 40, 440, 65)
PRESET_NAME = (60, 43, 440, 65)
PREVIOUS_PRESET = (40, 40, 60, 65)
NEXT_PRESET = (440, 40, 460, 65)
LOAD_BUTTON = (0, 40, 40, 65)
SAVE_BUTTON = (460, 40, 500, 65)

LARGE_KNOBS = (INPUT_GAIN_KNOB, OUTPUT_BLEND_KNOB, OUTPUT_VOLUME_KNOB,
               BANDWIDTH_KNOB, CENTER_KNOB, FEEDBACK_KNOB, RATE_KNOB)


def on_panel(rect):
    """A rectangle in the front panel's own pixel coordinates."""
    left, top, _, _ = FRONT_PANEL
    return (rect[0] - left, rect[1] - top, rect[2] - left, rect[3] - top)


def centre(rect):
    return ((rect[0] + rect[2]) / 2.0, (rect[1] + rect[3]) / 2.0)
