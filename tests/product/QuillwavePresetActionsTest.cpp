#include "product/Quillwave.h"
#include "tests/product/PresetTestText.h"

#include "engine/EngineParameterTable.h"
#include "product/PresetCatalogue.h"
#include "product/PresetFile.h"
#include "product/QuillwaveEditorView.h"
#include "tests/product/TemporaryHome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace
{

using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

class MockEditorView : public QuillwaveEditorView
{
public:
  MOCK_METHOD(void, ApplyParameterFromPlugin, (int index, double value, bool isNormalized),
              (override));
  MOCK_METHOD(void, SetPresetName, (const std::string& name), (override));
  MOCK_METHOD(std::string, LoadSelectorFile, (), (const, override));
  MOCK_METHOD(void, SetLoadSelectorFile, (const std::string& path), (override));
  MOCK_METHOD(std::string, SaveSelectorFile, (), (const, override));
  MOCK_METHOD(bool, DeliversUserAction, (int index), (const, override));
};

std::string Element(const char* tag, const char* value)
{
  return std::string("<") + tag + ">" + value + "</" + tag + ">";
}

// Every file below a folder with its contents.
std::map<std::string, std::string> Snapshot(const std::string& folder)
{
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
  {
    files[entry.path().string()] =
        entry.is_regular_file() ? ReadWholeFile(entry.path().string()) : "<dir>";
  }
  return files;
}

// A plug-in whose documents root lies in a temporary home with an empty library.
class QuillwavePresets : public ::testing::Test
{
protected:
  QuillwavePresets()
  {
    home.MakeLibraryFolder("Factory");
    home.MakeLibraryFolder("User");
    plugin.OnReset();
  }

  std::string Library() const { return home.Path() + "/Documents/PleoAudio/Quillwave/Presets/"; }

  // Writes the preset file of a catalogue number and returns its path. The
  // plug-in reads its library again, as it does when its editor opens, so
  // host selections find the file.
  std::string WritePreset(int32_t number, const std::string& text)
  {
    const std::string path = Library() + PresetCatalogueFile(number);
    std::ofstream(path, std::ios::binary) << text;
    plugin.OnEditorOpen();
    return path;
  }

  void Change(int index, double value)
  {
    plugin.GetParam(index)->SetPlainClamped(value);
    plugin.OnParameterChanged(index);
  }

  void Press(int index)
  {
    Change(index, 1.0);
    Change(index, 0.0);
  }

  double Value(int index) const { return plugin.GetParam(index)->Value(); }
  double EngineValue(int index) const { return plugin.GetEngine().paramValues[index]; }

  TemporaryHome home;
  Quillwave plugin;
};

TEST_F(QuillwavePresets, SelectorLoadsTheCatalogueFileAndReturnsToZero)
{
  WritePreset(3, Element("QuillwaveRate", "0.25") + Element("QuillwaveMode", "1"));
  Change(kPresetSelector, 3);
  EXPECT_EQ(Value(kQuillwaveRate), 0.25);
  EXPECT_EQ(EngineValue(kQuillwaveRate), 0.25);
  EXPECT_EQ(Value(kQuillwaveMode), 1.0);
  EXPECT_EQ(Value(kFilterTone), 0.5);
  EXPECT_EQ(Value(kPresetSelector), 0.0);
  EXPECT_EQ(EngineValue(kPresetSelector), 0.0);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 3.0f);
}

TEST_F(QuillwavePresets, SelectorValuesRoundToTheNearestNumber)
{
  WritePreset(5, Element("QuillwaveRate", "0.125"));
  WritePreset(6, Element("QuillwaveRate", "0.375"));
  Change(kPresetSelector, 5.4);
  EXPECT_EQ(Value(kQuillwaveRate), 0.125);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 5.4f);
  Change(kPresetSelector, 5.5);
  EXPECT_EQ(Value(kQuillwaveRate), 0.375);
  Change(kPresetSelector, -0.6);
  EXPECT_EQ(Value(kQuillwaveRate), 0.375);
  EXPECT_EQ(plugin.GetLastPresetNumber(), -0.6f);
}

