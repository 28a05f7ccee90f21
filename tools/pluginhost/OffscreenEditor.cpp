#include "tools/pluginhost/OffscreenEditor.h"

#include <cstring>
#include <utility>

namespace
{

// A press, drag or release without a button named is one of the left button.
uint32_t WithButton(uint32_t modifiers)
{
  const uint32_t buttons = OffscreenEditor::kLeft | OffscreenEditor::kRight;
  return (modifiers & buttons) != 0 ? modifiers : modifiers | OffscreenEditor::kLeft;
}

// The menu's items, as a host would list them in an error.
std::string ItemList(const IOffscreenMenu& menu)
{
  std::string list;
  for (int32_t k = 0; k < menu.itemCount; ++k)
    list += (k ? ", \"" : "\"") + std::string(menu.items[k].text) + "\"";
  return list;
}

std::string MenuName(const IOffscreenMenu& menu)
{
  return menu.title[0] ? "menu \"" + std::string(menu.title) + "\"" : "the top menu";
}

}  // namespace

std::string MenuChoice::Describe() const
{
  if (path.empty())
    return "\"" + title + "\" #" + std::to_string(index);
  std::string text;
  for (const std::string& step : path)
    text += (text.empty() ? "\"" : " > \"") + step + "\"";
  return text;
}

OffscreenEditor::OffscreenEditor(int reportedWidth, int reportedHeight)
    : reportedWidth(reportedWidth), reportedHeight(reportedHeight)
{
  record.magic = kIOffscreenParentMagic;
  record.version = kIOffscreenParentVersion;
  record.size = sizeof record;
  record.hostData = this;
  record.chooseMenuItem = &ChooseMenuItem;
  record.chooseFile = &ChooseFile;
  record.enterText = &EnterText;
}

void OffscreenEditor::Size(int32_t& width, int32_t& height) const
{
  width = 0;
  height = 0;
  // The record's functions take it as modifiable; asking for the size changes nothing.
  auto* parent = const_cast<IOffscreenParent*>(&record);
  if (!record.getSize || !record.getSize(parent, &width, &height))
    width = height = 0;
}

int OffscreenEditor::Width() const
{
  int32_t width = 0;
  int32_t height = 0;
  Size(width, height);
  return width;
}

int OffscreenEditor::Height() const
{
  int32_t width = 0;
  int32_t height = 0;
  Size(width, height);
  return height;
}

bool OffscreenEditor::Press(int x, int y, uint32_t modifiers)
{
  return record.mouseDown && record.mouseDown(&record, x, y, WithButton(modifiers)) != 0;
}

bool OffscreenEditor::Drag(int x, int y, uint32_t modifiers)
{
  return record.mouseMove && record.mouseMove(&record, x, y, WithButton(modifiers)) != 0;
}

bool OffscreenEditor::Release(int x, int y, uint32_t modifiers)
{
  return record.mouseUp && record.mouseUp(&record, x, y, WithButton(modifiers)) != 0;
}

bool OffscreenEditor::DoubleClick(int x, int y, uint32_t modifiers)
{
  return record.doubleClick && record.doubleClick(&record, x, y, WithButton(modifiers)) != 0;
}

bool OffscreenEditor::Wheel(int x, int y, int steps, uint32_t modifiers)
{
  return record.wheel && record.wheel(&record, x, y, modifiers, steps) != 0;
}

bool OffscreenEditor::Key(int x, int y, int key)
{
  return record.keyDown && record.keyDown(&record, x, y, key) != 0;
}

bool OffscreenEditor::Tick()
{
  return record.tick && record.tick(&record) != 0;
}

bool OffscreenEditor::ReadPixels(std::vector<uint32_t>& pixels)
{
  int32_t width = 0;
  int32_t height = 0;
  Size(width, height);
  const int64_t count = static_cast<int64_t>(width) * height;
  if (!record.readPixels || count <= 0 || count > INT32_MAX)
    return false;
  pixels.assign(static_cast<size_t>(count), 0);
  return record.readPixels(&record, pixels.data(), static_cast<int32_t>(count)) == count;
}

void OffscreenEditor::AnswerMenu(MenuChoice choice)
{
  menuAnswers.push_back(std::move(choice));
}

void OffscreenEditor::AnswerFile(std::string path)
{
  fileAnswers.push_back(std::move(path));
}

void OffscreenEditor::AnswerText(std::string text)
{
  textAnswers.push_back(std::move(text));
}

std::vector<std::string> OffscreenEditor::TakeProblems()
{
  return std::exchange(problems, {});
}

