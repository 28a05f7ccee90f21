#pragma once

#include "graphics/IGraphics.h"
#include "graphics/linux/IOffscreenAnswers.h"
#include "graphics/linux/IOffscreenParentAnswers.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterModuleResources.h"

// The Linux editor host: the platform operations without a window. The screen is
// a bitmap that DrawScreen copies the composed areas into; dialogs, menus
// and text entries are answered at once by an IOffscreenAnswers (cancelled
// without one); the redraw timer is Tick, called by whoever drives the
// editor (a test, a tool, a host's idle loop).
//
// A host in another module opens the editor with an off-screen parent
// record (framework/linux/IOffscreenParent.h) as its parent window: it then
// sends input and ticks through the record and answers through the record's
// callbacks. In-process callers open it without a parent and drive this
// object directly.
class IGraphicsOffscreen : public IGraphics
{
public:
  // Images are loaded from the compiled-in resources of `module`.
  IGraphicsOffscreen(IEffectBase* plugin, int width, int height, int framesPerSecond,
                     RasterModuleHandle module);
  ~IGraphicsOffscreen() override;

  bool DrawScreen(const IRectangle& rect) override;
  void EndTextEntry() override;
  void Resize(int width, int height) override;
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  IMenu* ShowPopupMenu(IMenu& menu, const IRectangle& rect) override;
  // The answer, cut to the control's text entry length (at most 31
  // characters), is committed at once.
  void CreateTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                       const char* text, const IParameter* parameter) override;
  void HostPath(std::string& path) override;
  void PluginPath(std::string& path) override;
  void DesktopPath(std::string& path) override;
  void AppDataPath(std::string& path, bool system) override;
  void PromptForFile(std::string& file, IFileAction action, std::string& folder,
                     const char* extensions) override;
  bool PromptForColour(IColour& colour, const char* prompt) override;
  bool OpenUrl(const char* url, const char* caption, const char* confirmText,
               const char* errorText) override;
  // There is no window to create: the editor counts as open and every
  // control is marked for a full redraw. `parent` is null for an in-process
  // caller (the handle is then this object) or an off-screen parent record,
  // which becomes the handle and is connected to the editor; anything else
  // leaves the editor closed and returns null. An open editor is closed
  // first.
  void* OpenWindow(void* parent) override;
  // Disconnects the parent record, if any.
  void CloseWindow() override;
  void* WindowHandle() override;
  bool TextFromClipboard(std::string& text) override;
  // Only names ending in ".png" (any case) are loaded.
  std::unique_ptr<RasterBitmap> LoadOsBitmap(int resourceId, const char* name) override;

  // Who answers the dialogs of an editor opened without a parent record;
  // not owned, null cancels every one. A parent record answers for itself.
  void SetAnswers(IOffscreenAnswers* answers);

  // One tick of the redraw timer: runs the draw pass over everything that
  // became dirty or was invalidated since; true when it drew.
  bool Tick();
  // A mouse move as a window reports it: with a button held and a control
  // captured, a drag by the distance from the last position (when it moved);
  // otherwise a mouse-over.
  void MoveMouse(int x, int y, const IMouseModifiers& modifiers);

  // What reached the screen, and the area and number of the updates.
  const RasterBitmap& Screen() const { return screen; }
  const IRectangle& LastScreenRect() const { return lastScreenRect; }
  int ScreenUpdates() const { return screenUpdates; }

protected:
  // The area is drawn again at the next Tick.
  void Invalidate(const IRectangle& rect);

private:
  IOffscreenAnswers& Answers();

  const RasterModuleHandle module;
  IOffscreenAnswers cancelAll;
  IOffscreenAnswers* answers = &cancelAll;
  // The record of the host that opened the editor, null otherwise.
  IOffscreenParent* parent = nullptr;
  IOffscreenParentAnswers parentAnswers;
  RasterMemBitmap screen;
  IRectangle invalid;
  IRectangle lastScreenRect;
  int screenUpdates = 0;
  bool open = false;
};
