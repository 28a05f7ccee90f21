#include "product/QuillwaveEditor.h"

#include "engine/EngineParameterTable.h"
#include "framework/IEffectBase.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IGraphicsFactory.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/IPanelControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "product/IPopupMenu_PresetSelector.h"
#include "product/PresetCatalogue.h"
#include "product/QuillwaveEditorDialogFolder.h"
#include "product/QuillwaveEditorFileSelector.h"
#include "product/QuillwaveEditorStepButton.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace
{

// One image resource of the module, with the size and frame count of its
// artwork. The size places a control whose image could not be loaded.
struct EditorImage
{
  int32_t id;
  const char* name;
  int32_t frames;
  int32_t width;
  int32_t height;
};

constexpr EditorImage kBackgroundImage{101, "resources/img/qv_background_0002.png", 1, 1000, 1000};
constexpr EditorImage kBackwardImage{102, "resources/img/qv_button_preset_backward_0001.png", 1, 20,
                                     25};
constexpr EditorImage kForwardImage{103, "resources/img/qv_button_preset_forward_0001.png", 1, 20,
                                    25};
constexpr EditorImage kLoadImage{104, "resources/img/qv_button_preset_load_0001.png", 1, 40, 25};
constexpr EditorImage kSaveImage{105, "resources/img/qv_button_preset_save_0001.png", 1, 40, 25};
constexpr EditorImage kHeaderImage{106, "resources/img/qv_panel_header_0002.png", 1, 500, 30};
constexpr EditorImage kShadowImage{107, "resources/img/qv_panel_rack4hu_shadow_0001.png", 1, 500,
                                   410};
constexpr EditorImage kInputModeImage{108, "resources/img/qv_button_0015.png", 4, 40, 160};
constexpr EditorImage kOnOffImage{109, "resources/img/qv_button_0030_white.png", 2, 26, 52};
constexpr EditorImage kModeImage{110, "resources/img/qv_button_0042.png", 2, 40, 80};
constexpr EditorImage kVioletKnobImage{111, "resources/img/qv_knob_0018_violet.png", 99, 40, 3960};
constexpr EditorImage kWhiteKnobImage{112, "resources/img/qv_knob_0019_white.png", 99, 40, 3960};
constexpr EditorImage kFrontPanelImage{113, "resources/img/qv_panel_quillwave_0001.png", 1, 450,
                                       360};
constexpr EditorImage kSmallKnobImage{114, "resources/img/qv_knob_0022_violet.png", 99, 20, 1980};

constexpr const char* kInitialPresetName = "< Presets Library >";
constexpr IRectangle kPresetStrip{60, 40, 440, 65};
constexpr IRectangle kPresetNameArea{60, 43, 440, 65};
constexpr IColour kPresetStripFill{140, 0, 0, 0};
constexpr IBlend kControlBlend{IBlendMethod::None, 1.0f};
constexpr double kKnobGearing = 4.0;

// A loaded strip and the size of one of its frames.
struct LoadedImage
{
  IBitmapStrip strip;
  int32_t frameWidth;
  int32_t frameHeight;
};

LoadedImage Load(IGraphics& graphics, const EditorImage& image)
{
  LoadedImage loaded{graphics.LoadBitmapStrip(image.id, image.name, image.frames), image.width,
                     image.height / image.frames};
  if (loaded.strip.bitmap != nullptr)
  {
    loaded.frameWidth = loaded.strip.width;
    loaded.frameHeight = loaded.strip.height / loaded.strip.frameCount;
  }
  return loaded;
}

// The rectangle of one frame of `image` with its top-left corner at (x, y).
IRectangle At(int32_t x, int32_t y, const LoadedImage& image)
{
  return {x, y, x + image.frameWidth, y + image.frameHeight};
}

ITextStyle PresetNameStyle()
{
  ITextStyle style;
  style.SetFontName("Arial");
  style.size = 20;
  style.colour = IColour{255, 100, 100, 100};
  style.style = IFontStyle::Bold;
  style.align = ITextAlign::Centre;
  style.orientation = 0;
  style.quality = ITextQuality::Default;
  return style;
}

int Param(EngineParam index)
{
  return static_cast<int>(index);
}

}  // namespace

