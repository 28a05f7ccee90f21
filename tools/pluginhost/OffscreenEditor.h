#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "framework/linux/IOffscreenParent.h"

// What the user picks in the next popup menu: either a path of item texts from the top menu
// down, the last one being the item chosen, or the item at `index` of the menu titled `title`
// (the text of the item that opens it; "" is the top menu). Texts are compared with what the
// menu shows.
struct MenuChoice
{
  std::vector<std::string> path;
  std::string title;
  int32_t index = -1;

  // "path > to > item", or "title #index".
  std::string Describe() const;
};

// The host side of an editor opened off-screen: the parent record handed to the module, the
// input sent to the editor through it, and the user's answers to the editor's dialogs, queued
// in advance. Everything runs on the calling thread, as a host's user-interface thread.
//
// A dialog that finds no answer of its kind queued, or an answer that names nothing in the
// menu shown, is cancelled and noted as a problem.
class OffscreenEditor
{
public:
  // Bits of a modifiers argument.
  static constexpr uint32_t kLeft = kIOffscreenLeftButton;
  static constexpr uint32_t kRight = kIOffscreenRightButton;
  static constexpr uint32_t kShift = kIOffscreenShift;
  static constexpr uint32_t kControl = kIOffscreenControl;
  static constexpr uint32_t kAlt = kIOffscreenAlt;

  // `reportedWidth` × `reportedHeight` is the size the module reported before it opened.
  OffscreenEditor(int reportedWidth, int reportedHeight);
  OffscreenEditor(const OffscreenEditor&) = delete;
  OffscreenEditor& operator=(const OffscreenEditor&) = delete;

  // The record to open the editor with; it stays at this address.
  IOffscreenParent* Parent() { return &record; }
  // Whether the module's editor is connected to the record.
  bool IsOpen() const { return record.editor != nullptr; }

  int ReportedWidth() const { return reportedWidth; }
  int ReportedHeight() const { return reportedHeight; }
  // The open editor's size and redraw rate; 0 while closed.
  int Width() const;
  int Height() const;
  int FramesPerSecond() const { return record.framesPerSecond; }

  // Input at editor coordinates. The button of a press, drag or release is in `modifiers`
  // (kLeft unless kRight is given). False when the editor is closed.
  bool Press(int x, int y, uint32_t modifiers);
  bool Drag(int x, int y, uint32_t modifiers);
  bool Release(int x, int y, uint32_t modifiers);
  bool DoubleClick(int x, int y, uint32_t modifiers);
  bool Wheel(int x, int y, int steps, uint32_t modifiers);
  // True when the editor took the key (0 space, 1..4 arrows, 5..14 digits, 15..40 A..Z).
  bool Key(int x, int y, int key);
  // One redraw tick; true when something was drawn.
  bool Tick();
  // What the editor shows: Width() × Height() words, alpha in the top byte and blue in the
  // lowest, rows top-down. False while closed or before the first tick drew.
  bool ReadPixels(std::vector<uint32_t>& pixels);

  void AnswerMenu(MenuChoice choice);
  // A file dialog's answer: the full path, or "" to cancel.
  void AnswerFile(std::string path);
  void AnswerText(std::string text);

  // What went wrong with dialogs since the last call, oldest first.
  std::vector<std::string> TakeProblems();
  // The answers no dialog has asked for yet, described; they are dropped.
  std::vector<std::string> TakeUnusedAnswers();

private:
  // The record's answer callbacks, which let nothing unwind into the module.
  template <class Answer>
  static int32_t Guarded(Answer answer) noexcept;
  static int32_t ChooseMenuItem(void* data, const IOffscreenMenu* menus, int32_t menuCount,
                                int32_t* menu, int32_t* item);
  static int32_t ChooseFile(void* data, int32_t action, const char* file, const char* folder,
                            const char* extensions, char* path, int32_t capacity);
  static int32_t EnterText(void* data, const char* initialText, int32_t maxLength, char* text,
                           int32_t capacity);
  int32_t Choose(const IOffscreenMenu* menus, int32_t menuCount, int32_t* menu, int32_t* item);
  int32_t File(char* path, int32_t capacity);
  int32_t Text(char* text, int32_t capacity);
  void Size(int32_t& width, int32_t& height) const;
  bool Find(const MenuChoice& choice, const IOffscreenMenu* menus, int32_t menuCount, int32_t& menu,
            int32_t& item);
  // Copies `answer` into the module's buffer; false (and a problem) when it does not fit.
  bool Hand(const std::string& answer, char* buffer, int32_t capacity, const char* what);

  IOffscreenParent record{};
  const int reportedWidth;
  const int reportedHeight;
  std::deque<MenuChoice> menuAnswers;
  std::deque<std::string> fileAnswers;
  std::deque<std::string> textAnswers;
  std::vector<std::string> problems;
};
