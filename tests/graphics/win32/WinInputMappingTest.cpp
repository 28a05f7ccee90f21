#include "graphics/win32/WinInputMapping.h"
#include "framework/IParameter.h"
#include "graphics/win32/IEffectWindowClass.h"

#include <gtest/gtest.h>

TEST(WinInputMapping, VirtualKeysBecomeEditorKeyCodes)
{
  EXPECT_EQ(KeyCodeForVirtualKey(VK_SPACE), 0);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_UP), 1);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_DOWN), 2);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_LEFT), 3);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_RIGHT), 4);
  EXPECT_EQ(KeyCodeForVirtualKey('0'), 5);
  EXPECT_EQ(KeyCodeForVirtualKey('9'), 14);
  EXPECT_EQ(KeyCodeForVirtualKey('A'), 15);
  EXPECT_EQ(KeyCodeForVirtualKey('Z'), 40);
  // Keys the editor has no code for go to the host.
  EXPECT_EQ(KeyCodeForVirtualKey(VK_F5), -1);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_RETURN), -1);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_NUMPAD1), -1);
  EXPECT_EQ(KeyCodeForVirtualKey('a'), -1);
  EXPECT_EQ(KeyCodeForVirtualKey('@'), -1);
  EXPECT_EQ(KeyCodeForVirtualKey('['), -1);
}

TEST(WinInputMapping, WheelStepsAreWholeNotchesTowardZero)
{
  EXPECT_EQ(WheelSteps(120), 1);
  EXPECT_EQ(WheelSteps(-120), -1);
  EXPECT_EQ(WheelSteps(60), 0);
  EXPECT_EQ(WheelSteps(-60), 0);
  EXPECT_EQ(WheelSteps(239), 1);
  EXPECT_EQ(WheelSteps(-360), -3);
}

TEST(WinInputMapping, ModifiersComeFromTheKeyStateWord)
{
  const IMouseModifiers none = MouseModifiersFromKeyState(0, false);
  EXPECT_FALSE(none.left || none.right || none.shift || none.control || none.alt);
  const IMouseModifiers all =
      MouseModifiersFromKeyState(MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL, true);
  EXPECT_TRUE(all.left && all.right && all.shift && all.control && all.alt);
  const IMouseModifiers middle = MouseModifiersFromKeyState(MK_MBUTTON | MK_SHIFT, false);
  EXPECT_FALSE(middle.left || middle.right || middle.control || middle.alt);
  EXPECT_TRUE(middle.shift);
}

TEST(WinInputMapping, EntryCharactersDependOnTheParameterKind)
{
  IParameter level;
  level.InitDouble("Level", 0.0, -10.0, 10.0, 0.01);
  IParameter steps;
  steps.InitInt("Steps", 0, 0, 10);
  IParameter toggle;
  toggle.InitBool("Toggle", false);

  for (const char c : std::string("0123456789+-"))
  {
    EXPECT_TRUE(EntryAcceptsCharacter(&level, c)) << c;
    EXPECT_TRUE(EntryAcceptsCharacter(&steps, c)) << c;
    EXPECT_TRUE(EntryAcceptsCharacter(&toggle, c)) << c;
  }
  EXPECT_TRUE(EntryAcceptsCharacter(&level, '.'));
  EXPECT_FALSE(EntryAcceptsCharacter(&steps, '.'));
  EXPECT_FALSE(EntryAcceptsCharacter(&toggle, '.'));
  for (const char c : std::string("aZ e,\r\x1b"))
  {
    EXPECT_FALSE(EntryAcceptsCharacter(&level, c)) << static_cast<int>(c);
    EXPECT_FALSE(EntryAcceptsCharacter(&steps, c)) << static_cast<int>(c);
  }
  EXPECT_TRUE(EntryAcceptsCharacter(&level, VK_BACK));
  EXPECT_TRUE(EntryAcceptsCharacter(&toggle, VK_BACK));

  // Free text takes everything but the characters Enter and Escape type.
  EXPECT_TRUE(EntryAcceptsCharacter(nullptr, 'a'));
  EXPECT_TRUE(EntryAcceptsCharacter(nullptr, ' '));
  EXPECT_TRUE(EntryAcceptsCharacter(nullptr, VK_BACK));
  EXPECT_TRUE(EntryAcceptsCharacter(nullptr, 0xE9));
  EXPECT_FALSE(EntryAcceptsCharacter(nullptr, '\r'));
  EXPECT_FALSE(EntryAcceptsCharacter(nullptr, '\n'));
  EXPECT_FALSE(EntryAcceptsCharacter(nullptr, VK_ESCAPE));
}

TEST(WinInputMapping, RedrawTimerPeriodFollowsTheFrameRate)
{
  EXPECT_EQ(RedrawTimerPeriodMs(25), 40u);
  EXPECT_EQ(RedrawTimerPeriodMs(30), 33u);
  EXPECT_EQ(RedrawTimerPeriodMs(1), 1000u);
  // Rates without a meaningful period are limited instead of dividing by 0.
  EXPECT_EQ(RedrawTimerPeriodMs(0), 1000u);
  EXPECT_EQ(RedrawTimerPeriodMs(-5), 1000u);
  EXPECT_EQ(RedrawTimerPeriodMs(5000), 1u);
}