std::vector<std::string> OffscreenEditor::TakeUnusedAnswers()
{
  std::vector<std::string> unused;
  for (const MenuChoice& choice : menuAnswers)
    unused.push_back("no popup menu opened for the answer " + choice.Describe());
  for (const std::string& path : fileAnswers)
    unused.push_back("no file dialog opened for the answer " +
                     (path.empty() ? std::string("cancel") : "\"" + path + "\""));
  for (const std::string& text : textAnswers)
    unused.push_back("no text entry opened for the answer \"" + text + "\"");
  menuAnswers.clear();
  fileAnswers.clear();
  textAnswers.clear();
  return unused;
}

bool OffscreenEditor::Find(const MenuChoice& choice, const IOffscreenMenu* menus, int32_t menuCount,
                           int32_t& menu, int32_t& item)
{
  if (choice.path.empty())
  {
    for (menu = 0; menu < menuCount; ++menu)
      if (choice.title == menus[menu].title)
        break;
    if (menu == menuCount)
    {
      problems.push_back("the popup menu has no submenu \"" + choice.title + "\"");
      return false;
    }
    item = choice.index;
    if (item < 0 || item >= menus[menu].itemCount)
    {
      problems.push_back(MenuName(menus[menu]) + " has no item #" + std::to_string(item) +
                         " (it has " + std::to_string(menus[menu].itemCount) + ")");
      return false;
    }
    return true;
  }
  menu = 0;
  for (size_t step = 0; step < choice.path.size(); ++step)
  {
    const IOffscreenMenu& current = menus[menu];
    const bool last = step + 1 == choice.path.size();
    for (item = 0; item < current.itemCount; ++item)
    {
      const IOffscreenMenuItem& entry = current.items[item];
      if (choice.path[step] == entry.text && (entry.submenu >= 0) != last)
        break;
    }
    if (item == current.itemCount)
    {
      problems.push_back(MenuName(current) + " has no " + (last ? "item" : "submenu") + " \"" +
                         choice.path[step] + "\"; it has " + ItemList(current));
      return false;
    }
    if (!last)
      menu = current.items[item].submenu;
    if (menu < 0 || menu >= menuCount)
      return false;
  }
  return true;
}

bool OffscreenEditor::Hand(const std::string& answer, char* buffer, int32_t capacity,
                           const char* what)
{
  if (!buffer || capacity <= 0 || answer.size() >= static_cast<size_t>(capacity))
  {
    problems.push_back(std::string("the ") + what + " \"" + answer + "\" is too long");
    return false;
  }
  std::memcpy(buffer, answer.c_str(), answer.size() + 1);
  return true;
}

template <class Answer>
int32_t OffscreenEditor::Guarded(Answer answer) noexcept
{
  try
  {
    return answer();
  }
  catch (...)
  {
    return 0;
  }
}

int32_t OffscreenEditor::ChooseMenuItem(void* data, const IOffscreenMenu* menus, int32_t menuCount,
                                        int32_t* menu, int32_t* item)
{
  auto* self = static_cast<OffscreenEditor*>(data);
  return Guarded([&] { return self->Choose(menus, menuCount, menu, item); });
}

int32_t OffscreenEditor::Choose(const IOffscreenMenu* menus, int32_t menuCount, int32_t* menu,
                                int32_t* item)
{
  if (menuAnswers.empty())
  {
    problems.push_back("a popup menu opened with no answer given; it was cancelled");
    return 0;
  }
  const MenuChoice choice = std::move(menuAnswers.front());
  menuAnswers.pop_front();
  if (!menus || menuCount <= 0 || !menu || !item)
    return 0;
  return Find(choice, menus, menuCount, *menu, *item) ? 1 : 0;
}

int32_t OffscreenEditor::ChooseFile(void* data, int32_t, const char*, const char*, const char*,
                                    char* path, int32_t capacity)
{
  auto* self = static_cast<OffscreenEditor*>(data);
  return Guarded([&] { return self->File(path, capacity); });
}

int32_t OffscreenEditor::File(char* path, int32_t capacity)
{
  if (fileAnswers.empty())
  {
    problems.push_back("a file dialog opened with no answer given; it was cancelled");
    return 0;
  }
  const std::string answer = std::move(fileAnswers.front());
  fileAnswers.pop_front();
  if (answer.empty())
    return 0;
  return Hand(answer, path, capacity, "path") ? 1 : 0;
}

int32_t OffscreenEditor::EnterText(void* data, const char*, int32_t, char* text, int32_t capacity)
{
  auto* self = static_cast<OffscreenEditor*>(data);
  return Guarded([&] { return self->Text(text, capacity); });
}

int32_t OffscreenEditor::Text(char* text, int32_t capacity)
{
  if (textAnswers.empty())
  {
    problems.push_back("a text entry opened with no answer given; it was cancelled");
    return 0;
  }
  const std::string answer = std::move(textAnswers.front());
  textAnswers.pop_front();
  return Hand(answer, text, capacity, "text") ? 1 : 0;
}
