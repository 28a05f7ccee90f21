#include "graphics/linux/IGraphicsLinux.h"

#include "framework/linux/IOffscreenParentProbe.h"
#include "graphics/EntryText.h"
#include "graphics/IControl.h"
#include "graphics/IFileSelectorControl.h"
#include "graphics/linux/DesktopFileDialog.h"
#include "graphics/linux/LinuxFolders.h"
#include "graphics/linux/MessageBoxCodes.h"
#include "graphics/linux/X11EditorWindow.h"
#include "graphics/linux/X11Keysyms.h"
#include "graphics/linux/X11MessageBox.h"
#include "graphics/linux/X11PopupMenu.h"
#include "raster/RasterSysBitmap.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdint>

extern char** environ;

namespace
{

// X resource ids have their top three bits clear; a larger value cannot
// name a window.
constexpr uintptr_t kLargestResourceId = 0x1FFFFFFF;

constexpr int kDefaultTimerPeriodMs = 40;

constexpr char kNoFileDialog[] =
    "No file dialog can open: neither zenity nor kdialog is installed. Install one of them "
    "(for instance with \"sudo apt install zenity\") to load and save preset files.";

}  // namespace

IGraphicsLinux::IGraphicsLinux(IEffectBase* plugin, int width, int height, int framesPerSecond,
                               RasterModuleHandle module)
    : IGraphicsOffscreen(plugin, width, height, framesPerSecond, module)
{
}

IGraphicsLinux::~IGraphicsLinux()
{
  // The plug-in may be half destroyed: the selector hears nothing more.
  EndFileDialog(false);
  CloseWindow();
}

bool IGraphicsLinux::DrawScreen(const IRectangle& rect)
{
  PutArea(rect);
  // What was drawn under the entry does not cover it.
  if (entry && rect.Overlaps(EntryBox(entry->rect)))
    DrawEntry();
  return true;
}

void IGraphicsLinux::PutArea(const IRectangle& rect)
{
  IGraphicsOffscreen::DrawScreen(rect);
  if (window && GetDrawBitmap())
  {
    window->Put(*GetDrawBitmap(), rect);
    window->Flush();
  }
}

const char* IGraphicsLinux::DrawSystemName()
{
  return window ? "X11" : IGraphicsOffscreen::DrawSystemName();
}

IMenu* IGraphicsLinux::ShowPopupMenu(IMenu& menu, const IRectangle& rect)
{
  if (!window)
    return IGraphicsOffscreen::ShowPopupMenu(menu, rect);
  ReleaseMouseCapture();
  X11PopupMenu popup(*window, [this](const X11EditorEvent& event) { Dispatch(event); });
  IMenu* const chosen = popup.Run(menu, rect);
  // The menu covered the editor.
  Invalidate({0, 0, Width(), Height()});
  return chosen;
}

void* IGraphicsLinux::OpenWindow(void* parent)
{
  CloseWindow();
  // The record is told apart safely first; whatever else fits an X id is
  // asked of the server, which refuses an id that is no window.
  if (!parent || ProbeOffscreenParent(parent))
    return IGraphicsOffscreen::OpenWindow(parent);
  const auto id = reinterpret_cast<uintptr_t>(parent);
  if (id > kLargestResourceId)
    return nullptr;
  window = X11EditorWindow::Open(static_cast<uint32_t>(id), Width(), Height());
  if (!window)
    return nullptr;
  doubleClick.Reset();
  exposed = {};
  MarkAllControlsDirty();
  return WindowHandle();
}

void IGraphicsLinux::CloseWindow()
{
  if (!window)
  {
    IGraphicsOffscreen::CloseWindow();
    return;
  }
  if (entry)
  {
    entry.reset();
    window->ReturnFocus();
  }
  EndFileDialog(true);
  ShowCursor();
  window.reset();
}

void* IGraphicsLinux::WindowHandle()
{
  if (!window)
    return IGraphicsOffscreen::WindowHandle();
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window->Id()));
}

void IGraphicsLinux::HideCursor()
{
  if (window)
    window->HideCursor();
}

void IGraphicsLinux::ShowCursor()
{
  if (window)
    window->ShowCursor();
}

