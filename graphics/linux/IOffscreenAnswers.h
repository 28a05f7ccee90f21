#pragma once

#include "graphics/IColour.h"
#include "graphics/IFileAction.h"
#include "graphics/IRectangle.h"

#include <string>

class IControl;
class IMenu;
class IParameter;
struct ITextStyle;

// Stands in for the user at the dialogs, menus and text entries of an editor
// without a window. Every answer of this base class is a cancel; a test or a
// tool overrides the ones it wants to answer.
class IOffscreenAnswers
{
public:
  virtual ~IOffscreenAnswers() = default;

  // Return `menu` or one of its submenus with its chosen item set, or null
  // for no choice.
  virtual IMenu* ChooseFromMenu(IMenu& menu, const IRectangle& rect);

  // Return true with the full path of the chosen file, or false to cancel.
  // `file` and `folder` are what the dialog would start with.
  virtual bool ChooseFile(const std::string& file, IFileAction action, const std::string& folder,
                          const std::string& extensions, std::string& chosenPath);

  // Return true with the text the user committed, or false to cancel.
  // `parameter` is null for free text.
  virtual bool EnterText(const IControl& control, const ITextStyle& style, const IRectangle& rect,
                         const std::string& initialText, const IParameter* parameter,
                         std::string& committedText);

  // The button the user pressed; 0 means the box could not be shown.
  virtual int AnswerMessageBox(const std::string& text, const std::string& caption, int type);

  // Return true with the chosen colour (only red, green and blue are used).
  virtual bool ChooseColour(const std::string& prompt, IColour& chosen);

  // True when the address was opened.
  virtual bool OpenUrl(const std::string& url);
};