TEST_F(QuillwavePresets, StepButtonsCountFromTheLastNumberWithoutWrapping)
{
  WritePreset(1, Element("QuillwaveRate", "0.125"));
  WritePreset(13, Element("QuillwaveRate", "0.25"));
  WritePreset(15, Element("QuillwaveRate", "0.75"));
  Change(kPresetSelector, 13);
  Press(kPresetForward);  // 14: no file, nothing changes
  EXPECT_EQ(plugin.GetLastPresetNumber(), 14.0f);
  EXPECT_EQ(Value(kQuillwaveRate), 0.25);
  Press(kPresetForward);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 15.0f);
  EXPECT_EQ(Value(kQuillwaveRate), 0.75);
  EXPECT_EQ(Value(kPresetSelector), 0.0);

  Change(kPresetSelector, 1);
  Press(kPresetBackward);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 0.0f);
  Press(kPresetBackward);
  Press(kPresetBackward);
  EXPECT_EQ(plugin.GetLastPresetNumber(), -1.0f);
  Change(kQuillwaveRate, 0.5);
  Press(kPresetForward);
  Press(kPresetForward);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 1.0f);
  EXPECT_EQ(Value(kQuillwaveRate), 0.125);
}

TEST_F(QuillwavePresets, ReleasingAStepButtonDoesNotStep)
{
  Change(kPresetSelector, 40);
  Change(kPresetForward, 0.0);
  Change(kPresetBackward, 0.0);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 40.0f);
  // A press reported twice (the editor's, then the host's echo) steps once.
  Change(kPresetForward, 1.0);
  Change(kPresetForward, 1.0);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 41.0f);
}

TEST_F(QuillwavePresets, StepsStopAtTheSelectorRange)
{
  Change(kPresetSelector, 10000);
  Press(kPresetForward);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 10000.0f);
}

TEST_F(QuillwavePresets, OnlyTheLastLineOfAFileIsRead)
{
  WritePreset(2, Element("FilterTone", "0.125") + "\n" + Element("QuillwaveRate", "0.25"));
  WritePreset(4, Element("FilterTone", "0.125") + "\n");
  Change(kPresetSelector, 2);
  EXPECT_EQ(Value(kFilterTone), 0.5);
  EXPECT_EQ(Value(kQuillwaveRate), 0.25);
  Change(kPresetSelector, 4);
  EXPECT_EQ(Value(kFilterTone), 0.5);
}

TEST_F(QuillwavePresets, LoadedValuesAreLimitedToTheirRange)
{
  WritePreset(7, Element("FilterTone", "1.5") + Element("QuillwaveCenter", "1e-50") +
                     Element("QuillwaveFeedback", "1e300") + Element("QuillwaveBandwidth", "-2") +
                     Element("MainOutputBlend", "0.123456789"));
  Change(kPresetSelector, 7);
  EXPECT_EQ(Value(kFilterTone), 1.0);
  EXPECT_EQ(EngineValue(kFilterTone), 1.0);
  EXPECT_EQ(Value(kQuillwaveCenter), 0.0);
  EXPECT_EQ(Value(kQuillwaveFeedback), 1.0);
  EXPECT_EQ(EngineValue(kQuillwaveFeedback), 1.0);
  EXPECT_EQ(Value(kQuillwaveBandwidth), 0.0);
  EXPECT_EQ(Value(kMainOutputBlend), static_cast<double>(0.123456789f));
}

TEST_F(QuillwavePresets, UnusableValuesSkipOnlyTheirElement)
{
  WritePreset(8, Element("FilterTone", "bright") + Element("QuillwaveRate", "1e999") +
                     Element("QuillwaveMode", "nan") + Element("SaturationGain", "0.25"));
  Change(kPresetSelector, 8);
  EXPECT_EQ(Value(kFilterTone), 0.5);
  EXPECT_EQ(Value(kQuillwaveRate), 0.5);
  EXPECT_EQ(Value(kQuillwaveMode), 0.0);
  EXPECT_EQ(Value(kSaturationGain), 0.25);
}

