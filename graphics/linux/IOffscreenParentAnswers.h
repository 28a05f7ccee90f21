#pragma once

#include "graphics/linux/IOffscreenAnswers.h"

struct IOffscreenParent;

// The answers of a host that opened the editor with an off-screen parent:
// menus, file dialogs and text entries go to the callbacks of its record.
// A callback the host left null cancels, as do message boxes, colour
// prompts and addresses, which the record does not carry.
class IOffscreenParentAnswers : public IOffscreenAnswers
{
public:
  // Answers through `record` from now on; null cancels everything.
  void Bind(IOffscreenParent* record) { parent = record; }

  // The host sees every menu as a list: the menu first, then each submenu
  // once, titled with the text of the item that opens it. Only an item
  // without a submenu that is neither disabled, a title nor a separator can
  // be chosen; any other answer is no choice.
  IMenu* ChooseFromMenu(IMenu& menu, const IRectangle& rect) override;
  bool ChooseFile(const std::string& file, IFileAction action, const std::string& folder,
                  const std::string& extensions, std::string& chosenPath) override;
  bool EnterText(const IControl& control, const ITextStyle& style, const IRectangle& rect,
                 const std::string& initialText, const IParameter* parameter,
                 std::string& committedText) override;

private:
  IOffscreenParent* parent = nullptr;
};
