#pragma once

#include "framework/IPluginEditor.h"
#include "graphics/IBitmapStrip.h"
#include "graphics/IBlend.h"
#include "graphics/IColour.h"
#include "graphics/IFileAction.h"
#include "graphics/IMouseModifiers.h"
#include "graphics/IRectangle.h"
#include "graphics/ITextStyle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IBitmapControl;
class IControl;
class IFileSelectorControl;
class IEffectBase;
class IMenu;
class IParameter;
class RasterBitmap;
class RasterSysBitmap;

// One plug-in editor: a fixed-size surface composed in software, the ordered
// list of controls drawn on it and receiving input, and the value link
// between those controls and the plug-in's parameters. Everything that
// touches a real window is a virtual operation, implemented by the window host
// of the platform (CreatePlatformGraphics in graphics/IGraphicsFactory.h).
//
// All drawing and input run on the user-interface thread. The only entry
// point for other threads is ApplyParameterFromPlugin, which the plug-in
// calls under its mutex and which only stores values and dirty flags.
class IGraphics : public IPluginEditor
{
public:
  IGraphics(IEffectBase* plugin, int width, int height, int framesPerSecond);

  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Platform operations, implemented by the window host ----
  // Copies that area of the draw bitmap to the window.
  virtual bool DrawScreen(const IRectangle& rect) = 0;
  // DrawStyledText with measure set.
  virtual bool MeasureText(ITextStyle& style, const char* text, IRectangle& rect);
  // Cancels a running text entry.
  virtual void EndTextEntry() = 0;
  // Stores the size, drops every control and input state, rebuilds the draw
  // bitmap and tells the plug-in (ResizeEditor). Hosts extend it.
  virtual void Resize(int width, int height);
  bool WindowIsOpen() override;
  // The name of the drawing system; empty here.
  virtual const char* DrawSystemName();
  virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
  // Runs the menu; returns the menu (`menu` or one of its submenus) that
  // holds the chosen item with its chosen item set, or null.
  virtual IMenu* ShowPopupMenu(IMenu& menu, const IRectangle& rect) = 0;
  // Starts in-place text entry over `rect`. When it is committed, the text
  // goes to the control through CommitEnteredText.
  virtual void CreateTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                               const char* text, const IParameter* parameter) = 0;
  // The folders of the host program and of the plug-in module, ending with
  // their separator; empty when unknown.
  virtual void HostPath(std::string& path) = 0;
  virtual void PluginPath(std::string& path) = 0;
  // Well-known folders, without a trailing separator.
  virtual void DesktopPath(std::string& path) = 0;
  virtual void AppDataPath(std::string& path, bool system) = 0;
  // AppDataPath for the user.
  virtual void UserDataPath(std::string& path);
  // Asks for a file with one of the space-separated extensions. On success
  // `file` is the full path and `folder` its folder; on cancel `file` is
  // empty and `folder` as it was.
  virtual void PromptForFile(std::string& file, IFileAction action, std::string& folder,
                             const char* extensions) = 0;
  // A host whose dialogs must not block the host's user interface starts
  // the selector's dialog here and returns true; it then sets the selector's
  // file and folder as PromptForFile would and calls its FinishSelection
  // once the user answered. False (the base) means PromptForFile answers
  // at once instead.
  virtual bool PromptForFileLater(IFileSelectorControl& selector);
  // Replaces red, green and blue (alpha stays) and returns true on OK.
  virtual bool PromptForColour(IColour& colour, const char* prompt) = 0;
  virtual bool OpenUrl(const char* url, const char* caption, const char* confirmText,
                       const char* errorText) = 0;
  // Opens the editor in `parent`; returns the window handle, null on failure.
  void* OpenWindow(void* parent) override = 0;
  void CloseWindow() override = 0;
  void* WindowHandle() override = 0;
  virtual bool TextFromClipboard(std::string& text) = 0;
  // Deletes the key catcher, the controls from the last to the first and the
  // draw bitmap. Calls nothing on the plug-in, which may be half destroyed.
  ~IGraphics() override;
  virtual void HideCursor();
  virtual void ShowCursor();
  // A new bitmap from the module's image resource, or null.
  virtual std::unique_ptr<RasterBitmap> LoadOsBitmap(int resourceId, const char* name) = 0;

  // ---- What the plug-in framework calls (IPluginEditor) ----
  // Creates the draw bitmap at the editor's size.
  void PrepareDrawing() override;
  // A parameter changed outside the editor: every control bound to it takes
  // the value (plain values are limited to the range and normalised first),
  // as its main value or through its first auxiliary entry for it. Only
  // values and dirty flags change; nothing is sent back to the plug-in.
  void ApplyParameterFromPlugin(int index, double value, bool isNormalized) override;

  // ---- Controls ----
  // Appends a control, which the editor then owns, and returns it. Later
  // controls draw on top and are hit first.
  template <class Control>
  Control* AttachControl(std::unique_ptr<Control> control)
  {
    Control* attached = control.get();
    AppendControl(std::move(control));
    return attached;
  }
  // Loads the image and puts an opaque bitmap control of its size, without a
  // parameter, at the front of the list (index 0).
  IBitmapControl* AttachBackground(int resourceId, const char* name);
  // The image from the process-wide cache, loaded with LoadOsBitmap on a
  // miss. A failed load gives a strip without a bitmap (and of size 0).
  IBitmapStrip LoadBitmapStrip(int resourceId, const char* name, int frameCount);
  // Receives keys that no control takes.
  void SetKeyCatcher(std::unique_ptr<IControl> control);

  int GetControlCount() const { return static_cast<int>(controls.size()); }
  // Null for an index out of range.
  IControl* GetControl(int index) const;

  // ---- Drawing ----
  // Draws the area (sx, sy) onwards of the strip's image into `rect`,
  // clipped to the draw rectangle.
  bool DrawBitmap(const IBitmapStrip& strip, const IRectangle& rect, int sx, int sy,
                  const IBlend* blend);
  // Draws frame `frame` (from 1) of the strip into `rect`.
  bool DrawBitmapFrame(const IBitmapStrip& strip, const IRectangle& rect, int frame,
                       const IBlend* blend);
  // Fills the whole rect, without clipping to the draw rectangle.
  bool FillColourRect(const IColour& colour, const IRectangle& rect, const IBlend* blend);
  // Draws `text` from the top of `rect` with the style's alignment, not
  // clipped, or with `measure` sets `rect` to the text's extent. False when
  // the style's font cannot be had; empty text draws nothing.
  bool DrawStyledText(ITextStyle& style, const char* text, IRectangle& rect, bool measure);

  // Adds the rectangle of every control that needs redrawing to `rect`;
  // true when there was one.
  bool CollectDirty(IRectangle& rect);
  // The draw pass over `rect`, ending with DrawScreen(rect).
  void DrawDirty(const IRectangle& rect);

  // ---- Input, in client coordinates ----
  void OnMouseDown(int x, int y, const IMouseModifiers& modifiers);
  void OnMouseUp(int x, int y, const IMouseModifiers& modifiers);
  // Only while a button is held over a captured control; the window host has
  // already stored the new last position.
  void OnMouseDrag(int x, int y, int dx, int dy, const IMouseModifiers& modifiers);
  bool OnMouseOver(int x, int y, const IMouseModifiers& modifiers);
  void OnMouseOut();
  // True when the double click acted as a press (the host then captures the mouse).
  bool OnMouseDoubleClick(int x, int y, const IMouseModifiers& modifiers);
  void OnMouseWheel(int x, int y, const IMouseModifiers& modifiers, int steps);
  // True when a control or the key catcher took the key.
  bool OnKeyDown(int x, int y, int key);

  // Opens a prompt for `parameter` over `rect`: a text entry with the
  // current number, or for lists a menu of the display texts.
  void PromptParameterValue(IControl* control, const IParameter* parameter, const IRectangle& rect);

  // ---- State ----
  IEffectBase* GetPlugin() const { return plugin; }
  int Width() const override { return width; }
  int Height() const override { return height; }
  int FramesPerSecond() const { return framesPerSecond; }
  const IRectangle& GetDrawRect() const { return drawRect; }
  // Null until PrepareDrawing.
  RasterSysBitmap* GetDrawBitmap() const { return drawBitmap.get(); }

  int GetMouseCapture() const { return mouseCapture; }
  int GetMouseOver() const { return mouseOver; }
  int GetLastMouseX() const { return lastMouseX; }
  int GetLastMouseY() const { return lastMouseY; }
  void SetLastMousePosition(int x, int y);
  // Forgets the captured control and the last position (popup menus do).
  void ReleaseMouseCapture();

  bool HandlesMouseOver() const { return handleMouseOver; }
  void SetHandleMouseOver(bool handle) { handleMouseOver = handle; }
  // Strict drawing redraws what the area overlaps; otherwise each dirty
  // control is redrawn with what overlaps it.
  bool StrictDrawing() const { return strictDrawing; }
  void SetStrictDrawing(bool strict) { strictDrawing = strict; }
  bool TooltipsEnabled() const { return tooltipsEnabled; }
  void EnableTooltips(bool enable) { tooltipsEnabled = enable; }

