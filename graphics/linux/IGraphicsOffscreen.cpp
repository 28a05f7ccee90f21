#include "graphics/linux/IGraphicsOffscreen.h"

#include "framework/linux/IOffscreenParentProbe.h"
#include "graphics/EntryText.h"
#include "graphics/IControl.h"
#include "graphics/linux/IOffscreenParentInput.h"
#include "graphics/linux/LinuxFolders.h"
#include "graphics/linux/MessageBoxCodes.h"
#include "raster/RasterBlit.h"
#include "raster/RasterPng.h"
#include "raster/RasterSysBitmap.h"

#include <algorithm>

IGraphicsOffscreen::IGraphicsOffscreen(IEffectBase* plugin, int width, int height,
                                       int framesPerSecond, RasterModuleHandle module)
    : IGraphics(plugin, width, height, framesPerSecond), module(module)
{
}

IGraphicsOffscreen::~IGraphicsOffscreen()
{
  CloseWindow();
}

bool IGraphicsOffscreen::DrawScreen(const IRectangle& rect)
{
  if (screen.Width() != Width() || screen.Height() != Height())
    screen.Resize(Width(), Height());
  const RasterRect area{rect.left, rect.top, rect.right, rect.bottom};
  BlitBitmap(&screen, GetDrawBitmap(), rect.left, rect.top, &area, 1.0f, kBlendCopy);
  lastScreenRect = rect;
  ++screenUpdates;
  return true;
}

void IGraphicsOffscreen::EndTextEntry()
{
  // Entries are answered as they start, so none is ever running.
}

void IGraphicsOffscreen::Resize(int newWidth, int newHeight)
{
  if (newWidth == Width() && newHeight == Height())
    return;
  IGraphics::Resize(newWidth, newHeight);
  Invalidate({0, 0, Width(), Height()});
}

int IGraphicsOffscreen::ShowMessageBox(const char* text, const char* caption, int type)
{
  return Answers().AnswerMessageBox(text ? text : "", caption ? caption : "", type);
}

IMenu* IGraphicsOffscreen::ShowPopupMenu(IMenu& menu, const IRectangle& rect)
{
  ReleaseMouseCapture();
  IMenu* chosen = Answers().ChooseFromMenu(menu, rect);
  // The menu covered the editor.
  Invalidate({0, 0, Width(), Height()});
  return chosen;
}

void IGraphicsOffscreen::CreateTextEntry(IControl* control, const ITextStyle& style,
                                         const IRectangle& rect, const char* text,
                                         const IParameter* parameter)
{
  if (!control)
    return;
  std::string committed;
  if (!Answers().EnterText(*control, style, rect, text ? text : "", parameter, committed))
    return;
  const int length = control->TextEntryLength();
  const int limit = length > 0 ? std::min(length, kMaxEntryText) : kMaxEntryText;
  if (committed.size() > static_cast<size_t>(limit))
    committed.resize(static_cast<size_t>(limit));
  CommitEnteredText(*control, parameter, committed.c_str());
}

void IGraphicsOffscreen::HostPath(std::string& path)
{
  path = ProgramFolder();
}

void IGraphicsOffscreen::PluginPath(std::string& path)
{
  path = ModuleFolder();
}

void IGraphicsOffscreen::DesktopPath(std::string& path)
{
  path = DesktopFolder();
}

void IGraphicsOffscreen::AppDataPath(std::string& path, bool system)
{
  path = DataFolder(system);
}

void IGraphicsOffscreen::PromptForFile(std::string& file, IFileAction action, std::string& folder,
                                       const char* extensions)
{
  std::string startFolder = folder;
  if (startFolder.empty())
    DesktopPath(startFolder);
  std::string chosen;
  if (!Answers().ChooseFile(file, action, startFolder, extensions ? extensions : "", chosen) ||
      chosen.empty())
  {
    file.clear();
    return;
  }
  file = chosen;
  const std::string chosenFolder = FolderOfFile(chosen);
  if (!chosenFolder.empty())
    folder = chosenFolder;
}

bool IGraphicsOffscreen::PromptForColour(IColour& colour, const char* prompt)
{
  IColour chosen = colour;
  if (!Answers().ChooseColour(prompt ? prompt : "", chosen))
    return false;
  colour.red = chosen.red;
  colour.green = chosen.green;
  colour.blue = chosen.blue;
  return true;
}

bool IGraphicsOffscreen::OpenUrl(const char* url, const char* caption, const char* confirmText,
                                 const char* errorText)
{
  const char* title = caption ? caption : "";
  if (confirmText && confirmText[0] != '\0' &&
      ShowMessageBox(confirmText, title, kMessageBoxYesNo) != kAnswerYes)
    return false;
  if (url && Answers().OpenUrl(url))
    return true;
  if (errorText && errorText[0] != '\0')
    ShowMessageBox(errorText, title, kMessageBoxOk);
  return false;
}

void* IGraphicsOffscreen::OpenWindow(void* parentWindow)
{
  CloseWindow();
  if (parentWindow)
  {
    parent = ProbeOffscreenParent(parentWindow);
    if (!parent)
      return nullptr;
    parentAnswers.Bind(parent);
    ConnectOffscreenParent(*parent, *this);
  }
  open = true;
  MarkAllControlsDirty();
  return WindowHandle();
}

void IGraphicsOffscreen::CloseWindow()
{
  if (parent)
  {
    DisconnectOffscreenParent(*parent);
    parentAnswers.Bind(nullptr);
    parent = nullptr;
  }
  open = false;
}

void* IGraphicsOffscreen::WindowHandle()
{
  if (!open)
    return nullptr;
  return parent ? static_cast<void*>(parent) : static_cast<void*>(this);
}

bool IGraphicsOffscreen::TextFromClipboard(std::string& text)
{
  text.clear();
  return false;
}

std::unique_ptr<RasterBitmap> IGraphicsOffscreen::LoadOsBitmap(int resourceId, const char* name)
{
  if (!NamesPngImage(name))
    return nullptr;
  return LoadPngResource(module, resourceId);
}

void IGraphicsOffscreen::SetAnswers(IOffscreenAnswers* newAnswers)
{
  answers = newAnswers ? newAnswers : &cancelAll;
}

bool IGraphicsOffscreen::Tick()
{
  IRectangle area = invalid;
  invalid = {};
  CollectDirty(area);
  if (area.Empty())
    return false;
  DrawDirty(area);
  return true;
}

void IGraphicsOffscreen::MoveMouse(int x, int y, const IMouseModifiers& modifiers)
{
  if (!(modifiers.left || modifiers.right))
  {
    OnMouseOver(x, y, modifiers);
    return;
  }
  if (GetMouseCapture() < 0 || (x == GetLastMouseX() && y == GetLastMouseY()))
    return;
  const int dx = x - GetLastMouseX();
  const int dy = y - GetLastMouseY();
  SetLastMousePosition(x, y);
  OnMouseDrag(x, y, dx, dy, modifiers);
}

IOffscreenAnswers& IGraphicsOffscreen::Answers()
{
  return parent ? parentAnswers : *answers;
}

void IGraphicsOffscreen::Invalidate(const IRectangle& rect)
{
  invalid = invalid.Union(rect);
}
