#include "tests/vst2/TestHost.h"
#include "tests/vst2/TestPlugin.h"
#include "vst2/VstHostString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr char kGuard = '~';

// A host buffer of `bound` bytes followed by guard bytes that no copy may touch.
struct GuardedBuffer
{
  explicit GuardedBuffer(std::size_t bound) : bound(bound), bytes(bound + 32, kGuard) {}

  char* data() { return bytes.data(); }
  std::string Text() const { return std::string(bytes.data(), strnlen(bytes.data(), bound)); }
  bool Terminated() const { return std::memchr(bytes.data(), '\0', bound) != nullptr; }
  bool GuardIntact() const
  {
    for (std::size_t i = bound; i < bytes.size(); ++i)
    {
      if (bytes[i] != kGuard)
        return false;
    }
    return true;
  }

  std::size_t bound;
  std::vector<char> bytes;
};

class Vst2StringBounds : public ::testing::Test
{
protected:
  // Expects the text of `buffer` to be `expected` cut to bound - 1 characters, terminated,
  // with nothing written after the bound.
  static void ExpectBounded(const GuardedBuffer& buffer, const std::string& expected)
  {
    EXPECT_TRUE(buffer.Terminated());
    EXPECT_TRUE(buffer.GuardIntact());
    EXPECT_EQ(buffer.Text(), expected.substr(0, buffer.bound - 1));
  }

  TestHost host;
  TestPlugin plug{IEffectVST2::HostContext{&TestHost::Callback}};
  AEffect* effect = plug.GetAEffect();
};

TEST(VstHostString, TruncatesTerminatesAndLeavesTheRestAlone)
{
  char buffer[8];
  std::memset(buffer, kGuard, sizeof(buffer));
  CopyHostString(buffer, "abcdefghij", 5);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(buffer[5], kGuard);

  CopyHostString(buffer, "xy", 5);
  EXPECT_STREQ(buffer, "xy");
  EXPECT_EQ(buffer[3], 'd');  // after the terminator: as it was

  CopyHostString(buffer, nullptr, 5);
  EXPECT_STREQ(buffer, "");
  buffer[0] = 'q';
  CopyHostString(buffer, "abc", 0);
  EXPECT_EQ(buffer[0], 'q');
  CopyHostString(nullptr, "abc", 4);  // no destination: nothing happens
}

TEST(VstHostString, ReadsNoMoreThanTheBoundFromAnUnterminatedSource)
{
  // Heap storage so that the address sanitizer sees a read past it.
  std::vector<char> source(6, 'z');
  char destination[16];
  CopyHostString(destination, source.data(), source.size());
  EXPECT_STREQ(destination, "zzzzz");
}

TEST_F(Vst2StringBounds, ParameterNameKeepsThirtyOneCharacters)
{
  GuardedBuffer name(32);
  Dispatch(effect, effGetParamName, TestPlugin::kOffset, 0, name.data());
  ExpectBounded(name, TestPlugin::kLongName);
  EXPECT_EQ(name.Text().size(), 31u);
}

TEST_F(Vst2StringBounds, ParameterLabelStaysWithinEightBytes)
{
  GuardedBuffer label(kVstMaxParamStrLen);
  Dispatch(effect, effGetParamLabel, TestPlugin::kOffset, 0, label.data());
  ExpectBounded(label, TestPlugin::kLongLabel);
  EXPECT_EQ(label.Text(), "semiton");
}

TEST_F(Vst2StringBounds, ParameterDisplayStaysWithinThirtyTwoBytes)
{
  GuardedBuffer display(32);
  effect->setParameter(effect, TestPlugin::kOffset, 0.25f);  // -5.0, shown negated
  Dispatch(effect, effGetParamDisplay, TestPlugin::kOffset, 0, display.data());
  ExpectBounded(display, "5.0");

  GuardedBuffer text(32);
  Dispatch(effect, effGetParamDisplay, TestPlugin::kMode, 0, text.data());
  ExpectBounded(text, "Chorus");

  GuardedBuffer vendor(32);
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, 7, TestPlugin::kGain, vendor.data(), 0.125f),
            0xBEEF);
  ExpectBounded(vendor, "0.12500");
}

TEST_F(Vst2StringBounds, ProgramNamesRoundTripWithinTwentyFourBytes)
{
  const std::string longName = "A program name far longer than twenty-four bytes";
  ASSERT_EQ(Dispatch(effect, effSetProgramName, 0, 0, const_cast<char*>(longName.c_str())), 0);

  GuardedBuffer current(kVstMaxProgNameLen);
  Dispatch(effect, effGetProgramName, 0, 0, current.data());
  ExpectBounded(current, longName);

  GuardedBuffer indexed(kVstMaxProgNameLen);
  EXPECT_EQ(Dispatch(effect, effGetProgramNameIndexed, 0, 0, indexed.data()), 1);
  ExpectBounded(indexed, longName);
}

TEST_F(Vst2StringBounds, ProgramNameFromTheHostIsReadWithinItsBound)
{
  // Exactly kVstMaxProgNameLen bytes without a terminator, on the heap.
  std::vector<char> name(kVstMaxProgNameLen, 'n');
  Dispatch(effect, effSetProgramName, 0, 0, name.data());
  EXPECT_EQ(std::string(plug.GetPresetName(0)), std::string(kVstMaxProgNameLen - 1, 'n'));
}

TEST_F(Vst2StringBounds, IdentityStringsStayWithinTheirDocumentedSizes)
{
  GuardedBuffer effectName(kVstMaxEffectNameLen);
  EXPECT_EQ(Dispatch(effect, effGetEffectName, 0, 0, effectName.data()), 1);
  ExpectBounded(effectName, TestPlugin::kEffectName);

  GuardedBuffer vendor(kVstMaxVendorStrLen);
  EXPECT_EQ(Dispatch(effect, effGetVendorString, 0, 0, vendor.data()), 1);
  ExpectBounded(vendor, TestPlugin::kMakerName);

  GuardedBuffer product(kVstMaxProductStrLen);
  EXPECT_EQ(Dispatch(effect, effGetProductString, 0, 0, product.data()), 1);
  ExpectBounded(product, TestPlugin::kProductName);
}

TEST_F(Vst2StringBounds, TextOpcodesWithoutABufferWriteNothing)
{
  for (VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString,
                          effGetProgramNameIndexed, effGetMidiKeyName, effString2Parameter})
  {
    const VstIntPtr expected = opcode == effString2Parameter ? 1 : 0;
    EXPECT_EQ(Dispatch(effect, opcode, 0, 0, nullptr), expected) << opcode;
  }
  for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay, effGetProgramName,
                          effSetProgramName})
  {
    EXPECT_EQ(Dispatch(effect, opcode, 0, 0, nullptr), 0) << opcode;
  }
}

TEST_F(Vst2StringBounds, InvalidParameterIndicesLeaveTheBufferAlone)
{
  for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
  {
    for (VstInt32 index : {-1, TestPlugin::kParamCount})
    {
      GuardedBuffer text(32);
      Dispatch(effect, opcode, index, 0, text.data());
      EXPECT_EQ(text.bytes, std::vector<char>(text.bytes.size(), kGuard)) << opcode;
    }
  }
}

TEST_F(Vst2StringBounds, MidiKeyNameIsEmptiedAndNotNamed)
{
  MidiKeyName key{};
  key.thisKeyNumber = 60;
  std::memset(key.keyName, 'k', sizeof(key.keyName));
  EXPECT_EQ(Dispatch(effect, effGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_STREQ(key.keyName, "");
}

}  // namespace
