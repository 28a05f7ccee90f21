#pragma once

// The number of GDI objects this process holds (fonts, bitmaps, device contexts, brushes and
// the rest), for leak checks under Wine, whose GetGuiResources is a stub that answers 0.
//
// It counts the live entries of the GDI handle table that the process environment block
// points at (GdiSharedHandleTable): one 24-byte entry per handle index, whose type byte is
// non-zero while the object lives. Wine fills that table as Windows does but leaves the owner
// field 0, so entries owned by no process count as well as those of this one; stock objects
// are among them and stay constant. -1 when the process has no table.
int LiveGdiObjects();
