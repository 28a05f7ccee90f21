#include "graphics/ITextControl.h"

#include "graphics/IGraphics.h"
#include "graphics/PluginLock.h"

ITextControl::ITextControl(IEffectBase* plugin, const IRectangle& rect, const ITextStyle& style,
                           const char* text)
    : IControl(plugin, rect), text(text ? text : "")
{
  SetTextStyle(style);
}

bool ITextControl::Draw(IGraphics& graphics)
{
  {
    const PluginLock lock(GetPlugin());
    drawnText = text;
  }
  if (drawnText.empty())
    return true;
  IRectangle area = GetRect();
  return graphics.DrawStyledText(GetTextStyle(), drawnText.c_str(), area, false);
}

void ITextControl::SetTextFromPlugin(const char* newText)
{
  const PluginLock lock(GetPlugin());
  if (!newText)
    newText = "";
  if (text == newText)
    return;
  MarkDirty(false);
  text = newText;
}

std::string ITextControl::GetText() const
{
  const PluginLock lock(GetPlugin());
  return text;
}
