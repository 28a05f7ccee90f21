#pragma once

#include "graphics/IControl.h"
#include "graphics/IMenu.h"
#include "product/PresetCatalogue.h"

#include <array>
#include <cstdint>

// The preset menu: an invisible click area over the preset name that opens
// the catalogue as a popup menu (the title entry, the welcome preset and six
// submenus of factory and user presets) and selects the chosen catalogue
// number through PresetSelector. The change goes straight to the plug-in's
// change hook, without a host round trip; the hook loads the preset and
// returns PresetSelector to 0.
class IPopupMenu_PresetSelector : public IControl
{
public:
  IPopupMenu_PresetSelector(IEffectBase* plugin, const IRectangle& rect);

  // Any button: runs the menu and selects what was chosen.
  void OnMouseDown(int x, int y, const IMouseModifiers& modifiers) override;
  // Leaves the pixels as they are.
  bool Draw(IGraphics& graphics) override;

  // The seven menus, in PresetMenu order; the main menu opens the others.
  const IMenu& Menu(PresetMenu menu) const { return menus[static_cast<size_t>(menu)]; }

  // The catalogue number of the item chosen in `menu`: the item's position
  // plus the menu's base. -1 when `menu` is none of the seven or holds no
  // valid choice.
  int32_t ChosenNumber(const IMenu* menu) const;

  // True while the plug-in handles the selection of a choice made in this
  // menu. The caller holds the plug-in's mutex.
  bool DeliversChoice() const { return choosing; }

private:
  IMenu& MenuOf(PresetMenu menu) { return menus[static_cast<size_t>(menu)]; }
  void Select(int32_t number);

  std::array<IMenu, kPresetMenuCount> menus;
  bool choosing = false;
};
