// Value prompts: the text entry or list menu opened for a parameter, and
// reading a committed entry back into a value.
#include "framework/IEffectBase.h"
#include "graphics/EntryText.h"
#include "graphics/IControl.h"
#include "graphics/IGraphics.h"
#include "graphics/IMenu.h"
#include "graphics/PluginLock.h"

#include <cstring>

namespace
{

bool IsList(const IParameter& parameter)
{
  return parameter.Kind() == IParameterKind::Enum ||
         (parameter.Kind() == IParameterKind::Bool && parameter.DisplayTextCount() > 0);
}

}  // namespace

void IGraphics::PromptParameterValue(IControl* control, const IParameter* parameter,
                                     const IRectangle& rect)
{
  if (!control || !parameter)
    return;

  if (!IsList(*parameter))
  {
    std::string text;
    {
      const PluginLock lock(plugin);
      const double value = parameter->NegateDisplay() ? -parameter->Value() : parameter->Value();
      text = FormatEntryValue(value, parameter->DisplayPrecision());
    }
    CreateTextEntry(control, control->GetTextStyle(), rect, text.c_str(), parameter);
    return;
  }

  IMenu menu;
  {
    const PluginLock lock(plugin);
    char current[IParameter::kTextSize];
    parameter->GetDisplayText(current);
    for (int k = 0; k < parameter->DisplayTextCount(); ++k)
    {
      const char* text = parameter->FindDisplayText(k);
      IMenuItem* item = menu.AddItem(text ? text : "");
      if (item->text == current)
        item->flags |= IMenuItem::kChecked;
    }
  }
  const IMenu* chosen = ShowPopupMenu(menu, rect);
  if (chosen != &menu || chosen->ChosenItem() < 0)
    return;
  const double normalized = parameter->GetNormalized(chosen->ChosenItem());
  const bool ownEdit = BeginChangeEdit(control->ParamIndex());
  control->ApplyUserValue(normalized);
  if (ownEdit)
    EndEdit();
}

void IGraphics::CommitEnteredText(IControl& control, const IParameter* parameter, const char* text)
{
  if (!text)
    text = "";
  if (!parameter)
  {
    control.AcceptEnteredText(text);
    return;
  }

  double plain = 0.0;
  if (parameter->Kind() == IParameterKind::Bool || parameter->Kind() == IParameterKind::Enum)
  {
    for (int k = 0; k < parameter->DisplayTextCount(); ++k)
    {
      const IDisplayText* entry = parameter->DisplayTextAt(k);
      if (std::strcmp(entry->text, text) == 0)
      {
        plain = entry->value;
        break;
      }
    }
  }
  else
  {
    plain = ParseEntryNumber(text);
    if (parameter->NegateDisplay())
      plain = -plain;
  }
  const double normalized = parameter->GetNormalized(plain);
  const bool ownEdit = BeginChangeEdit(control.ParamIndex());
  control.ApplyUserValue(normalized);
  if (ownEdit)
    EndEdit();
}