int IGraphicsLinux::EventDescriptor()
{
  return window ? window->Descriptor() : -1;
}

void IGraphicsLinux::ProcessEvents()
{
  X11EditorEvent event;
  // A handler may close the window; the loop then ends.
  while (window && window->NextEvent(event))
    Dispatch(event);
  if (window)
    window->Flush();
}

void IGraphicsLinux::TimerTick()
{
  // Events xcb read while waiting for a reply leave the socket quiet, so
  // the timer handles what is queued as well.
  ProcessEvents();
  CollectFileDialog();
  ReapLaunched();
  if (!window || !window->Usable())
    return;
  // A running entry rests the redraw; its end comes with the tick after
  // Enter, Escape or a click.
  if (entry)
  {
    if (entry->state != EntryState::Editing)
      FinishEntry(entry->state == EntryState::Commit);
    window->Flush();
    return;
  }
  Tick();
  window->Flush();
}

int IGraphicsLinux::TimerPeriodMs()
{
  const int fps = FramesPerSecond();
  return fps > 0 ? static_cast<int>(1000.0 / fps) : kDefaultTimerPeriodMs;
}

void IGraphicsLinux::Idle()
{
  ProcessEvents();
  const auto now = std::chrono::steady_clock::now();
  if (now - lastIdleTick < std::chrono::milliseconds(TimerPeriodMs()))
    return;
  lastIdleTick = now;
  TimerTick();
}

void IGraphicsLinux::Dispatch(const X11EditorEvent& event)
{
  using Kind = X11EditorEvent::Kind;
  switch (event.kind)
  {
    case Kind::Expose:
      exposed = exposed.Union(event.area);
      if (event.last)
      {
        const IRectangle area = exposed;
        exposed = {};
        DrawDirty(area);
      }
      break;
    case Kind::ButtonPress:
      if (entry)
      {
        // Clicking the editor while the entry has the focus cancels it;
        // once the focus went elsewhere a click commits it.
        const bool editing = entry->state == EntryState::Editing;
        entry->state = editing || WheelStepsForButton(event.button) != 0 ? EntryState::Cancel
                                                                         : EntryState::Commit;
        break;
      }
      ButtonPress(event);
      break;
    case Kind::ButtonRelease:
      if (event.button == kX11LeftButton || event.button == kX11RightButton)
        OnMouseUp(event.x, event.y, MouseModifiersFromState(event.state, 0, event.button));
      break;
    case Kind::Motion:
      if (!entry)
        Motion(event);
      break;
    case Kind::KeyPress:
      if (entry)
        EntryKey(event);
      else
        KeyPress(event);
      break;
    case Kind::KeyRelease:
      if (!entry)
        window->ForwardKey(event);
      break;
    case Kind::PointerLeft:
      OnMouseOut();
      break;
    case Kind::FocusIn:
      break;
    case Kind::FocusOut:
      if (entry && entry->state == EntryState::Editing)
        entry->state = EntryState::Commit;
      break;
    case Kind::WindowGone:
      // The parent went first and took the window with it. The connection
      // stays until the host closes the editor, so the descriptor its run
      // loop watches stays ours.
      ShowCursor();
      break;
  }
}

void IGraphicsLinux::ButtonPress(const X11EditorEvent& event)
{
  const IMouseModifiers modifiers = MouseModifiersFromState(event.state, event.button, 0);
  const int steps = WheelStepsForButton(event.button);
  if (steps != 0)
  {
    OnMouseWheel(event.x, event.y, modifiers, steps);
    return;
  }
  if (event.button == kX11LeftButton && doubleClick.Press(event.x, event.y, event.time))
  {
    // The press that completes a double click is the double click, as on
    // Windows; the pointer stays grabbed until its release either way.
    OnMouseDoubleClick(event.x, event.y, modifiers);
    return;
  }
  if (event.button != kX11LeftButton)
    doubleClick.Reset();
  OnMouseDown(event.x, event.y, modifiers);
}

