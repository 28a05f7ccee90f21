#pragma once

#include "graphics/IRectangle.h"
#include "raster/RasterMemBitmap.h"

#include <vector>

class IMenu;
class RasterFont;

// One open level of a popup menu as the Linux host shows it: its rows laid
// out, the row under the pointer or keyboard, and its picture, drawn with the
// raster library and its fonts. Titles, disabled items, check marks,
// separators and the arrows of submenus look as a desktop menu shows them.
class PopupMenuPanel
{
public:
  explicit PopupMenuPanel(IMenu& menu);

  IMenu& Menu() const { return menu; }
  int Width() const { return width; }
  int Height() const { return height; }

  // The row at a point of the panel; -1 outside or on a separator.
  int ItemAt(int x, int y) const;
  const IRectangle& ItemRect(int index) const { return rows[static_cast<size_t>(index)]; }
  // A plain item: no submenu, not disabled, not a title, not a separator.
  bool Choosable(int index) const;
  bool OpensSubmenu(int index) const;

  int Highlighted() const { return highlighted; }
  // True when the highlight moved (the picture then changes).
  bool SetHighlighted(int index);
  // Moves the highlight to the next (+1) or previous (-1) row that can
  // take it, wrapping around; separators and titles are passed over.
  void Step(int direction);

  // The panel's picture with the current highlight.
  const RasterBitmap& Picture();

private:
  bool TakesHighlight(int index) const;
  void Draw();

  IMenu& menu;
  RasterFont* font = nullptr;
  RasterFont* boldFont = nullptr;
  std::vector<IRectangle> rows;
  int width = 0;
  int height = 0;
  int highlighted = -1;
  int drawnHighlight = -2;
  RasterMemBitmap picture;
};
