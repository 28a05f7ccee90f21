#include "graphics/linux/IOffscreenParentAnswers.h"

#include "framework/linux/IOffscreenParent.h"
#include "graphics/IControl.h"
#include "graphics/IMenu.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr bool SameFlag(IMenuItem::Flags flag, int recordFlag)
{
  return static_cast<int>(flag) == recordFlag;
}
static_assert(SameFlag(IMenuItem::kDisabled, kIOffscreenItemDisabled) &&
                  SameFlag(IMenuItem::kTitle, kIOffscreenItemTitle) &&
                  SameFlag(IMenuItem::kChecked, kIOffscreenItemChecked) &&
                  SameFlag(IMenuItem::kSeparator, kIOffscreenItemSeparator),
              "menu item flags cross the record unchanged");

// The longest path a file answer may give, terminator included (PATH_MAX).
constexpr int32_t kPathCapacity = 4096;
// Far more than any text entry keeps.
constexpr int32_t kTextCapacity = 256;

// A menu tree as the lists the record describes it with: the top menu first,
// then every submenu once, in the order its first item is met.
class FlatMenus
{
public:
  explicit FlatMenus(IMenu& top)
  {
    IndexOf(top, "");
    // Submenus join the list while it is walked, so it is indexed afresh each time.
    for (size_t m = 0; m < menus.size(); ++m)
    {
      IMenu& menu = *menus[m].menu;
      for (int k = 0; k < menu.ItemCount(); ++k)
      {
        const IMenuItem& item = *menu.Item(k);
        Item flat{menu.ShownText(k), item.flags, -1};
        if (item.submenu)
          flat.submenu = IndexOf(*item.submenu, flat.text);
        menus[m].items.push_back(std::move(flat));
      }
    }
    // Every text is in place now; the records point into them.
    itemRecords.resize(menus.size());
    for (size_t m = 0; m < menus.size(); ++m)
    {
      for (const Item& item : menus[m].items)
        itemRecords[m].push_back({item.text.c_str(), item.flags, item.submenu});
      menuRecords.push_back({menus[m].title.c_str(), static_cast<int32_t>(itemRecords[m].size()),
                             itemRecords[m].data()});
    }
  }

  const IOffscreenMenu* Records() const { return menuRecords.data(); }
  int32_t Count() const { return static_cast<int32_t>(menuRecords.size()); }

  // The menu holding the answer with its chosen item set, or null when the
  // answer names nothing that can be chosen.
  IMenu* Choose(int32_t menuIndex, int32_t itemIndex)
  {
    if (menuIndex < 0 || menuIndex >= Count())
      return nullptr;
    IMenu& menu = *menus[static_cast<size_t>(menuIndex)].menu;
    const IMenuItem* item = menu.Item(itemIndex);
    constexpr int32_t kNotChoosable =
        IMenuItem::kDisabled | IMenuItem::kTitle | IMenuItem::kSeparator;
    if (!item || item->submenu || (item->flags & kNotChoosable) != 0)
      return nullptr;
    menu.SetChosenItem(itemIndex);
    return &menu;
  }

private:
  struct Item
  {
    std::string text;
    int32_t flags;
    int32_t submenu;
  };
  struct Menu
  {
    IMenu* menu;
    std::string title;
    std::vector<Item> items;
  };

  // A menu met again (even as its own ancestor) keeps its first place.
  int32_t IndexOf(IMenu& menu, const std::string& title)
  {
    for (size_t m = 0; m < menus.size(); ++m)
      if (menus[m].menu == &menu)
        return static_cast<int32_t>(m);
    menus.push_back({&menu, title, {}});
    return static_cast<int32_t>(menus.size() - 1);
  }

  std::vector<Menu> menus;
  std::vector<std::vector<IOffscreenMenuItem>> itemRecords;
  std::vector<IOffscreenMenu> menuRecords;
};

// The text the host wrote, when it ended within the buffer. A text cut short
// would name another file or value, so it counts as no answer.
bool TakeAnswer(const std::vector<char>& buffer, std::string& answer)
{
  const void* end = std::memchr(buffer.data(), '\0', buffer.size());
  if (!end)
    return false;
  answer.assign(buffer.data(), static_cast<const char*>(end));
  return true;
}

}  // namespace

IMenu* IOffscreenParentAnswers::ChooseFromMenu(IMenu& menu, const IRectangle&)
{
  if (!parent || !parent->chooseMenuItem)
    return nullptr;
  FlatMenus flat(menu);
  int32_t menuIndex = -1;
  int32_t itemIndex = -1;
  if (parent->chooseMenuItem(parent->hostData, flat.Records(), flat.Count(), &menuIndex,
                             &itemIndex) == 0)
    return nullptr;
  return flat.Choose(menuIndex, itemIndex);
}

bool IOffscreenParentAnswers::ChooseFile(const std::string& file, IFileAction action,
                                         const std::string& folder, const std::string& extensions,
                                         std::string& chosenPath)
{
  if (!parent || !parent->chooseFile)
    return false;
  std::vector<char> path(kPathCapacity, '\0');
  const int32_t fileAction =
      action == IFileAction::Save ? kIOffscreenFileSave : kIOffscreenFileOpen;
  if (parent->chooseFile(parent->hostData, fileAction, file.c_str(), folder.c_str(),
                         extensions.c_str(), path.data(), kPathCapacity) == 0)
    return false;
  return TakeAnswer(path, chosenPath);
}

bool IOffscreenParentAnswers::EnterText(const IControl& control, const ITextStyle&,
                                        const IRectangle&, const std::string& initialText,
                                        const IParameter*, std::string& committedText)
{
  if (!parent || !parent->enterText)
    return false;
  std::vector<char> text(kTextCapacity, '\0');
  if (parent->enterText(parent->hostData, initialText.c_str(), control.TextEntryLength(),
                        text.data(), kTextCapacity) == 0)
    return false;
  return TakeAnswer(text, committedText);
}