void IGraphicsLinux::Motion(const X11EditorEvent& event)
{
  const IMouseModifiers modifiers = MouseModifiersFromState(event.state, 0, 0);
  if (!(modifiers.left || modifiers.right))
  {
    OnMouseOver(event.x, event.y, modifiers);
    return;
  }
  if (GetMouseCapture() < 0 || (event.x == GetLastMouseX() && event.y == GetLastMouseY()))
    return;
  const int dx = event.x - GetLastMouseX();
  const int dy = event.y - GetLastMouseY();
  SetLastMousePosition(event.x, event.y);
  OnMouseDrag(event.x, event.y, dx, dy, modifiers);
}

void IGraphicsLinux::KeyPress(const X11EditorEvent& event)
{
  const int key = KeyCodeForKeysym(event.keysym);
  if (key >= 0 && OnKeyDown(event.x, event.y, key))
    return;
  window->ForwardKey(event);
}

void IGraphicsLinux::CreateTextEntry(IControl* control, const ITextStyle& style,
                                     const IRectangle& rect, const char* text,
                                     const IParameter* parameter)
{
  if (!window)
  {
    IGraphicsOffscreen::CreateTextEntry(control, style, rect, text, parameter);
    return;
  }
  if (!control || entry || !window->Usable() || !GetDrawBitmap())
    return;
  entry.reset(new TextEntry{control, parameter, style, rect,
                            EntryLine(text ? text : "", control->TextEntryLength()),
                            EntryState::Editing});
  window->TakeFocus();
  DrawEntry();
}

void IGraphicsLinux::EndTextEntry()
{
  if (entry)
    entry->state = EntryState::Cancel;
}

std::string IGraphicsLinux::TextEntryText() const
{
  return entry ? entry->line.Text() : std::string();
}

void IGraphicsLinux::EntryKey(const X11EditorEvent& event)
{
  EntryLine& line = entry->line;
  switch (event.keysym)
  {
    case kKeysymReturn:
    case kKeysymKeypadEnter:
      entry->state = EntryState::Commit;
      return;
    case kKeysymEscape:
      entry->state = EntryState::Cancel;
      return;
    case kKeysymBackSpace:
      line.Backspace();
      break;
    case kKeysymDelete:
      line.Delete();
      break;
    case kKeysymLeft:
      line.Left();
      break;
    case kKeysymRight:
      line.Right();
      break;
    case kKeysymHome:
      line.Home();
      break;
    case kKeysymEnd:
      line.End();
      break;
    default:
    {
      const char typed = CharacterForKey(event.keysym, event.shiftedKeysym, event.state);
      if (typed == '\0' || !EntryTakesCharacter(entry->parameter, typed))
        return;
      line.Insert(typed);
      break;
    }
  }
  DrawEntry();
}

