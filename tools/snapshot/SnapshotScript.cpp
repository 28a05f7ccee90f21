#include "tools/snapshot/SnapshotScript.h"

#include <cctype>
#include <charconv>
#include <sstream>

namespace
{

// The most redraw ticks one step may ask for.
constexpr int32_t kMaxTicks = 10000;

// Splits a line into words; double quotes group, \" and \\ escape inside them.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error)
{
  size_t i = 0;
  while (i < line.size())
  {
    if (std::isspace(static_cast<unsigned char>(line[i])))
    {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"')
    {
      ++i;
      bool closed = false;
      while (i < line.size())
      {
        const char c = line[i++];
        if (c == '"')
        {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
        {
          word += line[i++];
          continue;
        }
        word += c;
      }
      if (!closed)
      {
        error = "a quoted word is not closed";
        return false;
      }
    }
    else
    {
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
        word += line[i++];
    }
    words.push_back(word);
  }
  return true;
}

bool ParseInteger(const std::string& text, int32_t& value)
{
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParseModifiers(const std::vector<std::string>& words, size_t first, uint32_t& modifiers,
                    std::string& error)
{
  modifiers = 0;
  for (size_t i = first; i < words.size(); ++i)
  {
    const std::string& word = words[i];
    if (word == "shift")
      modifiers |= OffscreenEditor::kShift;
    else if (word == "ctrl" || word == "control")
      modifiers |= OffscreenEditor::kControl;
    else if (word == "alt")
      modifiers |= OffscreenEditor::kAlt;
    else if (word == "right")
      modifiers |= OffscreenEditor::kRight;
    else
    {
      error = "unknown modifier '" + word + "' (shift, ctrl, alt or right)";
      return false;
    }
  }
  if (!(modifiers & OffscreenEditor::kRight))
    modifiers |= OffscreenEditor::kLeft;
  return true;
}

// The editor's key codes: 0 space, 1..4 the arrows, 5..14 the digits, 15..40 the letters.
bool ParseKey(const std::string& name, int32_t& key)
{
  static const char* const kNamed[] = {"space", "up", "down", "left", "right"};
  for (int32_t i = 0; i < 5; ++i)
    if (name == kNamed[i])
    {
      key = i;
      return true;
    }
  if (name.size() != 1)
    return false;
  const unsigned char c = static_cast<unsigned char>(name[0]);
  if (std::isdigit(c))
  {
    key = 5 + (c - '0');
    return true;
  }
  if (std::isalpha(c))
  {
    key = 15 + (std::toupper(c) - 'A');
    return true;
  }
  return false;
}

bool ParsePoint(const std::vector<std::string>& words, SnapshotStep& step, std::string& error)
{
  if (words.size() < 3 || !ParseInteger(words[1], step.x) || !ParseInteger(words[2], step.y))
  {
    error = words[0] + " needs the editor coordinates X Y as whole numbers";
    return false;
  }
  return true;
}

bool ParseWords(const std::vector<std::string>& words, SnapshotStep& step, std::string& error)
{
  const std::string& command = words[0];
  const struct
  {
    const char* name;
    SnapshotStep::Kind kind;
  } pointer[] = {{"press", SnapshotStep::Kind::Press},
                 {"drag", SnapshotStep::Kind::Drag},
                 {"release", SnapshotStep::Kind::Release},
                 {"click", SnapshotStep::Kind::Click},
                 {"doubleclick", SnapshotStep::Kind::DoubleClick}};
  for (const auto& entry : pointer)
  {
    if (command != entry.name)
      continue;
    step.kind = entry.kind;
    return ParsePoint(words, step, error) && ParseModifiers(words, 3, step.modifiers, error);
  }
  if (command == "wheel")
  {
    step.kind = SnapshotStep::Kind::Wheel;
    if (!ParsePoint(words, step, error))
      return false;
    if (words.size() < 4 || !ParseInteger(words[3], step.amount))
    {
      error = "wheel needs X Y STEPS, STEPS a whole number (negative turns down)";
      return false;
    }
    if (!ParseModifiers(words, 4, step.modifiers, error))
      return false;
    // A wheel turn is no press: only the keys held count.
    step.modifiers &= ~(OffscreenEditor::kLeft | OffscreenEditor::kRight);
    return true;
  }
  if (command == "key")
  {
    step.kind = SnapshotStep::Kind::Key;
    if (!ParsePoint(words, step, error))
      return false;
    if (words.size() != 4 || !ParseKey(words[3], step.amount))
    {
      error = "key needs X Y KEY, KEY one of space, up, down, left, right, 0..9, A..Z";
      return false;
    }
    return true;
  }
  if (command == "menu")
  {
    step.kind = SnapshotStep::Kind::Menu;
    step.menu.path.assign(words.begin() + 1, words.end());
    if (step.menu.path.empty())
    {
      error = "menu needs the item texts from the top menu down to the item to choose";
      return false;
    }
    return true;
  }
  if (command == "menuitem")
  {
    step.kind = SnapshotStep::Kind::Menu;
    if (words.size() != 3 || !ParseInteger(words[2], step.menu.index) || step.menu.index < 0)
    {
      error = "menuitem needs TITLE INDEX (\"\" is the top menu, items count from 0)";
      return false;
    }
    step.menu.title = words[1];
    return true;
  }
  if (command == "file" || command == "text")
  {
    step.kind = command == "file" ? SnapshotStep::Kind::File : SnapshotStep::Kind::Text;
    if (words.size() != 2 || (command == "file" && words[1].empty()))
    {
      error = command + " needs one " + (command == "file" ? "PATH" : "VALUE") +
              " (quoted when it holds spaces)";
      return false;
    }
    step.answer = words[1];
    return true;
  }
  if (command == "cancel")
  {
    step.kind = SnapshotStep::Kind::File;
    if (words.size() != 1)
    {
      error = "cancel takes nothing more";
      return false;
    }
    return true;
  }
  if (command == "tick")
  {
    step.kind = SnapshotStep::Kind::Tick;
    if (words.size() > 2 || (words.size() == 2 && (!ParseInteger(words[1], step.amount) ||
                                                   step.amount < 1 || step.amount > kMaxTicks)))
    {
      error = "tick takes an optional COUNT from 1 to " + std::to_string(kMaxTicks);
      return false;
    }
    return true;
  }
  error = "unknown step '" + command + "'";
  return false;
}

}  // namespace

bool ParseSnapshotLine(const std::string& line, const std::string& origin,
                       std::vector<SnapshotStep>& steps, std::string& error)
{
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line[start] == '#')
    return true;
  std::vector<std::string> words;
  std::string reason;
  if (!SplitWords(line, words, reason))
  {
    error = origin + ": " + reason;
    return false;
  }
  SnapshotStep step;
  step.origin = origin;
  if (!ParseWords(words, step, reason))
  {
    error = origin + ": " + reason;
    return false;
  }
  steps.push_back(std::move(step));
  return true;
}

bool ParseSnapshotScript(const std::string& text, const std::string& name,
                         std::vector<SnapshotStep>& steps, std::string& error)
{
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number)
  {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!ParseSnapshotLine(line, name + ":" + std::to_string(number), steps, error))
      return false;
  }
  return true;
}
