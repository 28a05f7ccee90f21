#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pluginhost/OffscreenEditor.h"

// One step of a snapshot script. Script lines, one step each (coordinates in editor pixels,
// MODIFIERS any of shift, ctrl, alt and right, the last making it the right button):
//   press X Y [MODIFIERS]      drag X Y [MODIFIERS]      release X Y [MODIFIERS]
//   click X Y [MODIFIERS]      doubleclick X Y [MODIFIERS]
//   wheel X Y STEPS [MODIFIERS]
//   key X Y KEY                (space, up, down, left, right, 0..9 or A..Z)
//   menu TEXT [TEXT ...]       answers the next popup menu with the item reached by following
//                              the item texts from the top menu down
//   menuitem TITLE INDEX       answers it with item INDEX (from 0) of the menu titled TITLE
//   file PATH                  answers the next file dialog; cancel cancels it
//   text VALUE                 answers the next text entry
//   tick [COUNT]               runs the redraw timer COUNT times (1)
// Words with spaces are written in double quotes, in which \" and \\ stand for " and \.
// Empty lines and lines starting with # are ignored.
struct SnapshotStep
{
  enum class Kind
  {
    Press,
    Drag,
    Release,
    Click,
    DoubleClick,
    Wheel,
    Key,
    Menu,
    File,
    Text,
    Tick
  };

  Kind kind = Kind::Tick;
  int32_t x = 0;
  int32_t y = 0;
  uint32_t modifiers = 0;
  // Wheel steps, key code or tick count.
  int32_t amount = 1;
  MenuChoice menu;
  // The file path ("" for cancel) or the text.
  std::string answer;
  // Where the step was written, for messages: "FILE:LINE" or "--do 'STEP'".
  std::string origin;
};

// Parses one line into `steps` (nothing for a blank or comment line). False with a reason
// that starts with `origin`.
bool ParseSnapshotLine(const std::string& line, const std::string& origin,
                       std::vector<SnapshotStep>& steps, std::string& error);

// Parses every line of a script file's text; origins are "NAME:LINE".
bool ParseSnapshotScript(const std::string& text, const std::string& name,
                         std::vector<SnapshotStep>& steps, std::string& error);
