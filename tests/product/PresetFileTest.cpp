#include "product/PresetFile.h"
#include "tests/product/PresetTestText.h"

#include "tests/product/TemporaryHome.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <locale>
#include <string>

namespace
{

const PresetValues kDefaults = {0.5, 0.0, 1.0, 0.5, 0.5, 0.5, 0.0, 0.5, 0.0};

// A locale that writes and reads numbers with a decimal comma, as a host's
// global locale might.
struct CommaDecimal : std::numpunct<char>
{
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class GlobalLocale
{
public:
  explicit GlobalLocale(const std::locale& locale) : previous(std::locale::global(locale)) {}
  ~GlobalLocale() { std::locale::global(previous); }

private:
  std::locale previous;
};

TEST(PresetFileFormat, DefaultValuesGiveTheExactText)
{
  EXPECT_EQ(FormatPresetText(kDefaults), kDefaultPresetText);
}

TEST(PresetFileFormat, ValuesUseSixSignificantDigits)
{
  PresetValues values = kDefaults;
  values[0] = 0.123456789;
  values[2] = 0.00001;
  values[3] = 1234567.0;
  const std::string text = FormatPresetText(values);
  EXPECT_NE(text.find("<FilterTone>0.123457</FilterTone>"), std::string::npos);
  EXPECT_NE(text.find("<MainOutputBlend>1e-05</MainOutputBlend>"), std::string::npos);
  EXPECT_NE(text.find("<QuillwaveBandwidth>1.23457e+06</QuillwaveBandwidth>"), std::string::npos);
}

TEST(PresetFileFormat, HostLocaleChangesNeitherWritingNorReading)
{
  const GlobalLocale comma(std::locale(std::locale::classic(), new CommaDecimal));
  PresetValues values = kDefaults;
  values[7] = 1234.25;
  const std::string text = FormatPresetText(values);
  EXPECT_NE(text.find("<FilterTone>0.5</FilterTone>"), std::string::npos);
  EXPECT_NE(text.find("<QuillwaveRate>1234.25</QuillwaveRate>"), std::string::npos);
  EXPECT_EQ(ReadPresetNumber("0.25"), 0.25);
}

TEST(PresetFileParse, MissingTagsSkipTheirElementOnly)
{
  const PresetReadValues read = ParsePresetLine("<QuillwaveRate>0.25</QuillwaveRate>");
  for (size_t i = 0; i < read.size(); ++i)
  {
    if (kPresetElements[i].paramIndex == 14)
    {
      EXPECT_EQ(read[i], 0.25);
    }
    else
    {
      EXPECT_FALSE(read[i].has_value()) << kPresetElements[i].tag;
    }
  }
  const PresetReadValues open = ParsePresetLine("<FilterTone>0.3");
  EXPECT_FALSE(open[0].has_value());
  const PresetReadValues close = ParsePresetLine("0.3</FilterTone>");
  EXPECT_FALSE(close[0].has_value());
}

TEST(PresetFileParse, ElementsInAnyOrderBetweenOtherText)
{
  const PresetReadValues read =
      ParsePresetLine("junk<SaturationGain> 0.75xyz</SaturationGain><Company>Other</Company>"
                      "<FilterTone>0.2</FilterTone><FilterTone>0.9</FilterTone>");
  EXPECT_EQ(read[0], static_cast<double>(0.2f));
  EXPECT_EQ(read[8], 0.75);
}

TEST(PresetFileParse, ClosingTagBeforeOpeningTagReadsToTheEndOfTheLine)
{
  const PresetReadValues read = ParsePresetLine("</QuillwaveCenter>xx<QuillwaveCenter>0.625 tail");
  const PresetReadValues ends = ParsePresetLine("</QuillwaveCenter><QuillwaveCenter>");
  EXPECT_EQ(read[4], 0.625);
  EXPECT_FALSE(ends[4].has_value());
}

TEST(PresetFileParse, NumbersAtTheStartOfTheContent)
{
  EXPECT_EQ(ReadPresetNumber(" \t0.5"), 0.5);
  EXPECT_EQ(ReadPresetNumber("1.5"), 1.5);
  // Read back through single precision: not the double nearest to 0.123457.
  EXPECT_EQ(ReadPresetNumber("0.123457"), static_cast<double>(0.123457f));
  EXPECT_NE(ReadPresetNumber("0.123457"), 0.123457);
  EXPECT_EQ(ReadPresetNumber("-0.25"), -0.25);
  EXPECT_EQ(ReadPresetNumber("+0.25"), 0.25);
  EXPECT_EQ(ReadPresetNumber("1e-50"), 0.0);
  EXPECT_EQ(ReadPresetNumber("1e300"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadPresetNumber("-1e300"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadPresetNumber("3.5e38"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadPresetNumber("0.75abc"), 0.75);
}

TEST(PresetFileParse, ContentThatIsNoUsableNumberIsRefused)
{
  for (const char* text :
       {"", "   ", "abc", "x0.5", "+-1", "--1", "nan", "1e999", "-1e999", "1e-999"})
  {
    EXPECT_FALSE(ReadPresetNumber(text).has_value()) << '"' << text << '"';
  }
}

TEST(PresetFileDisplayName, LastComponentWithoutExtension)
{
  EXPECT_EQ(PresetDisplayName("/a/b/Factory/CHRS - Clean Chorus B.quillwavepreset"),
            "CHRS - Clean Chorus B");
  EXPECT_EQ(PresetDisplayName("C:\\Users\\Public\\My.Sound.quillwavepreset"), "My.Sound");
  EXPECT_EQ(PresetDisplayName("plain"), "plain");
  EXPECT_EQ(PresetDisplayName("/folder/"), "");
  EXPECT_EQ(PresetDisplayName(""), "");
}

TEST(PresetFileDisplayName, LongNamesAreCutAtThirtyFiveCharacters)
{
  const std::string name39 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789xyz";
  ASSERT_EQ(name39.size(), 39u);
  EXPECT_EQ(PresetDisplayName("/p/" + name39 + ".quillwavepreset"), name39.substr(0, 35) + "...");
  const std::string name35 = name39.substr(0, 35);
  EXPECT_EQ(PresetDisplayName("/p/" + name35 + ".quillwavepreset"), name35);
}

class PresetFileDisk : public ::testing::Test
{
protected:
  std::string Write(const std::string& name, const std::string& bytes)
  {
    const std::string path = home.Path() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  TemporaryHome home;
};

TEST_F(PresetFileDisk, LastLineIsTheTextAfterTheLastLineBreak)
{
  EXPECT_EQ(ReadPresetLastLine(Write("one", "abc")), "abc");
  EXPECT_EQ(ReadPresetLastLine(Write("two", "first\nsecond")), "second");
  EXPECT_EQ(ReadPresetLastLine(Write("trailing", "abc\n")), "");
  EXPECT_EQ(ReadPresetLastLine(Write("empty", "")), "");
}

TEST_F(PresetFileDisk, UnreadablePathsGiveNothing)
{
  EXPECT_FALSE(ReadPresetLastLine(home.Path() + "/missing").has_value());
  EXPECT_FALSE(ReadPresetLastLine("").has_value());
  const std::optional<std::string> folder = ReadPresetLastLine(home.Path());
  EXPECT_TRUE(!folder.has_value() || folder->empty());
}

TEST_F(PresetFileDisk, WriteTruncatesAndAddsNoLineBreak)
{
  const std::string path = Write("preset.quillwavepreset", std::string(1000, 'x'));
  ASSERT_TRUE(WritePresetFile(path, kDefaultPresetText));
  std::ifstream in(path, std::ios::binary);
  const std::string stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(stored, kDefaultPresetText);
  EXPECT_FALSE(
      WritePresetFile(home.Path() + "/no/such/folder/x.quillwavepreset", kDefaultPresetText));
  EXPECT_FALSE(WritePresetFile("", kDefaultPresetText));
}

}  // namespace