QuillwaveEditor::QuillwaveEditor(IEffectBase& plugin, void* moduleInstance)
{
  std::unique_ptr<IGraphics> owned =
      CreatePlatformGraphics(&plugin, kWidth, kHeight, kFramesPerSecond, moduleInstance);
  IGraphics& editor = *owned;
  editor.AttachBackground(kBackgroundImage.id, kBackgroundImage.name);
  const std::string dialogFolder = PresetDialogFolder();

  // Requested in the product's fixed order; the image cache keeps the first
  // load of each id for every editor of the process.
  const LoadedImage header = Load(editor, kHeaderImage);
  const LoadedImage inputMode = Load(editor, kInputModeImage);
  const LoadedImage onOff = Load(editor, kOnOffImage);
  const LoadedImage mode = Load(editor, kModeImage);
  const LoadedImage violetKnob = Load(editor, kVioletKnobImage);
  const LoadedImage whiteKnob = Load(editor, kWhiteKnobImage);
  const LoadedImage smallKnob = Load(editor, kSmallKnobImage);
  const LoadedImage frontPanel = Load(editor, kFrontPanelImage);
  const LoadedImage shadow = Load(editor, kShadowImage);
  const LoadedImage backward = Load(editor, kBackwardImage);
  const LoadedImage forward = Load(editor, kForwardImage);
  const LoadedImage load = Load(editor, kLoadImage);
  const LoadedImage save = Load(editor, kSaveImage);

  // Appends a control and keeps it at its position.
  const auto attach = [&](QuillwaveControl position, auto control) {
    auto* const attached = editor.AttachControl(std::move(control));
    controls[static_cast<size_t>(position)] = attached;
    return attached;
  };
  const auto bitmap = [&](QuillwaveControl position, int32_t x, int32_t y,
                          const LoadedImage& image) {
    attach(position, std::make_unique<IBitmapControl>(&plugin, At(x, y, image), -1, image.strip,
                                                      kControlBlend));
  };
  const auto switchControl = [&](QuillwaveControl position, int32_t x, int32_t y, EngineParam param,
                                 const LoadedImage& image) {
    attach(position, std::make_unique<ISwitchControl>(&plugin, At(x, y, image), Param(param),
                                                      image.strip, kControlBlend));
  };
  const auto knob = [&](QuillwaveControl position, int32_t x, int32_t y, EngineParam param,
                        const LoadedImage& image) {
    attach(position, std::make_unique<IKnobMultiControl>(&plugin, At(x, y, image), Param(param),
                                                         image.strip, kControlBlend,
                                                         IKnobDirection::Vertical, kKnobGearing));
  };
  const auto stepButton = [&](QuillwaveControl position, int32_t x, int32_t y, EngineParam param,
                              const LoadedImage& image) {
    return attach(position, std::make_unique<QuillwaveEditorStepButton>(&plugin, At(x, y, image),
                                                                        Param(param), image.strip,
                                                                        kControlBlend));
  };
  const auto fileSelector = [&](QuillwaveControl position, int32_t x, int32_t y, EngineParam param,
                                const LoadedImage& image, IFileAction action) {
    return attach(position, std::make_unique<QuillwaveEditorFileSelector>(
                                &plugin, At(x, y, image), Param(param), image.strip, action,
                                dialogFolder.c_str(), "", kPresetFileExtension, kControlBlend));
  };

  bitmap(QuillwaveControl::HeaderStrip, 0, 0, header);
  bitmap(QuillwaveControl::PanelShadow, 0, 55, shadow);
  bitmap(QuillwaveControl::FrontPanel, 25, 80, frontPanel);
  switchControl(QuillwaveControl::EffectOnOff, 237, 294, kMainFxOffOn, onOff);
  switchControl(QuillwaveControl::InputMode, 365, 119, kMainInputMode, inputMode);
  switchControl(QuillwaveControl::Mode, 230, 119, kQuillwaveMode, mode);
  knob(QuillwaveControl::InputGain, 365, 203, kMainInputGain, violetKnob);
  knob(QuillwaveControl::OutputBlend, 365, 287, kMainOutputBlend, violetKnob);
  knob(QuillwaveControl::OutputVolume, 365, 371, kMainOutputVolume, violetKnob);
  knob(QuillwaveControl::Bandwidth, 95, 119, kQuillwaveBandwidth, violetKnob);
  knob(QuillwaveControl::Centre, 95, 203, kQuillwaveCenter, violetKnob);
  knob(QuillwaveControl::Feedback, 95, 287, kQuillwaveFeedback, violetKnob);
  knob(QuillwaveControl::Rate, 95, 371, kQuillwaveRate, violetKnob);
  knob(QuillwaveControl::Saturation, 181, 297, kSaturationGain, smallKnob);
  knob(QuillwaveControl::Tone, 230, 203, kFilterTone, whiteKnob);
  attach(QuillwaveControl::PresetBacking,
         std::make_unique<IPanelControl>(&plugin, kPresetStrip, kPresetStripFill, kControlBlend));
  presetName = attach(QuillwaveControl::PresetName,
                      std::make_unique<ITextControl>(&plugin, kPresetNameArea, PresetNameStyle(),
                                                     kInitialPresetName));
  presetMenu = attach(QuillwaveControl::PresetMenu,
                      std::make_unique<IPopupMenu_PresetSelector>(&plugin, kPresetStrip));
  previousButton = stepButton(QuillwaveControl::PreviousPreset, 40, 40, kPresetBackward, backward);
  nextButton = stepButton(QuillwaveControl::NextPreset, 440, 40, kPresetForward, forward);
  bitmap(QuillwaveControl::LoadImage, 0, 40, load);
  bitmap(QuillwaveControl::SaveImage, 460, 40, save);
  loadSelector =
      fileSelector(QuillwaveControl::LoadSelector, 0, 40, kPresetLoad, load, IFileAction::Open);
  saveSelector =
      fileSelector(QuillwaveControl::SaveSelector, 460, 40, kPresetSave, save, IFileAction::Save);

  graphics = owned.get();
  plugin.AttachEditor(owned.release());
}

