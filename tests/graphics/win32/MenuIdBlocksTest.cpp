#include "graphics/win32/MenuIdBlocks.h"
#include "graphics/IMenu.h"

#include <gtest/gtest.h>

TEST(MenuIdBlocks, TwoItemsAndASubmenuOfThree)
{
  IMenu submenu;
  submenu.AddItem("one");
  submenu.AddItem("two");
  submenu.AddItem("three");
  IMenu menu;
  menu.AddItem("first");
  menu.AddItem("more", &submenu);

  const std::vector<MenuIdBlock> blocks = ReserveMenuIdBlocks(menu);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].menu, &menu);
  EXPECT_EQ(blocks[0].firstId, 0);
  EXPECT_EQ(blocks[0].count, 2);
  EXPECT_EQ(blocks[1].menu, &submenu);
  EXPECT_EQ(blocks[1].firstId, 2);
  EXPECT_EQ(blocks[1].count, 3);

  EXPECT_EQ(ChooseMenuItem(blocks, 3), &submenu);
  EXPECT_EQ(submenu.ChosenItem(), 1);
  EXPECT_EQ(menu.ChosenItem(), -1);
  EXPECT_EQ(ChooseMenuItem(blocks, 0), &menu);
  EXPECT_EQ(menu.ChosenItem(), 0);
  EXPECT_EQ(ChooseMenuItem(blocks, 4), &submenu);
  EXPECT_EQ(submenu.ChosenItem(), 2);
}

TEST(MenuIdBlocks, SubmenusReserveDepthFirstInItemOrder)
{
  IMenu inner;
  inner.AddItem("i1");
  inner.AddItem("i2");
  IMenu outer;
  outer.AddItem("o1");
  outer.AddItem("inner", &inner);
  IMenu last;
  last.AddItem("l1");
  IMenu skipped;
  skipped.AddItem("s1");
  IMenu menu;
  menu.AddItem("a");
  menu.AddItem("outer", &outer);
  // A separator never opens its submenu, so that menu gets no ids.
  menu.AddItem("", &skipped)->flags = IMenuItem::kSeparator;
  menu.AddItem("last", &last);

  const std::vector<MenuIdBlock> blocks = ReserveMenuIdBlocks(menu);
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0].menu, &menu);   // ids 0..3
  EXPECT_EQ(blocks[1].menu, &outer);  // ids 4..5
  EXPECT_EQ(blocks[1].firstId, 4);
  EXPECT_EQ(blocks[2].menu, &inner);  // ids 6..7
  EXPECT_EQ(blocks[2].firstId, 6);
  EXPECT_EQ(blocks[3].menu, &last);  // id 8
  EXPECT_EQ(blocks[3].firstId, 8);

  EXPECT_EQ(ChooseMenuItem(blocks, 7), &inner);
  EXPECT_EQ(inner.ChosenItem(), 1);
  EXPECT_EQ(ChooseMenuItem(blocks, 8), &last);
  EXPECT_EQ(last.ChosenItem(), 0);
  EXPECT_EQ(ChooseMenuItem(blocks, 9), nullptr);
  EXPECT_EQ(ChooseMenuItem(blocks, -1), nullptr);
  EXPECT_EQ(skipped.ChosenItem(), -1);
}

TEST(MenuIdBlocks, AnEmptyMenuHasAnEmptyBlock)
{
  IMenu menu;
  const std::vector<MenuIdBlock> blocks = ReserveMenuIdBlocks(menu);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].count, 0);
  EXPECT_EQ(ChooseMenuItem(blocks, 0), nullptr);
  EXPECT_EQ(menu.ChosenItem(), -1);
}
