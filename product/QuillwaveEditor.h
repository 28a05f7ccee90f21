#pragma once

#include "product/QuillwaveEditorView.h"

#include <array>
#include <string>

class IControl;
class IEffectBase;
class IGraphics;
class IPopupMenu_PresetSelector;
class ITextControl;
class QuillwaveEditorFileSelector;
class QuillwaveEditorStepButton;

// Positions in the editor's control list, in creation and attach order.
// Lower positions are drawn first; higher ones lie on top and are hit first.
enum class QuillwaveControl : int
{
  Background = 0,
  HeaderStrip,
  PanelShadow,
  FrontPanel,
  EffectOnOff,
  InputMode,
  Mode,
  InputGain,
  OutputBlend,
  OutputVolume,
  Bandwidth,
  Centre,
  Feedback,
  Rate,
  Saturation,
  Tone,
  PresetBacking,
  PresetName,
  PresetMenu,
  PreviousPreset,
  NextPreset,
  LoadImage,
  SaveImage,
  LoadSelector,
  SaveSelector,
};
constexpr int kQuillwaveControlCount = 25;

// Quillwave's editor: builds the 500 × 480 panel with its 25 controls and
// images, hands the graphics object to the plug-in (which owns it from then
// on), and serves the plug-in's preset code as its editor view. The plug-in
// owns this object; it must not outlive the plug-in, whose editor holds the
// controls it points at.
class QuillwaveEditor final : public QuillwaveEditorView
{
public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 480;
  static constexpr int kFramesPerSecond = 25;

  // Images come from the resources of `moduleInstance`; one that cannot be
  // loaded leaves its control in place with nothing to draw.
  QuillwaveEditor(IEffectBase& plugin, void* moduleInstance);

  QuillwaveEditor(const QuillwaveEditor&) = delete;
  QuillwaveEditor& operator=(const QuillwaveEditor&) = delete;

  // The control at `position`; null for the background, which only the
  // control list holds.
  IControl* Control(QuillwaveControl position) const;

  // ---- QuillwaveEditorView; the callers hold the plug-in's mutex ----
  void ApplyParameterFromPlugin(int index, double value, bool isNormalized) override;
  void SetPresetName(const std::string& name) override;
  std::string LoadSelectorFile() const override;
  void SetLoadSelectorFile(const std::string& path) override;
  std::string SaveSelectorFile() const override;
  bool DeliversUserAction(int index) const override;

private:
  IGraphics* graphics = nullptr;
  std::array<IControl*, kQuillwaveControlCount> controls{};
  ITextControl* presetName = nullptr;
  IPopupMenu_PresetSelector* presetMenu = nullptr;
  QuillwaveEditorStepButton* previousButton = nullptr;
  QuillwaveEditorStepButton* nextButton = nullptr;
  QuillwaveEditorFileSelector* loadSelector = nullptr;
  QuillwaveEditorFileSelector* saveSelector = nullptr;
};
