#pragma once

#include <string>

// The text of an in-place entry while it is edited, as a single-line edit
// control keeps it: the characters, the caret between them, and the whole
// text selected as the entry opens, so that the first character typed
// replaces it. Characters are single bytes (the entry takes ASCII).
class EntryLine
{
public:
  // `maxLength` characters at most are kept (0 or less: no limit).
  EntryLine(std::string text, int maxLength);

  const std::string& Text() const { return text; }
  int Caret() const { return caret; }
  bool AllSelected() const { return allSelected; }

  // Replaces the selection; nothing when the text is full.
  void Insert(char character);
  // Delete the selection, or the character before (after) the caret.
  void Backspace();
  void Delete();
  // Move the caret and end the selection.
  void Left();
  void Right();
  void Home();
  void End();

private:
  // Drops the selected text; true when there was one.
  bool DropSelection();

  std::string text;
  size_t maxLength;
  int caret;
  bool allSelected;
};
