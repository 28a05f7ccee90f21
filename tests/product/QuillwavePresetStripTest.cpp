#include "framework/IStateChunk.h"
#include "product/IPopupMenu_PresetSelector.h"
#include "tests/product/PresetTestText.h"
#include "tests/product/QuillwaveEditorFixture.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace
{

using ::testing::_;
using ::testing::DoAll;
using ::testing::Eq;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::SetArgReferee;

constexpr IRectangle kStrip{60, 40, 440, 65};

// What a file preset value becomes once read: the nearest float.
double AsRead(double value)
{
  return static_cast<double>(static_cast<float>(value));
}

class QuillwavePresetStrip : public QuillwaveEditorTest
{
protected:
  // The next menu answers with item `item` of the main menu's entry `entry`
  // (a submenu), or of the main menu itself when `entry` is negative.
  void ChooseNext(int entry, int item)
  {
    EXPECT_CALL(answers, ChooseFromMenu(_, _)).WillOnce(Invoke([=](IMenu& menu, const IRectangle&) {
      IMenu* chosen = entry < 0 ? &menu : menu.Item(entry)->submenu;
      chosen->SetChosenItem(item);
      return chosen;
    }));
  }

  // The next dialog answers with `path`.
  void AnswerDialog(const std::string& path)
  {
    EXPECT_CALL(answers, ChooseFile(_, _, _, _, _))
        .WillOnce(DoAll(SetArgReferee<4>(path), Return(true)));
  }

  std::vector<uint32_t> StripPixels() const
  {
    std::vector<uint32_t> pixels;
    for (int y = kStrip.top; y < kStrip.bottom; ++y)
      for (int x = kStrip.left; x < kStrip.right; ++x)
        pixels.push_back(PixelAt(Screen(), x, y));
    return pixels;
  }

  std::string Preset(const std::string& relative) const { return Library() + "/" + relative; }
};

TEST_F(QuillwavePresetStrip, ClicksAlongTheStripReachTheirControls)
{
  ::testing::InSequence order;
  EXPECT_CALL(answers, ChooseFromMenu(_, Eq(kStrip))).Times(2);
  EXPECT_CALL(answers, ChooseFile(_, IFileAction::Open, Library(), "quillwavepreset", _));
  EXPECT_CALL(answers, ChooseFile(_, IFileAction::Save, Library(), "quillwavepreset", _));
  Click(60, 50);
  Click(439, 50);
  Click(10, 50);
  Click(480, 50);

  Click(45, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), -1.0f);
  Click(59, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), -1.0f);  // no step below -1
  Click(450, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 0.0f);
  Click(440, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 1.0f);
  // Each step button is back at 0 once released.
  EXPECT_EQ(Value(kPresetBackward), 0.0);
  EXPECT_EQ(Value(kPresetForward), 0.0);
}

TEST_F(QuillwavePresetStrip, StepForwardLoadsTheWelcomePreset)
{
  const std::vector<uint32_t> before = StripPixels();
  Click(450, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 1.0f);
  EXPECT_EQ(PresetName(), "WLCM - The Modder");
  EXPECT_EQ(Value(kQuillwaveRate), AsRead(0.22));
  EXPECT_EQ(Control(QuillwaveControl::Rate).GetValue(), AsRead(0.22));
  EXPECT_EQ(Control(QuillwaveControl::EffectOnOff).GetValue(), 1.0);
  EXPECT_EQ(Value(kPresetSelector), 0.0);
  ASSERT_TRUE(graphics->Tick());
  EXPECT_NE(StripPixels(), before);
  // One step back selects 0, which has no file: nothing changes.
  Click(45, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 0.0f);
  EXPECT_EQ(PresetName(), "WLCM - The Modder");
}