IControl* QuillwaveEditor::Control(QuillwaveControl position) const
{
  const auto index = static_cast<size_t>(position);
  return index < controls.size() ? controls[index] : nullptr;
}

void QuillwaveEditor::ApplyParameterFromPlugin(int index, double value, bool isNormalized)
{
  graphics->ApplyParameterFromPlugin(index, value, isNormalized);
}

void QuillwaveEditor::SetPresetName(const std::string& name)
{
  presetName->SetTextFromPlugin(name.c_str());
}

std::string QuillwaveEditor::LoadSelectorFile() const
{
  return loadSelector->RememberedFile();
}

void QuillwaveEditor::SetLoadSelectorFile(const std::string& path)
{
  loadSelector->Remember(path);
}

std::string QuillwaveEditor::SaveSelectorFile() const
{
  return saveSelector->RememberedFile();
}

bool QuillwaveEditor::DeliversUserAction(int index) const
{
  switch (index)
  {
    case kPresetLoad:
      return loadSelector->DeliversDialogResult();
    case kPresetSave:
      return saveSelector->DeliversDialogResult();
    case kPresetBackward:
      return previousButton->DeliversPress();
    case kPresetForward:
      return nextButton->DeliversPress();
    case kPresetSelector:
      return presetMenu->DeliversChoice();
    default:
      return false;
  }
}
