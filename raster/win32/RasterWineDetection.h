#pragma once

// Whether the process runs under the Wine compatibility layer, where the
// glyph cache draws text in place of GDI. The registry is asked once per
// process (the first call) and the answer remembered.
bool RasterRunningUnderWine();