TEST_F(QuillwavePresets, ParametersOutsideThePresetAreLeftAlone)
{
  Change(kMainInputGain, 0.75);
  Change(kMainInputMode, 2);
  WritePreset(1, ReadWholeFile(std::string(QUILLWAVE_FACTORY_PRESETS) +
                               "/WLCM - The Modder.quillwavepreset"));
  Change(kPresetSelector, 1);
  EXPECT_EQ(Value(kMainFxOffOn), 1.0);
  EXPECT_EQ(Value(kMainInputGain), 0.75);
  EXPECT_EQ(Value(kMainInputMode), 2.0);
  EXPECT_EQ(Value(kHostTempoBpm), 120.0);
}

TEST_F(QuillwavePresets, EditorFollowsALoadAndNamesThePreset)
{
  NiceMock<MockEditorView> view;
  plugin.AttachEditorView(&view);
  const std::string path = WritePreset(3, Element("FilterTone", "1.5"));
  EXPECT_CALL(view, SetLoadSelectorFile(path));
  EXPECT_CALL(view, ApplyParameterFromPlugin(kFilterTone, 1.5, true));
  EXPECT_CALL(view, SetPresetName("CHRS - Clean Chorus B"));
  Change(kPresetSelector, 3);
  plugin.AttachEditorView(nullptr);
}

TEST_F(QuillwavePresets, MissingFileKeepsTheNameAndStoresTheLibraryFolder)
{
  NiceMock<MockEditorView> view;
  plugin.AttachEditorView(&view);
  EXPECT_CALL(view, SetLoadSelectorFile(Library()));
  EXPECT_CALL(view, SetPresetName(_)).Times(0);
  EXPECT_CALL(view, ApplyParameterFromPlugin(_, _, _)).Times(0);
  Change(kPresetSelector, 0);
  EXPECT_CALL(view, SetLoadSelectorFile(Library() + PresetCatalogueFile(20)));
  Change(kPresetSelector, 20);
  plugin.AttachEditorView(nullptr);
}

TEST_F(QuillwavePresets, SaveThroughTheSaveSelectorWritesTheExactText)
{
  NiceMock<MockEditorView> view;
  plugin.AttachEditorView(&view);
  const std::string path = Library() + "User/" + std::string(39, 'x') + ".quillwavepreset";
  ON_CALL(view, DeliversUserAction(kPresetSave)).WillByDefault(Return(true));
  ON_CALL(view, SaveSelectorFile()).WillByDefault(Return(path));
  EXPECT_CALL(view, SetPresetName(std::string(35, 'x') + "..."));
  Change(kPresetSave, 1.0);
  EXPECT_EQ(ReadWholeFile(path), kDefaultPresetText);
  plugin.AttachEditorView(nullptr);
}

TEST_F(QuillwavePresets, LoadThroughTheLoadSelectorReadsItsFile)
{
  NiceMock<MockEditorView> view;
  plugin.AttachEditorView(&view);
  const std::string path = Library() + "User/mine.quillwavepreset";
  std::ofstream(path, std::ios::binary) << Element("QuillwaveCenter", "0.125");
  ON_CALL(view, DeliversUserAction(kPresetLoad)).WillByDefault(Return(true));
  ON_CALL(view, LoadSelectorFile()).WillByDefault(Return(path));
  EXPECT_CALL(view, SetPresetName("mine"));
  Change(kPresetLoad, 1.0);
  EXPECT_EQ(Value(kQuillwaveCenter), 0.125);
  // A cancelled dialog leaves an empty path: nothing loads, the name stays.
  ON_CALL(view, LoadSelectorFile()).WillByDefault(Return(std::string()));
  Change(kPresetLoad, 0.0);
  plugin.AttachEditorView(nullptr);
}

TEST_F(QuillwavePresets, SaveToAMissingFolderStillNamesIt)
{
  NiceMock<MockEditorView> view;
  plugin.AttachEditorView(&view);
  const std::string path = home.Path() + "/nowhere/Lost.quillwavepreset";
  ON_CALL(view, DeliversUserAction(kPresetSave)).WillByDefault(Return(true));
  ON_CALL(view, SaveSelectorFile()).WillByDefault(Return(path));
  EXPECT_CALL(view, SetPresetName("Lost"));
  Change(kPresetSave, 1.0);
  EXPECT_FALSE(std::filesystem::exists(path));
  plugin.AttachEditorView(nullptr);
}