protected:
  // Every control needs a full redraw, without telling the plug-in (a
  // window has just opened).
  void MarkAllControlsDirty();
  // A text entry was committed: with a parameter the text is read as one of
  // its list texts or as a number and handed to the control as a normalised
  // user value; without one the control takes the text as it is.
  void CommitEnteredText(IControl& control, const IParameter* parameter, const char* text);
  // True when the text after the last '.' of `name` is "png" in any case.
  static bool NamesPngImage(const char* name);

private:
  void AppendControl(std::unique_ptr<IControl> control);
  // The topmost control at the point that takes input (hidden and greyed
  // ones do not; greyed ones may for mouse-over), or -1.
  int FindControl(int x, int y, bool mouseOverTest) const;
  // The captured control when there is one, else the topmost at the point.
  int CapturedOrFound(int x, int y) const;
  // A press brackets its changes in one host edit, which EndEdit closes.
  void BeginEdit(int paramIndex);
  void EndEdit();
  // Opens a host edit for a change that is not part of a press (double
  // click, wheel, committed text) unless a press holds one; true when it did,
  // and the caller then closes it with EndEdit.
  bool BeginChangeEdit(int paramIndex);
  void DrawStrict(const IRectangle& rect);
  void DrawEachDirty();

  std::vector<std::unique_ptr<IControl>> controls;
  IEffectBase* plugin;
  IRectangle drawRect;
  std::unique_ptr<RasterSysBitmap> drawBitmap;
  int32_t width;
  int32_t height;
  int32_t framesPerSecond;
  int32_t mouseCapture = -1;
  int32_t mouseOver = -1;
  int32_t lastMouseX = 0;
  int32_t lastMouseY = 0;
  // The parameter of the host edit a press opened, -1 for none.
  int32_t editParam = -1;
  bool handleMouseOver = false;
  bool strictDrawing = true;
  bool tooltipsEnabled = false;
  std::unique_ptr<IControl> keyCatcher;
};

// The editor `plugin` holds, as the graphics it is; null without a plug-in,
// without an editor, or for an editor of another kind.
IGraphics* EditorGraphics(IEffectBase* plugin);
