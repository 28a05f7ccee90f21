#pragma once

#include "graphics/IControl.h"

#include <string>

// A line of text in the control's text style, drawn from the top of its
// rectangle. The plug-in may set the text from any thread while it holds its
// mutex; drawing takes the same mutex just long enough to copy the text.
class ITextControl : public IControl
{
public:
  ITextControl(IEffectBase* plugin, const IRectangle& rect, const ITextStyle& style,
               const char* text = "");

  bool Draw(IGraphics& graphics) override;

  // Stores the text and asks for a redraw, unless it is the text shown already.
  void SetTextFromPlugin(const char* text);
  std::string GetText() const;

private:
  std::string text;
  // The copy being drawn; it keeps its capacity, so copying allocates only
  // when a text grows beyond every earlier one.
  std::string drawnText;
};