IRectangle IGraphicsLinux::EntryBox(const IRectangle& rect)
{
  return {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
}

void IGraphicsLinux::DrawEntry()
{
  const IRectangle box = EntryBox(entry->rect);
  const ITextStyle& style = entry->style;
  const EntryLine& line = entry->line;
  FillColourRect(style.entryBackground, box, nullptr);

  ITextStyle textStyle = style;
  textStyle.colour = style.entryForeground;
  const char* const text = line.Text().c_str();
  IRectangle extent = entry->rect;
  MeasureText(textStyle, text, extent);
  if (line.AllSelected() && !line.Text().empty())
  {
    FillColourRect(style.entryForeground, {extent.left, box.top, extent.right, box.bottom},
                   nullptr);
    textStyle.colour = style.entryBackground;
  }
  IRectangle area = entry->rect;
  DrawStyledText(textStyle, text, area, false);

  // The caret after the characters before it.
  int caretX = extent.left;
  if (line.Text().empty())
  {
    const IRectangle& r = entry->rect;
    caretX = style.align == ITextAlign::Left    ? r.left
             : style.align == ITextAlign::Right ? r.right - 1
                                                : (r.left + r.right) / 2;
  }
  else if (line.Caret() > 0)
  {
    ITextStyle leftStyle = textStyle;
    leftStyle.align = ITextAlign::Left;
    const std::string before = line.Text().substr(0, static_cast<size_t>(line.Caret()));
    IRectangle prefix{extent.left, extent.top, extent.left, extent.bottom};
    MeasureText(leftStyle, before.c_str(), prefix);
    caretX = prefix.right;
  }
  if (!line.AllSelected())
    FillColourRect(style.entryForeground, {caretX, box.top + 1, caretX + 1, box.bottom - 1},
                   nullptr);
  PutArea(box);
}

void IGraphicsLinux::FinishEntry(bool commit)
{
  // Cleared first: the plug-in's reaction may open another entry or a menu.
  const std::unique_ptr<TextEntry> finished = std::move(entry);
  window->ReturnFocus();
  DrawDirty(EntryBox(finished->rect));
  if (!commit)
    return;
  std::string text = finished->line.Text();
  if (text.size() > static_cast<size_t>(kMaxEntryText))
    text.resize(static_cast<size_t>(kMaxEntryText));
  CommitEnteredText(*finished->control, finished->parameter, text.c_str());
}

int IGraphicsLinux::ShowMessageBox(const char* text, const char* caption, int type)
{
  if (!window || !window->Usable())
    return IGraphicsOffscreen::ShowMessageBox(text, caption, type);
  ReleaseMouseCapture();
  X11MessageBox box(*window, [this](const X11EditorEvent& event) { Dispatch(event); });
  const int answer = box.Run(text ? text : "", caption ? caption : "", type, Width(), Height());
  Invalidate({0, 0, Width(), Height()});
  return answer;
}

bool IGraphicsLinux::PromptForFileLater(IFileSelectorControl& selector)
{
  if (!window || fileDialog)
    return false;
  std::string folder = selector.GetFolder();
  if (folder.empty())
    DesktopPath(folder);
  auto dialog = std::make_unique<DesktopFileDialog>();
  if (!dialog->Start(selector.Action(), selector.GetFile(), folder, selector.GetExtensions()))
  {
    ShowMessageBox(kNoFileDialog, "Quillwave", kMessageBoxOk);
    return false;
  }
  fileDialog = std::move(dialog);
  dialogSelector = &selector;
  return true;
}

void IGraphicsLinux::CollectFileDialog()
{
  if (!fileDialog)
    return;
  std::string path;
  const DesktopFileDialog::Status status = fileDialog->Poll(path);
  if (status == DesktopFileDialog::Status::Running)
    return;
  IFileSelectorControl* const selector = dialogSelector;
  fileDialog.reset();
  dialogSelector = nullptr;
  // As after the Windows dialog: the chosen file and its folder, or on a
  // cancel no file and the folder as it was.
  selector->SetFile(status == DesktopFileDialog::Status::Chosen ? path : std::string());
  const std::string folder = FolderOfFile(path);
  if (status == DesktopFileDialog::Status::Chosen && !folder.empty())
    selector->SetFolder(folder);
  selector->FinishSelection();
}

void IGraphicsLinux::EndFileDialog(bool notify)
{
  if (!fileDialog)
    return;
  IFileSelectorControl* const selector = dialogSelector;
  fileDialog.reset();
  dialogSelector = nullptr;
  if (!notify)
    return;
  selector->SetFile(std::string());
  selector->FinishSelection();
}

bool IGraphicsLinux::OpenUrl(const char* url, const char* caption, const char* confirmText,
                             const char* errorText)
{
  if (!window)
    return IGraphicsOffscreen::OpenUrl(url, caption, confirmText, errorText);
  const char* title = caption ? caption : "";
  if (confirmText && confirmText[0] != '\0' &&
      ShowMessageBox(confirmText, title, kMessageBoxYesNo) != kAnswerYes)
    return false;
  if (url)
  {
    std::string address = url;
    char program[] = "xdg-open";
    char* argv[] = {program, address.data(), nullptr};
    pid_t child = -1;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) == 0)
    {
      launched.push_back(child);
      return true;
    }
  }
  if (errorText && errorText[0] != '\0')
    ShowMessageBox(errorText, title, kMessageBoxOk);
  return false;
}

void IGraphicsLinux::ReapLaunched()
{
  for (auto it = launched.begin(); it != launched.end();)
  {
    int status = 0;
    if (waitpid(*it, &status, WNOHANG) != 0)
      it = launched.erase(it);
    else
      ++it;
  }
}
