// The common dialogs and the shell: file and colour prompts, and opening a
// web address.
#include "graphics/win32/IGraphicsWin.h"
#include "graphics/win32/WinColour.h"
#include "graphics/win32/WinPathText.h"

#include <commdlg.h>
#include <shellapi.h>
#include <wininet.h>

#include <cstdio>

namespace
{

// The file name buffer of the file dialog: 255 characters and the zero.
constexpr DWORD kFileBuffer = 256;

// ShellExecute reports success with a value above 32.
constexpr INT_PTR kShellExecuteSucceeded = 32;

bool HasText(const char* text)
{
  return text && text[0] != '\0';
}

// Titles the colour dialog with the prompt handed in through lCustData.
UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
  if (message == WM_INITDIALOG)
  {
    const auto* choose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    SetWindowTextA(dialog, reinterpret_cast<const char*>(choose->lCustData));
  }
  return 0;
}

}  // namespace

void IGraphicsWin::PromptForFile(std::string& file, IFileAction action, std::string& folder,
                                 const char* extensions)
{
  if (!editorWindow)
  {
    file.clear();
    return;
  }
  std::string startFolder = folder;
  if (startFolder.empty())
    DesktopPath(startFolder);
  const FileDialogFilter filter = MakeFileDialogFilter(extensions);
  const std::string dialogFilter = filter.DialogFilter();

  char chosen[kFileBuffer] = {};
  std::snprintf(chosen, sizeof chosen, "%s", file.c_str());
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = editorWindow;
  dialog.lpstrFilter = dialogFilter.empty() ? nullptr : dialogFilter.c_str();
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = kFileBuffer;
  dialog.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
  dialog.lpstrDefExt = filter.defaultExtension.empty() ? nullptr : filter.defaultExtension.c_str();
  bool accepted = false;
  if (action == IFileAction::Save)
  {
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    accepted = GetSaveFileNameA(&dialog) != 0;
  }
  else
  {
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    accepted = GetOpenFileNameA(&dialog) != 0;
  }
  if (!accepted)
  {
    file.clear();
    return;
  }
  file = chosen;
  folder = FolderOfChosenFile(file);
}

bool IGraphicsWin::PromptForColour(IColour& colour, const char* prompt)
{
  if (!editorWindow)
    return false;
  if (!customColours)
    customColours = std::make_unique<std::array<COLORREF, 16>>();
  const std::string title = prompt ? prompt : "";
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = editorWindow;
  choose.rgbResult = ToColourRef(colour);
  choose.lpCustColors = customColours->data();
  choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
  choose.lCustData = reinterpret_cast<LPARAM>(title.c_str());
  choose.lpfnHook = &ColourDialogHook;
  if (!ChooseColorA(&choose))
    return false;
  SetRgbFromColourRef(colour, choose.rgbResult);
  return true;
}

bool IGraphicsWin::OpenUrl(const char* url, const char* caption, const char* confirmText,
                           const char* errorText)
{
  const char* title = caption ? caption : "";
  if (HasText(confirmText) && MessageBoxA(editorWindow, confirmText, title, MB_YESNO) != IDYES)
    return false;
  DWORD connection = 0;
  if (url && InternetGetConnectedState(&connection, 0))
  {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(editorWindow, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > kShellExecuteSucceeded)
      return true;
  }
  if (HasText(errorText))
    MessageBoxA(editorWindow, errorText, title, MB_OK);
  return false;
}
