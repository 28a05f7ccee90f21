#include "graphics/IMenu.h"

#include <cstdio>

IMenuItem* IMenu::AddItem(const char* text)
{
  return AddItem(text, nullptr);
}

IMenuItem* IMenu::AddItem(const char* text, IMenu* submenu)
{
  auto item = std::make_unique<IMenuItem>();
  item->text = text ? text : "";
  item->submenu = submenu;
  items.push_back(std::move(item));
  return items.back().get();
}

IMenuItem* IMenu::Item(int index)
{
  if (index < 0 || index >= ItemCount())
    return nullptr;
  return items[static_cast<size_t>(index)].get();
}

const IMenuItem* IMenu::Item(int index) const
{
  if (index < 0 || index >= ItemCount())
    return nullptr;
  return items[static_cast<size_t>(index)].get();
}

std::string IMenu::ShownText(int index) const
{
  const IMenuItem* item = Item(index);
  if (!item)
    return {};
  const char* format = nullptr;
  switch (prefix)
  {
    case IMenuPrefix::OneDigit:
      format = "%1d: %s";
      break;
    case IMenuPrefix::TwoDigits:
      format = "%02d: %s";
      break;
    case IMenuPrefix::ThreeDigits:
      format = "%03d: %s";
      break;
    case IMenuPrefix::None:
      return item->text;
  }
  if (!format)
    return item->text;
  const int needed = std::snprintf(nullptr, 0, format, index + 1, item->text.c_str());
  if (needed < 0)
    return item->text;
  std::string shown(static_cast<size_t>(needed), '\0');
  std::snprintf(shown.data(), shown.size() + 1, format, index + 1, item->text.c_str());
  return shown;
}
