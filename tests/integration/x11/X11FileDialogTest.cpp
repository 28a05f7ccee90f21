// Load and Save of both Linux modules in an X11 window: the desktop's file dialog runs as a
// child process while the host's loop keeps running. A stand-in zenity on PATH answers with
// a chosen path and notes its arguments.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/integration/x11/X11EditorFixture.h"

namespace x11test
{
namespace
{

namespace fs = std::filesystem;

constexpr int kLoadX = 10;
constexpr int kSaveX = 480;
constexpr int kButtonY = 50;

class X11FileDialogs : public X11Editor
{
protected:
  void SetUp() override
  {
    X11Editor::SetUp();
    savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    bin = folder / "bin";
    fs::create_directories(bin);
    // Open until the test lets the user answer (at most 5 s); an empty answer is a cancel.
    std::ofstream script(bin / "zenity");
    script << "#!/bin/sh\n"
           << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" << Inside("arguments")
           << "'\ni=0\nwhile [ ! -e '" << Inside("go") << "' ] && [ $i -lt 50 ]; do sleep 0.1; "
           << "i=$((i+1)); done\n"
           << ": > '" << Inside("answered") << "'\n"
           << "[ -s '" << Inside("answer") << "' ] || exit 1\n"
           << "cat '" << Inside("answer") << "'\n";
    script.close();
    fs::permissions(bin / "zenity", fs::perms::owner_all);
    setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
  }
  void TearDown() override
  {
    setenv("PATH", savedPath.c_str(), 1);
    X11Editor::TearDown();
  }

  // A file of the test folder, for the script (whose folder has no quotes).
  std::string Inside(const char* name) const { return (folder / name).string(); }

  void Answer(const std::string& path)
  {
    std::ofstream(folder / "answer") << (path.empty() ? "" : path + "\n");
    for (const char* name : {"arguments", "go", "answered"})
      fs::remove(folder / name);
  }
  std::string Arguments() const
  {
    std::ifstream in(folder / "arguments");
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  // Clicks a file button, runs the host's loop while the dialog is open (it must not wait
  // for the dialog), then lets the user answer and runs the loop until the answer arrived.
  void ClickAndWait(X11HostWindow& window, int x)
  {
    window.Click(x, kButtonY);
    plugin->RunX11Editor(300);
    EXPECT_TRUE(fs::exists(folder / "arguments")) << "no dialog opened";
    EXPECT_FALSE(fs::exists(folder / "answered")) << "the host's loop waited for the dialog";
    std::ofstream(folder / "go").close();
    for (int step = 0; step < 50 && !fs::exists(folder / "answered"); ++step)
      plugin->RunX11Editor(100);
    plugin->RunX11Editor(200);
  }

  std::string savedPath;
  fs::path bin;
};

TEST_P(X11FileDialogs, LoadAndSaveTakeThePathTheDialogAnswersWithSpacesQuotesAndUnicode)
{
  X11HostWindow window(500, 480);
  ASSERT_TRUE(Open(*plugin, window));
  Shown(window);

  const fs::path odd = folder / "Pr\xC3\xA9sets 'mine' \"x\"";
  fs::create_directories(odd);
  const fs::path flanger = odd / "Fl\xC3\xA4"
                                 "che B.quillwavepreset";
  fs::copy_file(library / "Factory" / "FLNG - Saturation Flanger B.quillwavepreset", flanger);
  Answer(flanger.string());
  ClickAndWait(window, kLoadX);
  ExpectPresetValues("FLNG - Saturation Flanger B");
  EXPECT_NE(Arguments().find("--file-selection"), std::string::npos) << Arguments();
  EXPECT_EQ(Arguments().find("--save"), std::string::npos) << Arguments();

  // Saved without an extension: the dialog's default extension is added.
  Answer((odd / "Mine \xE2\x80\x93 'one'").string());
  ClickAndWait(window, kSaveX);
  const fs::path saved = odd / "Mine \xE2\x80\x93 'one'.quillwavepreset";
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_NE(Arguments().find("--save"), std::string::npos) << Arguments();

  // A cancelled dialog loads nothing; it started at the file the Load button took last.
  Answer("");
  ClickAndWait(window, kLoadX);
  ExpectPresetValues("FLNG - Saturation Flanger B");
  EXPECT_NE(Arguments().find("--filename=" + flanger.string()), std::string::npos) << Arguments();
}

TEST_P(X11FileDialogs, WithoutADialogProgramAMessageBoxSaysSoAndNothingLoads)
{
  setenv("PATH", (folder / "nothing").c_str(), 1);
  X11HostWindow window(500, 480);
  ASSERT_TRUE(Open(*plugin, window));
  Shown(window);
  const double rate = Value("QuillwaveRate");
  EXPECT_TRUE(WithPopup(window, kLoadX, kButtonY, [&] { window.Key("Return"); }));
  EXPECT_EQ(Value("QuillwaveRate"), rate);
  const std::vector<uint32_t> shown = Shown(window);
  EXPECT_TRUE(shown == Offscreen()) << "the message box left its drawing behind";
}

INSTANTIATE_TEST_SUITE_P(BothModules, X11FileDialogs,
                         ::testing::Values(QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE),
                         ModuleName);

}  // namespace
}  // namespace x11test
