#include "graphics/linux/X11InputMapping.h"

#include <gtest/gtest.h>

namespace
{

TEST(X11InputMapping, KeysymsBecomeTheEditorsKeyCodesAndOthersGoToTheHost)
{
  EXPECT_EQ(KeyCodeForKeysym(0x20), 0);    // space
  EXPECT_EQ(KeyCodeForKeysym(0xff52), 1);  // Up
  EXPECT_EQ(KeyCodeForKeysym(0xff54), 2);  // Down
  EXPECT_EQ(KeyCodeForKeysym(0xff51), 3);  // Left
  EXPECT_EQ(KeyCodeForKeysym(0xff53), 4);  // Right
  EXPECT_EQ(KeyCodeForKeysym('0'), 5);
  EXPECT_EQ(KeyCodeForKeysym('9'), 14);
  EXPECT_EQ(KeyCodeForKeysym('a'), 15);
  EXPECT_EQ(KeyCodeForKeysym('Z'), 40);
  EXPECT_EQ(KeyCodeForKeysym(0xffc2), -1);  // F5
  EXPECT_EQ(KeyCodeForKeysym(0xff0d), -1);  // Return
}

TEST(X11InputMapping, KeysTypeTheCharacterOfTheirShiftState)
{
  EXPECT_EQ(CharacterForKey('1', '!', 0), '1');
  EXPECT_EQ(CharacterForKey('1', '!', kX11ShiftMask), '!');
  EXPECT_EQ(CharacterForKey('a', 0, kX11ShiftMask), 'A');
  EXPECT_EQ(CharacterForKey('=', '+', kX11ShiftMask), '+');
  EXPECT_EQ(CharacterForKey(0xffb7, 0xffb7, 0), '7');  // KP_7
  EXPECT_EQ(CharacterForKey(0xffae, 0xffae, 0), '.');  // KP_Decimal
  EXPECT_EQ(CharacterForKey(0xffad, 0xffad, 0), '-');  // KP_Subtract
  EXPECT_EQ(CharacterForKey(0xff0d, 0, 0), '\0');      // Return types nothing
  EXPECT_EQ(CharacterForKey(0xe9, 0xc9, 0), '\0');     // é is beyond ASCII
}

TEST(X11InputMapping, ButtonsCountAfterTheEventAsOnWindows)
{
  // A left press reports the left button although X's state precedes it.
  IMouseModifiers press = MouseModifiersFromState(kX11ShiftMask, kX11LeftButton, 0);
  EXPECT_TRUE(press.left);
  EXPECT_FALSE(press.right);
  EXPECT_TRUE(press.shift);
  // Its release no longer does, while the right button held stays.
  IMouseModifiers release = MouseModifiersFromState(
      kX11Button1Mask | kX11Button3Mask | kX11ControlMask | kX11Mod1Mask, 0, kX11LeftButton);
  EXPECT_FALSE(release.left);
  EXPECT_TRUE(release.right);
  EXPECT_TRUE(release.control);
  EXPECT_TRUE(release.alt);
  EXPECT_FALSE(release.shift);
}

TEST(X11InputMapping, WheelButtonsAreOneStepEach)
{
  EXPECT_EQ(WheelStepsForButton(kX11WheelUpButton), 1);
  EXPECT_EQ(WheelStepsForButton(kX11WheelDownButton), -1);
  EXPECT_EQ(WheelStepsForButton(kX11LeftButton), 0);
  EXPECT_EQ(WheelStepsForButton(6), 0);  // horizontal scrolling
}

TEST(X11InputMapping, DoubleClicksNeedTimeAndDistanceAndDoNotChain)
{
  DoubleClickDetector detector;
  EXPECT_FALSE(detector.Press(100, 100, 1000));
  EXPECT_TRUE(detector.Press(102, 97, 1000 + DoubleClickDetector::kTimeMs));
  // A third press starts afresh instead of making another double click.
  EXPECT_FALSE(detector.Press(102, 97, 1600));
  // Too slow, then too far.
  EXPECT_FALSE(detector.Press(102, 97, 1600 + DoubleClickDetector::kTimeMs + 1));
  EXPECT_FALSE(detector.Press(102 + DoubleClickDetector::kDistance + 1, 97, 2200));
  // The server's clock wraps around.
  EXPECT_FALSE(detector.Press(10, 10, 0xFFFFFF00u));
  EXPECT_TRUE(detector.Press(10, 10, 0x40));
  detector.Reset();
  EXPECT_FALSE(detector.Press(10, 10, 0x41));
}

}  // namespace
