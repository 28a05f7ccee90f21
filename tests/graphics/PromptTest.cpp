#include "TestEditor.h"

#include "graphics/EntryText.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/IMenu.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// Types `typed` into every text entry (or cancels it when there is none)
// and picks `pick` in every menu, noting what each prompt showed.
class PromptAnswers : public IOffscreenAnswers
{
public:
  bool EnterText(const IControl&, const ITextStyle&, const IRectangle& rect,
                 const std::string& initialText, const IParameter* parameter,
                 std::string& committedText) override
  {
    entries.push_back(initialText);
    entryRect = rect;
    entryParameter = parameter;
    committedText = typed;
    return !typed.empty();
  }

  IMenu* ChooseFromMenu(IMenu& menu, const IRectangle& rect) override
  {
    menuRect = rect;
    for (int i = 0; i < menu.ItemCount(); ++i)
    {
      const IMenuItem* item = menu.Item(i);
      menuItems.push_back(item->text + (item->Has(IMenuItem::kChecked) ? "*" : ""));
    }
    if (pick < 0)
      return nullptr;
    menu.SetChosenItem(pick);
    return &menu;
  }

  std::string typed;
  int pick = -1;
  std::vector<std::string> entries;
  IRectangle entryRect;
  const IParameter* entryParameter = nullptr;
  IRectangle menuRect;
  std::vector<std::string> menuItems;
};

struct PromptEditor : TestEditor
{
  PromptEditor()
  {
    knob = Add<IKnobMultiControl>(IRectangle{100, 100, 140, 141}, 2, images.Strip(1, 40, 41, 2));
    knob->SetPromptDisabled(false);
  }

  void RightClick()
  {
    graphics->SetAnswers(&answers);
    graphics->OnMouseDown(120, 120, RightButton());
    graphics->OnMouseUp(120, 120, RightButton());
  }

  IKnobMultiControl* knob;
  PromptAnswers answers;
};

}  // namespace

TEST(ValuePrompt, TextEntryStartsWithTheValueAndCommitsANumber)
{
  PromptEditor editor;
  editor.plugin.GetParam(2)->SetPlainClamped(2.5);
  editor.Attach();
  editor.answers.typed = "7.25";
  editor.RightClick();
  EXPECT_EQ(editor.answers.entries, (std::vector<std::string>{"2.50000"}));
  // 40 × 16 centred on the knob: cx = (int)(240 * 0.5), cy = (int)(241 * 0.5).
  EXPECT_EQ(editor.answers.entryRect, (IRectangle{100, 112, 140, 128}));
  EXPECT_EQ(editor.answers.entryParameter, editor.plugin.GetParam(2));
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "set 2 0.725", "end 2"}));
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), 7.25);
  EXPECT_TRUE(editor.knob->RedrawPending());
}

TEST(ValuePrompt, CancelledEntryChangesNothing)
{
  PromptEditor editor;
  editor.Attach();
  editor.RightClick();
  ASSERT_EQ(editor.answers.entries.size(), 1u);
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "end 2"}));
}

TEST(ValuePrompt, EntryIsCutToTheControlsLengthAndNegatedForDisplay)
{
  PromptEditor editor;
  editor.plugin.GetParam(2)->InitDouble("Cut", -2.0, -10.0, 0.0, 0.5);
  editor.plugin.GetParam(2)->SetNegateDisplay(true);
  editor.Attach();
  // "3.75" cut to 3 characters is "3.7", shown negated: the value is -3.7.
  editor.knob->SetTextEntryLength(3);
  editor.answers.typed = "3.75";
  editor.RightClick();
  EXPECT_EQ(editor.answers.entries, (std::vector<std::string>{"2.0"}));
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), -3.7);
}

