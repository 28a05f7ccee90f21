#pragma once

#include <functional>
#include <string>

class X11EditorWindow;
struct X11EditorEvent;

// A message box of the X11 editor, drawn with the raster library in a popup
// centred on the editor and run to its end like a Windows message box: the
// caption, the text wrapped to the box, and the buttons of the Windows type
// (0 OK, 1 OK and Cancel, 3 Yes, No and Cancel, 4 Yes and No). A click on a
// button, Enter (the first button) or Escape (the last) answers with the
// Windows button id (1 OK, 2 Cancel, 6 Yes, 7 No).
class X11MessageBox
{
public:
  X11MessageBox(X11EditorWindow& window, std::function<void(const X11EditorEvent&)> editorEvent);

  // 0 when the box could not be shown.
  int Run(const std::string& text, const std::string& caption, int type, int editorWidth,
          int editorHeight);

private:
  X11EditorWindow& window;
  std::function<void(const X11EditorEvent&)> editorEvent;
};