TEST_F(QuillwavePresetStrip, MenuListsTheCatalogue)
{
  EXPECT_CALL(answers, ChooseFromMenu(_, _)).WillOnce(Invoke([](IMenu& menu, const IRectangle&) {
    EXPECT_EQ(menu.Prefix(), IMenuPrefix::None);
    const std::vector<std::string> titles = {
        "< Presets Library >", "WLCM - The Modder",  "Factory > Chorus",   "Factory > Flanger",
        "User > User Bank A",  "User > User Bank B", "User > User Bank C", "User > User Bank D"};
    const std::vector<std::pair<std::string, std::string>> ends = {
        {"CHRS - Clean Chorus A", "CHRS - Saturation Chorus C"},
        {"FLNG - Clean Flanger A", "FLNG - Saturation Flanger C"},
        {"USR - Quillwave User Preset 001", "USR - Quillwave User Preset 025"},
        {"USR - Quillwave User Preset 026", "USR - Quillwave User Preset 050"},
        {"USR - Quillwave User Preset 051", "USR - Quillwave User Preset 075"},
        {"USR - Quillwave User Preset 076", "USR - Quillwave User Preset 100"}};
    EXPECT_EQ(menu.ItemCount(), 8);
    for (int i = 0; i < menu.ItemCount(); ++i)
    {
      const IMenuItem& item = *menu.Item(i);
      EXPECT_EQ(item.text, titles[static_cast<size_t>(i)]);
      EXPECT_EQ(item.flags, 0);
      EXPECT_EQ(item.submenu == nullptr, i < 2);
      if (item.submenu == nullptr)
        continue;
      const IMenu& submenu = *item.submenu;
      const auto& [first, last] = ends[static_cast<size_t>(i - 2)];
      EXPECT_EQ(submenu.ItemCount(), i < 4 ? 6 : 25);
      EXPECT_EQ(submenu.Item(0)->text, first);
      EXPECT_EQ(submenu.Item(submenu.ItemCount() - 1)->text, last);
      for (int k = 0; k < submenu.ItemCount(); ++k)
      {
        EXPECT_EQ(submenu.Item(k)->flags, 0);
        EXPECT_EQ(submenu.Item(k)->submenu, nullptr);
      }
    }
    return nullptr;
  }));
  Click(250, 50);
}

TEST_F(QuillwavePresetStrip, EveryMenuSelectsFromItsBase)
{
  const struct
  {
    int entry;
    int item;
    float number;
  } choices[] = {{-1, 0, 0}, {-1, 1, 1},  {2, 0, 2},   {2, 5, 7},   {3, 0, 8},
                 {3, 5, 13}, {4, 0, 14},  {4, 24, 38}, {5, 0, 39},  {5, 24, 63},
                 {6, 0, 64}, {6, 24, 88}, {7, 0, 89},  {7, 24, 113}};
  for (const auto& choice : choices)
  {
    ChooseNext(choice.entry, choice.item);
    Click(250, 50);
    EXPECT_EQ(plugin->GetLastPresetNumber(), choice.number) << choice.entry << " " << choice.item;
    EXPECT_EQ(Value(kPresetSelector), 0.0);
  }
}

TEST_F(QuillwavePresetStrip, ChoosingAFactoryPresetMovesTheControlsAndNamesIt)
{
  const std::vector<uint32_t> before = StripPixels();
  ChooseNext(2, 1);  // Factory > Chorus, "CHRS - Clean Chorus B"
  Click(250, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 3.0f);
  EXPECT_EQ(Value(kPresetSelector), 0.0);
  EXPECT_EQ(PresetName(), "CHRS - Clean Chorus B");
  EXPECT_EQ(Value(kQuillwaveCenter), AsRead(0.6));
  EXPECT_EQ(Control(QuillwaveControl::Centre).GetValue(), AsRead(0.6));
  EXPECT_EQ(Control(QuillwaveControl::OutputBlend).GetValue(), AsRead(0.65));
  EXPECT_EQ(Control(QuillwaveControl::Feedback).GetValue(), 0.25);
  EXPECT_EQ(Control(QuillwaveControl::EffectOnOff).GetValue(), 1.0);
  // Parameters a preset does not hold keep their values.
  EXPECT_EQ(Control(QuillwaveControl::InputGain).GetValue(), 0.5);
  ASSERT_TRUE(graphics->Tick());
  EXPECT_NE(StripPixels(), before);

  // The next step counts from there.
  Click(450, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 4.0f);
  EXPECT_EQ(PresetName(), "CHRS - Clean Chorus C");
}

TEST_F(QuillwavePresetStrip, ChoosingTheTitleLoadsNothingAndRemembersTheLibrary)
{
  Click(450, 50);  // the welcome preset, so there is something to keep
  ChooseNext(-1, 0);
  Click(250, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 0.0f);
  EXPECT_EQ(PresetName(), "WLCM - The Modder");
  // The load dialog proposes the remembered path.
  EXPECT_CALL(answers, ChooseFile(Library() + "/", IFileAction::Open, _, _, _))
      .WillOnce(Return(false));
  Click(10, 50);
}

