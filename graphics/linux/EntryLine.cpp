#include "graphics/linux/EntryLine.h"

EntryLine::EntryLine(std::string initial, int limit)
    : text(std::move(initial)),
      maxLength(limit > 0 ? static_cast<size_t>(limit) : std::string::npos),
      caret(0),
      allSelected(true)
{
  if (text.size() > maxLength)
    text.resize(maxLength);
  caret = static_cast<int>(text.size());
}

bool EntryLine::DropSelection()
{
  if (!allSelected)
    return false;
  allSelected = false;
  const bool had = !text.empty();
  text.clear();
  caret = 0;
  return had;
}

void EntryLine::Insert(char character)
{
  DropSelection();
  if (text.size() >= maxLength)
    return;
  text.insert(static_cast<size_t>(caret), 1, character);
  ++caret;
}

void EntryLine::Backspace()
{
  if (DropSelection() || caret == 0)
    return;
  text.erase(static_cast<size_t>(--caret), 1);
}

void EntryLine::Delete()
{
  if (DropSelection() || caret >= static_cast<int>(text.size()))
    return;
  text.erase(static_cast<size_t>(caret), 1);
}

void EntryLine::Left()
{
  // A selection ends at its start, as in an edit control.
  if (allSelected)
    caret = 0;
  else if (caret > 0)
    --caret;
  allSelected = false;
}

void EntryLine::Right()
{
  if (!allSelected && caret < static_cast<int>(text.size()))
    ++caret;
  allSelected = false;
}

void EntryLine::Home()
{
  caret = 0;
  allSelected = false;
}

void EntryLine::End()
{
  caret = static_cast<int>(text.size());
  allSelected = false;
}
