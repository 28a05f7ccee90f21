#pragma once

#include "graphics/IBitmapStrip.h"
#include "graphics/IControl.h"
#include "graphics/IFileAction.h"

#include <string>

enum class IFileSelectorState : int32_t
{
  Idle = 0,
  Selecting = 1,
  Done = 2,
};

// A button that opens the platform's file dialog. After every dialog, chosen
// or cancelled, its value alternates between 0 and 1 and the plug-in hears
// it; the plug-in then reads the chosen path (empty after a cancel) from the
// control. While the dialog is open the control shows its image.
class IFileSelectorControl : public IControl
{
public:
  // `extensions` are space-separated, without dots ("quillwavepreset").
  IFileSelectorControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex,
                       const IBitmapStrip& strip, IFileAction action, const char* folder,
                       const char* file, const char* extensions, const IBlend& blend = IBlend{});

  // Opens the dialog; the selection finishes at once or, with a host that
  // answers later (IGraphics::PromptForFileLater), when the user answered.
  void OnMouseDown(int x, int y, const IMouseModifiers& modifiers) override;
  // The dialog ended with the file (empty after a cancel) and folder set:
  // the value alternates and the plug-in hears it.
  virtual void FinishSelection();
  bool Draw(IGraphics& graphics) override;
  // Also true once after a dialog has finished, so that the image goes away.
  bool NeedsRedraw() override;

  const std::string& GetFile() const { return file; }
  void SetFile(const std::string& path) { file = path; }
  const std::string& GetFolder() const { return folder; }
  void SetFolder(const std::string& path) { folder = path; }
  const std::string& GetExtensions() const { return extensions; }
  IFileAction Action() const { return action; }
  IFileSelectorState State() const { return state; }

private:
  const IBitmapStrip strip;
  std::string folder;
  std::string file;
  const std::string extensions;
  const IFileAction action;
  IFileSelectorState state = IFileSelectorState::Idle;
};
