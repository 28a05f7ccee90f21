#include "graphics/linux/EntryLine.h"

#include <gtest/gtest.h>

namespace
{

TEST(EntryLine, StartsSelectedSoThatTypingReplacesTheValue)
{
  EntryLine line("0.50", 7);
  EXPECT_TRUE(line.AllSelected());
  EXPECT_EQ(line.Caret(), 4);
  line.Insert('1');
  EXPECT_EQ(line.Text(), "1");
  EXPECT_FALSE(line.AllSelected());
  line.Insert('.');
  line.Insert('5');
  EXPECT_EQ(line.Text(), "1.5");
}

TEST(EntryLine, EditingKeysMoveTheCaretAndDeleteAroundIt)
{
  EntryLine line("12345", 0);
  line.Left();  // the selection ends at its start
  EXPECT_EQ(line.Caret(), 0);
  line.Delete();
  EXPECT_EQ(line.Text(), "2345");
  line.End();
  line.Backspace();
  EXPECT_EQ(line.Text(), "234");
  line.Left();
  line.Insert('9');
  EXPECT_EQ(line.Text(), "2394");
  line.Home();
  line.Backspace();  // nothing before the caret
  line.Right();
  line.Insert('-');
  EXPECT_EQ(line.Text(), "2-394");
  line.End();
  line.Right();
  line.Delete();  // nothing after the caret
  EXPECT_EQ(line.Text(), "2-394");
  EXPECT_EQ(line.Caret(), 5);
}

TEST(EntryLine, KeepsToTheControlsLength)
{
  EntryLine line("123456789", 7);
  EXPECT_EQ(line.Text(), "1234567");
  line.End();
  line.Insert('8');
  EXPECT_EQ(line.Text(), "1234567");
  // Backspace on the opening selection clears it all.
  EntryLine cleared("0.25", 7);
  cleared.Backspace();
  EXPECT_EQ(cleared.Text(), "");
}

}  // namespace