TEST(ValuePrompt, ListParameterOpensAMenuOfItsTexts)
{
  PromptEditor editor;
  IParameter& shape = *editor.plugin.GetParam(2);
  shape.InitEnum("Shape", 1, 4);
  shape.AddDisplayText(2, "Square");
  shape.AddDisplayText(0, "Sine");
  shape.AddDisplayText(1, "Triangle");
  editor.Attach();
  editor.answers.pick = 2;
  editor.RightClick();
  // Item k shows the text of value k, whatever order the texts were added in.
  EXPECT_EQ(editor.answers.menuItems, (std::vector<std::string>{"Sine", "Triangle*", "Square"}));
  // With display texts the prompt covers the control.
  EXPECT_EQ(editor.answers.menuRect, editor.knob->GetRect());
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "set 2 0.6667", "end 2"}));
  EXPECT_DOUBLE_EQ(shape.Value(), 2.0);
}

TEST(ValuePrompt, MenuWithoutAChoiceChangesNothing)
{
  PromptEditor editor;
  IParameter& shape = *editor.plugin.GetParam(2);
  shape.InitBool("Active", false);
  editor.Attach();
  editor.RightClick();
  EXPECT_EQ(editor.answers.menuItems, (std::vector<std::string>{"off*", "on"}));
  EXPECT_EQ(editor.plugin.calls, (Calls{"begin 2", "end 2"}));
}

TEST(ValuePrompt, CommittedListTextIsLookedUpAmongTheDisplayTexts)
{
  struct Graphics : IGraphicsOffscreen
  {
    using IGraphicsOffscreen::CommitEnteredText;
    using IGraphicsOffscreen::IGraphicsOffscreen;
  };
  TestEditor editor;
  IParameter& shape = *editor.plugin.GetParam(2);
  shape.InitEnum("Shape", 0, 3);
  shape.AddDisplayText(0, "Sine");
  shape.AddDisplayText(2, "Square");
  Graphics graphics(&editor.plugin, 500, 480, 25, nullptr);
  RecordingControl control(editor.log, "c", &editor.plugin, {0, 0, 10, 10}, 2);
  graphics.CommitEnteredText(control, &shape, "Square");
  EXPECT_DOUBLE_EQ(control.GetValue(), 1.0);
  graphics.CommitEnteredText(control, &shape, "Squar");
  EXPECT_DOUBLE_EQ(control.GetValue(), 0.0);
  // Outside a press, the change is an edit of its own.
  EXPECT_EQ(editor.plugin.calls,
            (Calls{"begin 2", "set 2 1", "end 2", "begin 2", "set 2 0", "end 2"}));
}

TEST(ValuePrompt, DisabledOrUnboundControlsNeverPrompt)
{
  PromptEditor editor;
  editor.knob->SetPromptDisabled(true);
  editor.Attach();
  editor.answers.typed = "1";
  editor.RightClick();
  EXPECT_TRUE(editor.answers.entries.empty());
}

TEST(EntryText, FormatsWithThePrecisionOrAsAWholeNumber)
{
  EXPECT_EQ(FormatEntryValue(2.5, 5), "2.50000");
  EXPECT_EQ(FormatEntryValue(-3.7, 0), "-3");
  EXPECT_EQ(FormatEntryValue(-0.2, 0), "0");
  EXPECT_EQ(FormatEntryValue(1e20, 0), "100000000000000000000");
}

TEST(EntryText, ReadsTheLeadingNumberOnly)
{
  EXPECT_DOUBLE_EQ(ParseEntryNumber("7.25"), 7.25);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("  -3.5dB"), -3.5);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("12e"), 12.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("1.5e2x"), 150.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber(nullptr), 0.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("-"), 0.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("nan"), 0.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("inf"), 0.0);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("0x10"), 0.0);
  EXPECT_EQ(ParseEntryNumber("1e999"), INFINITY);
  EXPECT_EQ(ParseEntryNumber("-1e999"), -INFINITY);
  EXPECT_DOUBLE_EQ(ParseEntryNumber("1e-999"), 0.0);
}

TEST(EntryText, HugeEntryIsLimitedToTheRange)
{
  PromptEditor editor;
  editor.Attach();
  editor.knob->SetTextEntryLength(5);
  editor.answers.typed = "9e999";
  editor.RightClick();
  EXPECT_DOUBLE_EQ(editor.plugin.GetParam(2)->Value(), 10.0);
}
