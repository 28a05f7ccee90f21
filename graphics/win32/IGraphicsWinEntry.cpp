// In-place text entry: an EDIT child window over the control, whose window
// procedure is replaced by the entry procedure below. Both procedures only
// set the entry's state; the next redraw tick commits or cancels it.
#include "graphics/EntryText.h"
#include "graphics/IControl.h"
#include "graphics/win32/IGraphicsWin.h"
#include "graphics/win32/WinInputMapping.h"

namespace
{

constexpr int kEntryControlId = 99;
// Characters a committed entry is read with, plus its terminating zero.
constexpr int kEntryTextBuffer = kMaxEntryText + 1;
constexpr WORD kAcceleratorNotification = 1;

}  // namespace

void IGraphicsWin::CreateTextEntry(IControl* control, const ITextStyle& style,
                                   const IRectangle& rect, const char* text,
                                   const IParameter* parameter)
{
  if (!control || entryWindow || !editorWindow)
    return;
  DWORD windowStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL;
  if (style.align == ITextAlign::Centre)
    windowStyle |= ES_CENTER;
  else if (style.align == ITextAlign::Right)
    windowStyle |= ES_RIGHT;
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEntryControlId));
  const HWND entry = CreateWindowExA(0, "EDIT", text ? text : "", windowStyle, rect.left, rect.top,
                                     rect.Width() + 1, rect.Height() + 1, editorWindow, id,
                                     moduleInstance, nullptr);
  if (!entry)
    return;

  entryFont.reset(CreateFontA(style.size, 0, 0, 0, style.style == IFontStyle::Bold ? FW_BOLD : 0,
                              style.style == IFontStyle::Italic, FALSE, FALSE, 0, 0, 0, 0, 0,
                              style.fontName));
  SendMessageA(entry, WM_SETFONT, reinterpret_cast<WPARAM>(entryFont.get()), 0);
  SendMessageA(entry, EM_LIMITTEXT, static_cast<WPARAM>(control->TextEntryLength()), 0);
  SendMessageA(entry, EM_SETSEL, 0, -1);

  entryWindow = entry;
  entryControl = control;
  entryParameter = parameter;
  entryState = ITextEntryState::None;
  // The entry procedure goes in before the focus, so that it sees the
  // entry's WM_SETFOCUS and the entry starts in the editing state.
  entrySavedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EntryProc)));
  SetFocus(entry);
}

LRESULT CALLBACK IGraphicsWin::EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  const HWND parent = GetParent(window);
  auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(parent, GWLP_USERDATA));
  if (!graphics || graphics->editorWindow != parent || graphics->entryWindow != window)
    return DefWindowProcA(window, message, wParam, lParam);
  return graphics->HandleEntryMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleEntryMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  HideTooltip();
  const HWND window = entryWindow;
  const WNDPROC saved = entrySavedProc;
  switch (message)
  {
    case WM_SETFOCUS:
      entryState = ITextEntryState::Editing;
      break;
    case WM_KILLFOCUS:
      // A cancelled entry stays cancelled when the focus leaves before the tick.
      if (entryState != ITextEntryState::Cancel)
        entryState = ITextEntryState::Commit;
      break;
    case WM_GETDLGCODE:
    {
      LRESULT code = CallWindowProcA(saved, window, message, wParam, lParam);
      const auto* query = reinterpret_cast<const MSG*>(lParam);
      if (!entryParameter && query && query->message == WM_KEYDOWN && query->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN)
      {
        entryState = ITextEntryState::Commit;
        return 0;
      }
      if (wParam == VK_ESCAPE)
      {
        entryState = ITextEntryState::Cancel;
        return 0;
      }
      break;
    case WM_CHAR:
      if (!EntryAcceptsCharacter(entryParameter, wParam))
        return 0;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == kAcceleratorNotification)
      {
        entryState = ITextEntryState::Commit;
        return 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcA(saved, window, message, wParam, lParam);
}

void IGraphicsWin::CommitTextEntry()
{
  char text[kEntryTextBuffer] = {};
  SendMessageA(entryWindow, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  IControl* const control = entryControl;
  const IParameter* const parameter = entryParameter;
  // Closed before the value goes out: the plug-in's reaction may run a
  // nested message loop, whose ticks must not commit the entry again.
  DestroyTextEntry();
  CommitEnteredText(*control, parameter, text);
}

void IGraphicsWin::DestroyTextEntry()
{
  if (entryWindow)
  {
    const bool focused = GetFocus() == entryWindow;
    SetWindowLongPtrA(entryWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entrySavedProc));
    DestroyWindow(entryWindow);
    // Keys go to the editor again, as before the entry opened.
    if (focused && editorWindow)
      SetFocus(editorWindow);
  }
  ForgetTextEntry();
}

void IGraphicsWin::ForgetTextEntry()
{
  entryFont.reset();
  entryWindow = nullptr;
  entryControl = nullptr;
  entryParameter = nullptr;
  entrySavedProc = nullptr;
  entryState = ITextEntryState::None;
}
