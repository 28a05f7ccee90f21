"""The editor's image resources: id, file name, size and frame count."""

from collections import namedtuple

ImageEntry = namedtuple("ImageEntry", "resource_id name width height frames")

IMAGES = (
    ImageEntry(101, "qv_background_0002.png", 1000, 1000, 1),
    ImageEntry(102, "qv_button_preset_backward_0001.png", 20, 25, 1),
    ImageEntry(103, "qv_button_preset_forward_0001.png", 20, 25, 1),
    ImageEntry(104, "qv_button_preset_load_0001.png", 40, 25, 1),
    ImageEntry(105, "qv_button_preset_save_0001.png", 40, 25, 1),
    ImageEntry(106, "qv_panel_header_0002.png", 500, 30, 1),
    ImageEntry(107, "qv_panel_rack4hu_shadow_0001.png", 500, 410, 1),
    ImageEntry(108, "qv_button_0015.png", 40, 160, 4),
    ImageEntry(109, "qv_button_0030_white.png", 26, 52, 2),
    ImageEntry(110, "qv_button_0042.png", 40, 80, 2),
    ImageEntry(111, "qv_knob_0018_violet.png", 40, 3960, 99),
    ImageEntry(112, "qv_knob_0019_white.png", 40, 3960, 99),
    ImageEntry(113, "qv_panel_quillwave_0001.png", 450, 360, 1),
    ImageEntry(114, "qv_knob_0022_violet.png", 20, 1980, 99),
)

BY_ID = {entry.resource_id: entry for entry in IMAGES}
