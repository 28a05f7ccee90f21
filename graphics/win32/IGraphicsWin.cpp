#include "graphics/win32/IGraphicsWin.h"

#include "framework/IEffectBase.h"
#include "graphics/win32/WinRect.h"
#include "raster/RasterPng.h"
#include "raster/RasterSysBitmap.h"

namespace
{

// A child window that is not an MDI child: the host's own frame around it
// has to grow with it.
bool IsPlainChildWindow(HWND window)
{
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG extendedStyle = GetWindowLongA(window, GWL_EXSTYLE);
  return (style & WS_CHILD) != 0 && (extendedStyle & WS_EX_MDICHILD) == 0;
}

void GrowWindow(HWND window, int dw, int dh)
{
  RECT bounds;
  if (!window || !GetWindowRect(window, &bounds))
    return;
  SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left + dw,
               bounds.bottom - bounds.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The clipboard, open for one scope.
class OpenedClipboard
{
public:
  explicit OpenedClipboard(HWND owner) : open(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard()
  {
    if (open)
      CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  bool IsOpen() const { return open; }

private:
  const bool open;
};

// UTF-16 to UTF-8; empty when the text cannot be converted.
std::string Utf8FromWide(const wchar_t* text, size_t length)
{
  if (length == 0)
    return {};
  const int wideLength = static_cast<int>(length);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
  if (size <= 0)
    return {};
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, wideLength, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

}  // namespace

IGraphicsWin::IGraphicsWin(IEffectBase* plugin, int width, int height, int framesPerSecond,
                           HINSTANCE moduleInstance)
    : IGraphics(plugin, width, height, framesPerSecond),
      moduleInstance(moduleInstance),
      processId(GetCurrentProcessId())
{
}

IGraphicsWin::~IGraphicsWin()
{
  CloseWindow();
}

bool IGraphicsWin::DrawScreen(const IRectangle& rect)
{
  if (!editorWindow)
    return true;
  PAINTSTRUCT paint;
  const HDC target = BeginPaint(editorWindow, &paint);
  if (!target)
    return true;
  const RasterSysBitmap* bitmap = GetDrawBitmap();
  const HDC source = bitmap ? static_cast<HDC>(bitmap->DeviceContext()) : nullptr;
  if (source)
    BitBlt(target, rect.left, rect.top, rect.Width(), rect.Height(), source, rect.left, rect.top,
           SRCCOPY);
  EndPaint(editorWindow, &paint);
  return true;
}

void IGraphicsWin::EndTextEntry()
{
  entryState = ITextEntryState::Cancel;
}

void IGraphicsWin::Resize(int newWidth, int newHeight)
{
  if (newWidth == Width() && newHeight == Height())
    return;
  const int dw = newWidth - Width();
  const int dh = newHeight - Height();
  // The entry's control is about to be deleted with the others.
  DestroyTextEntry();
  IGraphics::Resize(newWidth, newHeight);
  if (!editorWindow)
    return;
  GrowWindow(editorWindow, dw, dh);
  IEffectBase* plugin = GetPlugin();
  if (IsPlainChildWindow(editorWindow) && plugin && plugin->QueryPluginApi() == PluginApi::VST2)
  {
    const HWND parent = GetParent(editorWindow);
    GrowWindow(parent, dw, dh);
    if (parent && IsPlainChildWindow(parent))
      GrowWindow(GetParent(parent), dw, dh);
  }
  const RECT all = ToWinRect({0, 0, Width(), Height()});
  InvalidateRect(editorWindow, &all, FALSE);
}

const char* IGraphicsWin::DrawSystemName()
{
  return "Windows GDI";
}

int IGraphicsWin::ShowMessageBox(const char* text, const char* caption, int type)
{
  return MessageBoxA(MainWindow(), text ? text : "", caption ? caption : "",
                     static_cast<UINT>(type));
}

HWND IGraphicsWin::MainWindow()
{
  if (mainWindow && IsWindow(mainWindow))
    return mainWindow;
  mainWindow = nullptr;
  if (parentWindow && IsWindow(parentWindow))
  {
    HWND top = parentWindow;
    while (const HWND up = GetParent(top))
      top = up;
    mainWindow = top;
    char name[128] = {};
    if (GetClassNameA(top, name, sizeof name) > 0)
      mainWindowClass = name;
  }
  else if (!mainWindowClass.empty())
  {
    EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(this));
  }
  return mainWindow;
}

BOOL CALLBACK IGraphicsWin::MatchMainWindow(HWND window, LPARAM self)
{
  IGraphicsWin& graphics = *reinterpret_cast<IGraphicsWin*>(self);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[128] = {};
  if (owner != graphics.processId || GetClassNameA(window, name, sizeof name) <= 0 ||
      graphics.mainWindowClass != name)
    return TRUE;
  graphics.mainWindow = window;
  return FALSE;
}

void* IGraphicsWin::WindowHandle()
{
  return editorWindow;
}

bool IGraphicsWin::TextFromClipboard(std::string& text)
{
  text.clear();
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
    return false;
  const OpenedClipboard clipboard(editorWindow);
  if (!clipboard.IsOpen())
    return false;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* wide = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (!wide)
    return false;
  // The data need not end in a zero within its block.
  const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  size_t length = 0;
  while (length < capacity && wide[length] != L'\0')
    ++length;
  text = Utf8FromWide(wide, length);
  GlobalUnlock(data);
  return true;
}

void IGraphicsWin::HideCursor()
{
  if (cursorHidden)
    return;
  GetCursorPos(&savedCursor);
  ::ShowCursor(FALSE);
  cursorHidden = true;
}

void IGraphicsWin::ShowCursor()
{
  if (!cursorHidden)
    return;
  SetCursorPos(savedCursor.x, savedCursor.y);
  ::ShowCursor(TRUE);
  cursorHidden = false;
}

std::unique_ptr<RasterBitmap> IGraphicsWin::LoadOsBitmap(int resourceId, const char* name)
{
  if (!NamesPngImage(name))
    return nullptr;
  return LoadPngResource(moduleInstance, resourceId);
}