TEST_F(QuillwavePresetStrip, ClosingTheMenuWithoutAChoiceChangesNothing)
{
  EXPECT_CALL(answers, ChooseFromMenu(_, _)).WillOnce(Return(nullptr));
  Click(250, 50);
  EXPECT_EQ(plugin->GetLastPresetNumber(), 0.0f);
  EXPECT_EQ(PresetName(), "< Presets Library >");
}

TEST_F(QuillwavePresetStrip, LoadDialogLoadsTheChosenFile)
{
  const std::string path = home.Path() + "/Elsewhere.quillwavepreset";
  std::ofstream(path, std::ios::binary)
      << "<QuillwaveRate>0.375</QuillwaveRate><MainFxOffOn>1</MainFxOffOn>";
  AnswerDialog(path);
  Click(10, 50);
  EXPECT_EQ(Value(kQuillwaveRate), 0.375);
  EXPECT_EQ(Control(QuillwaveControl::Rate).GetValue(), 0.375);
  EXPECT_EQ(Value(kMainFxOffOn), 1.0);
  EXPECT_EQ(PresetName(), "Elsewhere");

  // A cancelled dialog still reports, and loads nothing.
  const double loadValue = Value(kPresetLoad);
  Control(QuillwaveControl::Rate).SetValue(0.0);
  EXPECT_CALL(answers, ChooseFile(path, IFileAction::Open, home.Path() + "/", _, _))
      .WillOnce(Return(false));
  Click(10, 50);
  EXPECT_NE(Value(kPresetLoad), loadValue);
  EXPECT_EQ(Control(QuillwaveControl::Rate).GetValue(), 0.0);
  EXPECT_EQ(PresetName(), "Elsewhere");
}

TEST_F(QuillwavePresetStrip, SaveDialogWritesTheCurrentValues)
{
  const std::string path = Preset("User/Mine.quillwavepreset");
  AnswerDialog(path);
  Click(480, 50);
  EXPECT_EQ(ReadWholeFile(path), kDefaultPresetText);
  EXPECT_EQ(PresetName(), "Mine");

  // A change made in the editor is what the next save writes.
  Click(250, 139);  // mode: flanger
  EXPECT_CALL(answers, ChooseFile(path, IFileAction::Save, Library() + "/User/", _, _))
      .WillOnce(DoAll(SetArgReferee<4>(path), Return(true)));
  Click(480, 50);
  std::string expected = kDefaultPresetText;
  expected.replace(expected.find("<QuillwaveMode>0"), 16, "<QuillwaveMode>1");
  EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST_F(QuillwavePresetStrip, OnlyTheSelectorsOwnDialogsTouchFiles)
{
  const std::string saved = Preset("User/Saved.quillwavepreset");
  AnswerDialog(saved);
  Click(480, 50);
  ASSERT_TRUE(std::filesystem::remove(saved));
  const std::string loaded = home.Path() + "/Loaded.quillwavepreset";
  std::ofstream(loaded, std::ios::binary) << "<QuillwaveRate>0.375</QuillwaveRate>";
  AnswerDialog(loaded);
  Click(10, 50);
  ASSERT_EQ(Value(kQuillwaveRate), 0.375);
  plugin->GetParam(kQuillwaveRate)->SetPlainClamped(0.875);

  // No redraw has run since the dialogs. Host changes, a double click on the
  // buttons and a state load all leave both files alone.
  for (EngineParam index : {kPresetSave, kPresetLoad})
  {
    plugin->GetParam(index)->SetNormalized(1.0 - Value(index));
    plugin->OnParameterChanged(index);
  }
  IMouseModifiers left;
  left.left = true;
  graphics->OnMouseDoubleClick(480, 50, left);
  graphics->OnMouseDoubleClick(10, 50, left);
  IStateChunk chunk;
  ASSERT_TRUE(plugin->SerializeParams(chunk));
  EXPECT_GT(plugin->UnserializeParams(chunk, 0), 0);

  EXPECT_FALSE(std::filesystem::exists(saved));
  EXPECT_EQ(Value(kQuillwaveRate), 0.875);
  EXPECT_EQ(PresetName(), "Loaded");
}

}  // namespace