TEST_F(QuillwavePresets, HostChangesOfLoadAndSaveTouchNoFile)
{
  const std::string saved = WritePreset(14, kDefaultPresetText);
  Change(kQuillwaveRate, 0.875);
  const auto before = Snapshot(home.Path());
  // Without an editor, and with one whose selectors are not reporting a dialog.
  for (int attempt = 0; attempt < 2; ++attempt)
  {
    NiceMock<MockEditorView> view;
    ON_CALL(view, SaveSelectorFile()).WillByDefault(Return(saved));
    ON_CALL(view, LoadSelectorFile()).WillByDefault(Return(saved));
    if (attempt == 1)
    {
      plugin.AttachEditorView(&view);
      EXPECT_CALL(view, SaveSelectorFile()).Times(0);
      EXPECT_CALL(view, LoadSelectorFile()).Times(0);
    }
    plugin.GetParam(kPresetSave)->SetNormalized(1.0);
    plugin.OnParameterChanged(kPresetSave);
    plugin.GetParam(kPresetLoad)->SetNormalized(1.0);
    plugin.OnParameterChanged(kPresetLoad);
    plugin.AttachEditorView(nullptr);
  }
  EXPECT_EQ(Snapshot(home.Path()), before);
  EXPECT_EQ(Value(kQuillwaveRate), 0.875);
}

TEST_F(QuillwavePresets, RestoringStateTouchesNoFile)
{
  const std::string saved = WritePreset(14, kDefaultPresetText);
  Change(kPresetLoad, 1.0);
  Change(kPresetSave, 1.0);
  Change(kQuillwaveRate, 0.875);
  IStateChunk chunk;
  ASSERT_TRUE(plugin.SerializeParams(chunk));
  const auto before = Snapshot(home.Path());

  NiceMock<MockEditorView> view;
  ON_CALL(view, SaveSelectorFile()).WillByDefault(Return(saved));
  ON_CALL(view, LoadSelectorFile()).WillByDefault(Return(saved));
  plugin.AttachEditorView(&view);
  EXPECT_EQ(plugin.UnserializeParams(chunk, 0), 176);
  plugin.AttachEditorView(nullptr);

  EXPECT_EQ(Snapshot(home.Path()), before);
  EXPECT_EQ(Value(kQuillwaveRate), 0.875);
  EXPECT_EQ(plugin.GetLastPresetNumber(), 0.0f);
}

}  // namespace

// Host selections come from the library as the plug-in last read it; the
// editor's own selections read the file as it is and bring the library up to
// date, as does a save into a catalogue file.
TEST_F(QuillwavePresets, HostSelectionsUseTheLibraryAsLastRead)
{
  WritePreset(3, Element("QuillwaveRate", "0.25"));
  const std::string path = Library() + PresetCatalogueFile(3);
  std::ofstream(path, std::ios::binary) << Element("QuillwaveRate", "0.75");
  Change(kPresetSelector, 3);
  EXPECT_EQ(Value(kQuillwaveRate), 0.25) << "the file changed after the library was read";

  NiceMock<MockEditorView> view;
  plugin.AttachEditorView(&view);
  ON_CALL(view, DeliversUserAction(kPresetSelector)).WillByDefault(Return(true));
  Change(kPresetSelector, 3);
  EXPECT_EQ(Value(kQuillwaveRate), 0.75) << "the editor's menu reads the file";

  ON_CALL(view, DeliversUserAction(kPresetSelector)).WillByDefault(Return(false));
  Change(kQuillwaveRate, 0.5);
  Change(kPresetSelector, 3);
  EXPECT_EQ(Value(kQuillwaveRate), 0.75) << "and the host now selects what it read";

  const std::string userSlot = Library() + PresetCatalogueFile(14);
  ON_CALL(view, DeliversUserAction(kPresetSave)).WillByDefault(Return(true));
  ON_CALL(view, SaveSelectorFile()).WillByDefault(Return(userSlot));
  Change(kQuillwaveRate, 0.125);
  Change(kPresetSave, 1.0);
  Change(kQuillwaveRate, 0.5);
  Change(kPresetSelector, 14);
  EXPECT_EQ(Value(kQuillwaveRate), 0.125) << "a save into a user slot is selectable at once";
  plugin.AttachEditorView(nullptr);
}
