#include "WinTestEditor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

namespace
{

bool Exists(const std::string& path)
{
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts UTF-16 text, or nothing, on the clipboard.
void SetClipboard(const wchar_t* text)
{
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (text)
  {
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(data), text, bytes);
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
  }
  CloseClipboard();
}

}  // namespace

TEST(Services, HostAndPluginFoldersEndWithTheirBackslash)
{
  WinTestEditor editor;
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  const std::string programPath = program;
  const std::string programName = programPath.substr(programPath.rfind('\\') + 1);

  std::string host;
  editor.graphics->HostPath(host);
  ASSERT_FALSE(host.empty());
  EXPECT_EQ(host.back(), '\\');
  EXPECT_TRUE(Exists(host + programName));
  // The test program is the module here.
  std::string plugin;
  editor.graphics->PluginPath(plugin);
  EXPECT_EQ(plugin, host);
}

TEST(Services, WellKnownFoldersExist)
{
  WinTestEditor editor;
  std::string desktop;
  editor.graphics->DesktopPath(desktop);
  std::string user;
  editor.graphics->AppDataPath(user, false);
  std::string machine;
  editor.graphics->AppDataPath(machine, true);
  std::string userData = "stale";
  editor.graphics->UserDataPath(userData);
  for (const std::string& folder : {desktop, user, machine})
  {
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\') << folder;
  }
  EXPECT_NE(user, machine);
  EXPECT_EQ(userData, user);
  EXPECT_TRUE(Exists(user));
}

TEST(Services, ClipboardTextArrivesAsUtf8)
{
  WinTestEditor editor;
  SetClipboard(L"Gr\u00FC\u00DFe \u266A 120");
  std::string text = "stale";
  EXPECT_TRUE(editor.graphics->TextFromClipboard(text));
  EXPECT_EQ(text, "Gr\xC3\xBC\xC3\x9F"
                  "e \xE2\x99\xAA 120");

  SetClipboard(nullptr);
  text = "stale";
  EXPECT_FALSE(editor.graphics->TextFromClipboard(text));
  EXPECT_EQ(text, "");
}

TEST(Services, HiddenCursorReturnsToWhereItWas)
{
  WinTestEditor editor;
  ASSERT_TRUE(SetCursorPos(200, 150));
  editor.graphics->HideCursor();
  // Hiding twice counts once, so one show makes it visible again.
  editor.graphics->HideCursor();
  SetCursorPos(10, 10);
  editor.graphics->ShowCursor();
  POINT where{};
  GetCursorPos(&where);
  EXPECT_EQ(where.x, 200);
  EXPECT_EQ(where.y, 150);
  CURSORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetCursorInfo(&info));
  EXPECT_NE(info.flags & CURSOR_SHOWING, 0u);
  // Showing a cursor that is not hidden does nothing.
  SetCursorPos(30, 40);
  editor.graphics->ShowCursor();
  GetCursorPos(&where);
  EXPECT_EQ(where.x, 30);
}
