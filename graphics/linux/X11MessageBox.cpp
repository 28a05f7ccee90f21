#include "graphics/linux/X11MessageBox.h"

#include "graphics/IRectangle.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11Keysyms.h"
#include "raster/RasterBlit.h"
#include "raster/RasterFont.h"
#include "raster/RasterFontCache.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterTextFlags.h"

#include <sstream>
#include <vector>

namespace
{

constexpr int kWidth = 380;
constexpr int kMargin = 14;
constexpr int kLineHeight = 17;
constexpr int kCaptionHeight = 24;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 24;
constexpr int kFontSize = 13;

constexpr uint32_t kBackground = 0xFFF2F2F2;
constexpr uint32_t kFrame = 0xFF7A7A7A;
constexpr uint32_t kCaption = 0xFF3465A4;
constexpr uint32_t kText = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

struct Button
{
  const char* text;
  int id;
  IRectangle rect;
};

std::vector<Button> ButtonsOf(int type)
{
  switch (type & 0xF)
  {
    case 1:
      return {{"OK", kIdOk, {}}, {"Cancel", kIdCancel, {}}};
    case 3:
      return {{"Yes", kIdYes, {}}, {"No", kIdNo, {}}, {"Cancel", kIdCancel, {}}};
    case 4:
      return {{"Yes", kIdYes, {}}, {"No", kIdNo, {}}};
    default:
      return {{"OK", kIdOk, {}}};
  }
}

int TextWidth(RasterFont& font, const std::string& text, RasterBitmap& bitmap)
{
  RasterRect extent;
  font.DrawString(&bitmap, text.c_str(), -1, extent, kRasterTextMeasure);
  return extent.right - extent.left;
}

// The text in lines that fit `width`, broken between words and at newlines.
std::vector<std::string> Wrapped(RasterFont& font, const std::string& text, int width,
                                 RasterBitmap& bitmap)
{
  std::vector<std::string> lines;
  std::istringstream paragraphs(text);
  std::string paragraph;
  while (std::getline(paragraphs, paragraph))
  {
    std::istringstream words(paragraph);
    std::string word;
    std::string line;
    while (words >> word)
    {
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && TextWidth(font, longer, bitmap) > width)
      {
        lines.push_back(line);
        line = word;
      }
      else
      {
        line = longer;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

void Fill(RasterBitmap& bitmap, const IRectangle& r, uint32_t colour)
{
  FillRectangle(&bitmap, r.left, r.top, r.Width(), r.Height(), colour, 1.0f, kBlendCopy);
}

void Text(RasterFont& font, RasterBitmap& bitmap, const std::string& text, const IRectangle& r,
          uint32_t colour, uint32_t flags)
{
  font.SetTextColour(colour);
  RasterRect area{r.left, r.top, r.right, r.bottom};
  font.DrawString(&bitmap, text.c_str(), -1, area, flags | kRasterTextNoClip);
}

}  // namespace

X11MessageBox::X11MessageBox(X11EditorWindow& window,
                             std::function<void(const X11EditorEvent&)> editorEvent)
    : window(window), editorEvent(std::move(editorEvent))
{
}

int X11MessageBox::Run(const std::string& text, const std::string& caption, int type,
                       int editorWidth, int editorHeight)
{
  RasterFontStyle style;
  style.name = "Arial";
  style.size = kFontSize;
  RasterFont* const font = RasterFontCacheGetOrCreate(style);
  if (!font)
    return 0;
  RasterMemBitmap picture;
  const std::vector<std::string> lines = Wrapped(*font, text, kWidth - 2 * kMargin, picture);
  const int textTop = kCaptionHeight + kMargin;
  const int buttonTop = textTop + static_cast<int>(lines.size()) * kLineHeight + kMargin;
  const int height = buttonTop + kButtonHeight + kMargin;
  picture.Resize(kWidth, height);

  std::vector<Button> buttons = ButtonsOf(type);
  int x = kWidth - kMargin - static_cast<int>(buttons.size()) * (kButtonWidth + 8) + 8;
  for (Button& button : buttons)
  {
    button.rect = {x, buttonTop, x + kButtonWidth, buttonTop + kButtonHeight};
    x += kButtonWidth + 8;
  }

  Fill(picture, {0, 0, kWidth, height}, kFrame);
  Fill(picture, {1, 1, kWidth - 1, height - 1}, kBackground);
  Fill(picture, {1, 1, kWidth - 1, kCaptionHeight}, kCaption);
  Text(*font, picture, caption, {kMargin, 5, kWidth - kMargin, kCaptionHeight}, kWhite, 0);
  for (size_t i = 0; i < lines.size(); ++i)
  {
    const int top = textTop + static_cast<int>(i) * kLineHeight;
    Text(*font, picture, lines[i], {kMargin, top, kWidth - kMargin, top + kLineHeight}, kText, 0);
  }
  for (const Button& button : buttons)
  {
    Fill(picture, button.rect, kFrame);
    const IRectangle inner{button.rect.left + 1, button.rect.top + 1, button.rect.right - 1,
                           button.rect.bottom - 1};
    Fill(picture, inner, kWhite);
    Text(*font, picture, button.text, {inner.left, inner.top + 4, inner.right, inner.bottom}, kText,
         kRasterTextCentre);
  }

  int left = 0;
  int top = 0;
  window.ToScreen((editorWidth - kWidth) / 2, (editorHeight - height) / 2, left, top);
  const uint32_t popup = window.OpenPopup(left, top, kWidth, height);
  if (popup == 0)
    return 0;
  const IRectangle whole{0, 0, kWidth, height};
  window.Put(popup, picture, whole);
  window.Flush();
  int answer = 0;
  if (window.GrabInput(popup))
  {
    using Kind = X11EditorEvent::Kind;
    while (answer == 0 && window.Usable())
    {
      X11EditorEvent event;
      if (!window.WaitEvent(event, 100))
        continue;
      if (event.kind == Kind::Expose)
      {
        if (event.window == popup)
          window.Put(popup, picture, whole);
        else
          editorEvent(event);
      }
      else if (event.kind == Kind::ButtonRelease)
      {
        for (const Button& button : buttons)
          if (button.rect.Contains(event.rootX - left, event.rootY - top))
            answer = button.id;
      }
      else if (event.kind == Kind::KeyPress)
      {
        if (event.keysym == kKeysymReturn || event.keysym == kKeysymKeypadEnter)
          answer = buttons.front().id;
        else if (event.keysym == kKeysymEscape)
          answer = buttons.back().id;
      }
      window.Flush();
    }
    window.UngrabInput();
  }
  window.ClosePopup(popup);
  return answer;
}
