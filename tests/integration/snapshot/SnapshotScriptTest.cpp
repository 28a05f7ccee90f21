// The snapshot tool's script lines, parsed without running anything.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/snapshot/SnapshotScript.h"

namespace
{

using Kind = SnapshotStep::Kind;

SnapshotStep One(const std::string& line)
{
  std::vector<SnapshotStep> steps;
  std::string error;
  EXPECT_TRUE(ParseSnapshotLine(line, "here", steps, error)) << line << ": " << error;
  EXPECT_EQ(steps.size(), 1u) << line;
  return steps.empty() ? SnapshotStep{} : steps.front();
}

std::string Refused(const std::string& line)
{
  std::vector<SnapshotStep> steps;
  std::string error;
  EXPECT_FALSE(ParseSnapshotLine(line, "here", steps, error)) << line;
  EXPECT_TRUE(steps.empty()) << line;
  return error;
}

TEST(SnapshotScript, PointerStepsTakeCoordinatesAndModifiers)
{
  const SnapshotStep press = One("press 250 -7");
  EXPECT_EQ(press.kind, Kind::Press);
  EXPECT_EQ(press.x, 250);
  EXPECT_EQ(press.y, -7);
  EXPECT_EQ(press.modifiers, OffscreenEditor::kLeft);
  EXPECT_EQ(press.origin, "here");

  const SnapshotStep drag = One("  drag 1 2 shift ctrl alt  ");
  EXPECT_EQ(drag.kind, Kind::Drag);
  EXPECT_EQ(drag.modifiers, OffscreenEditor::kLeft | OffscreenEditor::kShift |
                                OffscreenEditor::kControl | OffscreenEditor::kAlt);
  // The right button replaces the left one.
  EXPECT_EQ(One("click 3 4 right").modifiers, OffscreenEditor::kRight);
  EXPECT_EQ(One("release 3 4 control").modifiers,
            OffscreenEditor::kLeft | OffscreenEditor::kControl);
  EXPECT_EQ(One("doubleclick 3 4").kind, Kind::DoubleClick);

  // A wheel turn holds keys, not buttons.
  const SnapshotStep wheel = One("wheel 10 20 -3 shift");
  EXPECT_EQ(wheel.kind, Kind::Wheel);
  EXPECT_EQ(wheel.amount, -3);
  EXPECT_EQ(wheel.modifiers, OffscreenEditor::kShift);
}

TEST(SnapshotScript, KeysAreNamedAsTheEditorKnowsThem)
{
  EXPECT_EQ(One("key 1 2 space").amount, 0);
  EXPECT_EQ(One("key 1 2 right").amount, 4);
  EXPECT_EQ(One("key 1 2 0").amount, 5);
  EXPECT_EQ(One("key 1 2 9").amount, 14);
  EXPECT_EQ(One("key 1 2 a").amount, 15);
  EXPECT_EQ(One("key 1 2 Z").amount, 40);
  EXPECT_NE(Refused("key 1 2 F5").find("KEY one of"), std::string::npos);
}

TEST(SnapshotScript, AnswersKeepQuotedWordsWhole)
{
  const SnapshotStep menu = One(R"(menu "Factory > Chorus" "Say \"hi\" \\ there" plain)");
  EXPECT_EQ(menu.kind, Kind::Menu);
  EXPECT_EQ(menu.menu.path,
            (std::vector<std::string>{"Factory > Chorus", R"(Say "hi" \ there)", "plain"}));

  const SnapshotStep item = One(R"(menuitem "" 3)");
  EXPECT_TRUE(item.menu.path.empty());
  EXPECT_EQ(item.menu.title, "");
  EXPECT_EQ(item.menu.index, 3);

  const SnapshotStep file = One(R"(file "/my presets/A.quillwavepreset")");
  EXPECT_EQ(file.kind, Kind::File);
  EXPECT_EQ(file.answer, "/my presets/A.quillwavepreset");
  const SnapshotStep cancel = One("cancel");
  EXPECT_EQ(cancel.kind, Kind::File);
  EXPECT_EQ(cancel.answer, "");
  const SnapshotStep text = One(R"(text "")");
  EXPECT_EQ(text.kind, Kind::Text);
  EXPECT_EQ(text.answer, "");

  EXPECT_EQ(One("tick").amount, 1);
  EXPECT_EQ(One("tick 25").amount, 25);
}

TEST(SnapshotScript, MalformedLinesSayWhatIsWrongAndWhere)
{
  EXPECT_EQ(Refused("press 10"), "here: press needs the editor coordinates X Y as whole numbers");
  EXPECT_NE(Refused("press 1.5 2").find("whole numbers"), std::string::npos);
  EXPECT_NE(Refused("click 1 2 super").find("unknown modifier 'super'"), std::string::npos);
  EXPECT_NE(Refused("wheel 1 2").find("STEPS"), std::string::npos);
  EXPECT_NE(Refused("menu").find("item texts"), std::string::npos);
  EXPECT_NE(Refused("menuitem Bank -1").find("TITLE INDEX"), std::string::npos);
  EXPECT_NE(Refused("file").find("PATH"), std::string::npos);
  EXPECT_NE(Refused(R"(file "")").find("PATH"), std::string::npos);
  EXPECT_NE(Refused("cancel now").find("nothing more"), std::string::npos);
  EXPECT_NE(Refused("tick 0").find("COUNT"), std::string::npos);
  EXPECT_NE(Refused("tick 10001").find("COUNT"), std::string::npos);
  EXPECT_NE(Refused(R"(text "open)").find("not closed"), std::string::npos);
  EXPECT_NE(Refused("fly 1 2").find("unknown step 'fly'"), std::string::npos);
}

TEST(SnapshotScript, AScriptSkipsCommentsAndBlankLinesAndNumbersTheRest)
{
  std::vector<SnapshotStep> steps;
  std::string error;
  ASSERT_TRUE(ParseSnapshotScript("# setup\r\n\r\n  \tclick 1 2\r\n  # \"unclosed\ntick 2\n",
                                  "s.txt", steps, error))
      << error;
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].origin, "s.txt:3");
  EXPECT_EQ(steps[1].origin, "s.txt:5");
  EXPECT_EQ(steps[1].amount, 2);

  EXPECT_FALSE(ParseSnapshotScript("tick\nclick 1\n", "t.txt", steps, error));
  EXPECT_EQ(error.rfind("t.txt:2: ", 0), 0u) << error;
}

}  // namespace
