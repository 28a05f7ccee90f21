#pragma once

#include "public.sdk/source/common/pluginview.h"
#include "vst3/Vst3EditorRunLoop.h"

#include <memory>

class IEffectVST3;

// The editor view a VST3 host gets from createView("editor"). It draws
// nothing itself: it hands the host's parent window to the plug-in's editor,
// reports the editor's size and relays resize requests both ways. The view
// holds one reference on the plug-in for its whole life; attaching and
// removing do not change reference counts. Every method runs on the host's
// user-interface thread and takes no lock.
class IEffectVST3View : public Steinberg::CPluginView
{
public:
  // The one platform type this build opens the editor for: "HWND" on
  // Windows; on Linux the off-screen parent record of
  // framework/linux/IOffscreenParent.h, IOFFSCREEN_PARENT_PLATFORM_TYPE.
  static const Steinberg::FIDString kPlatformType;
  // Whether the editor opens for `type` here: kPlatformType, and on Linux
  // also an X11 window ("X11EmbedWindowID").
  static bool IsPlatformType(Steinberg::FIDString type);
  // Whether `parent` can be what `type` names: on Linux an off-screen
  // parent record for kPlatformType and never one for an X11 window id.
  static bool FitsPlatformType(void* parent, Steinberg::FIDString type);

  // Adds a reference to `plugin`; the plug-in appends the view to its views.
  explicit IEffectVST3View(IEffectVST3* plugin);
  // Closes the editor if the host never removed the view, leaves the
  // plug-in's views and releases the plug-in.
  ~IEffectVST3View() override;

  // kResultOk for a type of IsPlatformType when the plug-in has an editor.
  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  // Opens the editor in `parent`, connects it to the host's run loop where
  // the platform needs one (Vst3EditorRunLoop), and runs OnEditorOpen.
  // kResultFalse without an editor or a parent, for another platform type,
  // when the editor cannot open there, or when it needs a run loop that the
  // frame set with setFrame does not offer.
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  // Unregisters from the run loop, runs OnEditorClose, then closes the
  // editor's window when it is still the one this view opened (another view
  // may have opened the editor since).
  Steinberg::tresult PLUGIN_API removed() override;
  // The editor's size at any time, attached or not.
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  // Stores the size; answers a pending ResizeEditor with OnEditorResized.
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;

  // The plug-in asks for a new size: marked as pending, then the host's
  // frame is asked to resize the view. Nothing without a frame.
  void RequestResize(int width, int height);

  OBJ_METHODS(IEffectVST3View, CPluginView)

private:
  IEffectVST3* const plugin;
  // What the editor's OpenWindow returned for this view, null while removed.
  void* editorWindow = nullptr;
  std::unique_ptr<Vst3EditorRunLoop> runLoop;
  bool expectingResize = false;
};
