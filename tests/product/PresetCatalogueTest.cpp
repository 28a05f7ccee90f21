#include "product/PresetCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

TEST(PresetCatalogue, FilesOfTheCatalogueEnds)
{
  EXPECT_EQ(PresetCatalogueFile(1), "Factory/WLCM - The Modder.quillwavepreset");
  EXPECT_EQ(PresetCatalogueFile(3), "Factory/CHRS - Clean Chorus B.quillwavepreset");
  EXPECT_EQ(PresetCatalogueFile(13), "Factory/FLNG - Saturation Flanger C.quillwavepreset");
  EXPECT_EQ(PresetCatalogueFile(14), "User/USR - Quillwave User Preset 001.quillwavepreset");
  EXPECT_EQ(PresetCatalogueFile(113), "User/USR - Quillwave User Preset 100.quillwavepreset");
}

TEST(PresetCatalogue, NumbersWithoutFile)
{
  for (int32_t number : {0, -1, 114, 10000})
  {
    EXPECT_EQ(PresetCatalogueFile(number), "") << number;
  }
  EXPECT_EQ(PresetCatalogueName(0), "< Presets Library >");
  EXPECT_EQ(PresetCatalogueName(114), "");
}

TEST(PresetCatalogue, MenuBasesAndItemPositionsGiveCatalogueNumbers)
{
  EXPECT_EQ(PresetMenuBase(PresetMenu::Main), 0);
  EXPECT_EQ(PresetMenuBase(PresetMenu::FactoryChorus), 2);
  EXPECT_EQ(PresetMenuBase(PresetMenu::FactoryFlanger), 8);
  EXPECT_EQ(PresetMenuBase(PresetMenu::UserBankA), 14);
  EXPECT_EQ(PresetMenuBase(PresetMenu::UserBankB), 39);
  EXPECT_EQ(PresetMenuBase(PresetMenu::UserBankC), 64);
  EXPECT_EQ(PresetMenuBase(PresetMenu::UserBankD), 89);

  const std::vector<std::string> bankA = PresetMenuItems(PresetMenu::UserBankA);
  ASSERT_EQ(bankA.size(), 25u);
  EXPECT_EQ(bankA[24], "USR - Quillwave User Preset 025");
  EXPECT_EQ(PresetCatalogueName(PresetMenuBase(PresetMenu::UserBankA) + 24), bankA[24]);
  const std::vector<std::string> bankB = PresetMenuItems(PresetMenu::UserBankB);
  EXPECT_EQ(bankB.front(), "USR - Quillwave User Preset 026");
  EXPECT_EQ(PresetMenuItems(PresetMenu::UserBankD).back(), "USR - Quillwave User Preset 100");

  const std::vector<std::string> chorus = PresetMenuItems(PresetMenu::FactoryChorus);
  ASSERT_EQ(chorus.size(), 6u);
  EXPECT_EQ(chorus[1], "CHRS - Clean Chorus B");
  EXPECT_EQ(PresetMenuItems(PresetMenu::FactoryFlanger).back(), "FLNG - Saturation Flanger C");
}

TEST(PresetCatalogue, MainMenuListsTitleWelcomeAndTheSubmenus)
{
  EXPECT_EQ(
      PresetMenuItems(PresetMenu::Main),
      (std::vector<std::string>{"< Presets Library >", "WLCM - The Modder", "Factory > Chorus",
                                "Factory > Flanger", "User > User Bank A", "User > User Bank B",
                                "User > User Bank C", "User > User Bank D"}));
  EXPECT_EQ(PresetMenuTitle(PresetMenu::UserBankC), "User > User Bank C");
}

}  // namespace
