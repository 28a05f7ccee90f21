#include "graphics/linux/PopupMenuPanel.h"

#include "graphics/IMenu.h"
#include "raster/RasterBlit.h"
#include "raster/RasterFont.h"
#include "raster/RasterFontCache.h"
#include "raster/RasterTextFlags.h"

#include <algorithm>
#include <string>

namespace
{

constexpr int kRowHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kBorder = 1;
constexpr int kCheckColumn = 22;
constexpr int kArrowColumn = 18;
constexpr int kMinimumTextWidth = 80;
constexpr int kFontSize = 13;

constexpr uint32_t kBackground = 0xFFF2F2F2;
constexpr uint32_t kFrame = 0xFF7A7A7A;
constexpr uint32_t kHighlight = 0xFF3465A4;
constexpr uint32_t kText = 0xFF000000;
constexpr uint32_t kHighlightText = 0xFFFFFFFF;
constexpr uint32_t kDisabledText = 0xFF8C8C8C;
constexpr uint32_t kSeparator = 0xFFBDBDBD;

RasterFont* MenuFont(bool bold)
{
  RasterFontStyle style;
  style.name = "Arial";
  style.size = kFontSize;
  style.style = bold ? 1 : 0;
  return RasterFontCacheGetOrCreate(style);
}

void Fill(RasterBitmap& bitmap, int x, int y, int w, int h, uint32_t colour)
{
  FillRectangle(&bitmap, x, y, w, h, colour, 1.0f, kBlendCopy);
}

// A check mark of two strokes, 9 pixels wide, left of the text.
void DrawCheck(RasterBitmap& bitmap, int x, int y, uint32_t colour)
{
  for (int i = 0; i < 3; ++i)
    Fill(bitmap, x + i, y + 4 + i, 2, 2, colour);
  for (int i = 0; i < 6; ++i)
    Fill(bitmap, x + 3 + i, y + 6 - i, 2, 2, colour);
}

// A small triangle pointing right.
void DrawArrow(RasterBitmap& bitmap, int x, int y, uint32_t colour)
{
  for (int i = 0; i < 4; ++i)
    Fill(bitmap, x + i, y + i, 1, 9 - 2 * i, colour);
}

}  // namespace

PopupMenuPanel::PopupMenuPanel(IMenu& menu)
    : menu(menu), font(MenuFont(false)), boldFont(MenuFont(true))
{
  int textWidth = kMinimumTextWidth;
  int y = kBorder;
  for (int k = 0; k < menu.ItemCount(); ++k)
  {
    const IMenuItem& item = *menu.Item(k);
    const int rowHeight = item.Has(IMenuItem::kSeparator) ? kSeparatorHeight : kRowHeight;
    rows.push_back({kBorder, y, 0, y + rowHeight});
    y += rowHeight;
    RasterFont* const rowFont = item.Has(IMenuItem::kTitle) ? boldFont : font;
    if (rowFont && !item.Has(IMenuItem::kSeparator))
    {
      const std::string text = menu.ShownText(k);
      RasterRect extent;
      rowFont->DrawString(&picture, text.c_str(), -1, extent, kRasterTextMeasure);
      textWidth = std::max(textWidth, static_cast<int>(extent.right - extent.left));
    }
  }
  width = kBorder + kCheckColumn + textWidth + kArrowColumn + kBorder;
  height = std::max(y, kBorder) + kBorder;
  for (IRectangle& row : rows)
    row.right = width - kBorder;
  picture.Resize(width, height);
}

int PopupMenuPanel::ItemAt(int x, int y) const
{
  for (size_t k = 0; k < rows.size(); ++k)
    if (rows[k].Contains(x, y))
      return menu.Item(static_cast<int>(k))->Has(IMenuItem::kSeparator) ? -1 : static_cast<int>(k);
  return -1;
}

bool PopupMenuPanel::Choosable(int index) const
{
  const IMenuItem* item = menu.Item(index);
  constexpr int32_t kNotChoosable =
      IMenuItem::kDisabled | IMenuItem::kTitle | IMenuItem::kSeparator;
  return item && !item->submenu && (item->flags & kNotChoosable) == 0;
}

bool PopupMenuPanel::OpensSubmenu(int index) const
{
  const IMenuItem* item = menu.Item(index);
  return item && item->submenu && !item->Has(IMenuItem::kSeparator);
}

bool PopupMenuPanel::TakesHighlight(int index) const
{
  const IMenuItem* item = menu.Item(index);
  return item && !item->Has(IMenuItem::kSeparator) && !item->Has(IMenuItem::kTitle);
}

bool PopupMenuPanel::SetHighlighted(int index)
{
  if (index >= 0 && !TakesHighlight(index))
    index = -1;
  if (index == highlighted)
    return false;
  highlighted = index;
  return true;
}

void PopupMenuPanel::Step(int direction)
{
  const int count = menu.ItemCount();
  int index = highlighted;
  for (int tried = 0; tried < count; ++tried)
  {
    index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
    if (TakesHighlight(index))
    {
      highlighted = index;
      return;
    }
  }
}

const RasterBitmap& PopupMenuPanel::Picture()
{
  if (drawnHighlight != highlighted)
    Draw();
  return picture;
}

void PopupMenuPanel::Draw()
{
  drawnHighlight = highlighted;
  Fill(picture, 0, 0, width, height, kFrame);
  Fill(picture, kBorder, kBorder, width - 2 * kBorder, height - 2 * kBorder, kBackground);
  for (int k = 0; k < menu.ItemCount(); ++k)
  {
    const IMenuItem& item = *menu.Item(k);
    const IRectangle& row = rows[static_cast<size_t>(k)];
    if (item.Has(IMenuItem::kSeparator))
    {
      Fill(picture, row.left + 4, row.top + row.Height() / 2, row.Width() - 8, 1, kSeparator);
      continue;
    }
    const bool lit = k == highlighted;
    if (lit)
      Fill(picture, row.left, row.top, row.Width(), row.Height(), kHighlight);
    const uint32_t colour =
        item.Has(IMenuItem::kDisabled) ? kDisabledText : (lit ? kHighlightText : kText);
    if (item.Has(IMenuItem::kChecked))
      DrawCheck(picture, row.left + 6, row.top + 4, colour);
    if (OpensSubmenu(k))
      DrawArrow(picture, row.right - 12, row.top + 5, colour);
    RasterFont* const rowFont = item.Has(IMenuItem::kTitle) ? boldFont : font;
    if (!rowFont)
      continue;
    const std::string text = menu.ShownText(k);
    rowFont->SetTextColour(colour);
    RasterRect area{row.left + kCheckColumn, row.top + (kRowHeight - kFontSize) / 2 - 1,
                    row.right - kArrowColumn, row.bottom};
    rowFont->DrawString(&picture, text.c_str(), -1, area, kRasterTextNoClip);
  }
}
