#include "product/IPopupMenu_PresetSelector.h"

#include "engine/EngineParameterTable.h"
#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "product/LockedFlag.h"

#include <string>
#include <vector>

IPopupMenu_PresetSelector::IPopupMenu_PresetSelector(IEffectBase* plugin, const IRectangle& rect)
    : IControl(plugin, rect)
{
  for (int32_t m = 1; m < kPresetMenuCount; ++m)
  {
    const auto menu = static_cast<PresetMenu>(m);
    for (const std::string& text : PresetMenuItems(menu))
    {
      MenuOf(menu).AddItem(text.c_str());
    }
  }
  // The main menu lists its own entries first, then one item per submenu.
  const std::vector<std::string> mainItems = PresetMenuItems(PresetMenu::Main);
  const size_t ownEntries = mainItems.size() - static_cast<size_t>(kPresetMenuCount - 1);
  for (size_t i = 0; i < mainItems.size(); ++i)
  {
    IMenu* const submenu =
        i < ownEntries ? nullptr : &MenuOf(static_cast<PresetMenu>(i - ownEntries + 1));
    MenuOf(PresetMenu::Main).AddItem(mainItems[i].c_str(), submenu);
  }
}

void IPopupMenu_PresetSelector::OnMouseDown(int, int, const IMouseModifiers&)
{
  IGraphics* const graphics = EditorGraphics(GetPlugin());
  if (graphics != nullptr)
  {
    // A choice left over from an earlier run must not count as this one's.
    for (IMenu& menu : menus)
    {
      menu.SetChosenItem(-1);
    }
    const int32_t number =
        ChosenNumber(graphics->ShowPopupMenu(MenuOf(PresetMenu::Main), GetRect()));
    if (number >= 0)
    {
      Select(number);
    }
  }
  MarkDirty(true);
}

bool IPopupMenu_PresetSelector::Draw(IGraphics& graphics)
{
  // Fully transparent, weighted by its alpha: the strip below shows through.
  return graphics.FillColourRect(IColour{0, 0, 0, 0}, GetRect(), nullptr);
}

int32_t IPopupMenu_PresetSelector::ChosenNumber(const IMenu* menu) const
{
  for (int32_t m = 0; m < kPresetMenuCount; ++m)
  {
    const IMenu& candidate = menus[static_cast<size_t>(m)];
    if (&candidate != menu)
    {
      continue;
    }
    const int32_t item = candidate.ChosenItem();
    if (item < 0 || item >= candidate.ItemCount())
    {
      return -1;
    }
    return PresetMenuBase(static_cast<PresetMenu>(m)) + item;
  }
  return -1;
}

void IPopupMenu_PresetSelector::Select(int32_t number)
{
  IEffectBase* const plugin = GetPlugin();
  IMutexLock lock(plugin->Mutex());
  IParameter* const selector = plugin->GetParam(kPresetSelector);
  if (selector == nullptr)
  {
    return;
  }
  selector->SetPlainClamped(number);
  const LockedFlag delivering(plugin, choosing);
  plugin->OnParameterChanged(kPresetSelector);
}
