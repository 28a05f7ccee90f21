// Writes the seed corpus of every fuzz target: valid inputs of each format
// and a few of their damaged and extreme variants, one file per seed in
// <output>/<target>/. The fuzzers grow these folders with what they find.
//
//   fuzz_seed_writer <output folder>
#include "engine/EngineParameterTable.h"
#include "product/PresetFile.h"
#include "tests/raster/PngWriter.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

constexpr int32_t kVst2ChunkMagic = 0x70666674;  // 'pfft'
constexpr int32_t kVst2ChunkVersion = 0x10000;

void AppendInt32(Bytes& bytes, int32_t value)
{
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
}

void AppendDouble(Bytes& bytes, double value)
{
  uint8_t raw[sizeof value];
  std::memcpy(raw, &value, sizeof value);
  bytes.insert(bytes.end(), raw, raw + sizeof raw);
}

void AppendText(Bytes& bytes, const std::string& text)
{
  bytes.insert(bytes.end(), text.begin(), text.end());
}

Bytes Prefixed(uint8_t first, const Bytes& rest)
{
  Bytes bytes{first};
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  return bytes;
}

// The 176-byte parameter block with every parameter at its default.
Bytes ParameterBlock()
{
  Bytes bytes;
  for (uint32_t i = 0; i < kEngineNumParams; ++i)
    AppendDouble(bytes, EngineParamDefinitionAt(i).defaultValue);
  return bytes;
}

Bytes ExtremeParameterBlock()
{
  const double extremes[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             1e300,
                             -1e300,
                             std::numeric_limits<double>::denorm_min(),
                             -0.0};
  Bytes bytes;
  for (uint32_t i = 0; i < kEngineNumParams; ++i)
    AppendDouble(bytes, extremes[i % std::size(extremes)]);
  return bytes;
}

Bytes BankRecord(const std::string& name, bool initialised, const Bytes& state)
{
  Bytes bytes;
  AppendInt32(bytes, static_cast<int32_t>(name.size()));
  AppendText(bytes, name);
  bytes.push_back(initialised ? 1 : 0);
  if (initialised)
    bytes.insert(bytes.end(), state.begin(), state.end());
  return bytes;
}

Bytes Concatenated(std::initializer_list<Bytes> parts)
{
  Bytes bytes;
  for (const Bytes& part : parts)
    bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

Bytes Vst2Header(int32_t version)
{
  Bytes bytes;
  AppendInt32(bytes, kVst2ChunkMagic);
  AppendInt32(bytes, version);
  return bytes;
}

Bytes Truncated(Bytes bytes, size_t size)
{
  bytes.resize(std::min(bytes.size(), size));
  return bytes;
}

std::string PresetText(double value)
{
  PresetValues values;
  values.fill(value);
  return FormatPresetText(values);
}

Bytes TextBytes(const std::string& text)
{
  return Bytes(text.begin(), text.end());
}

PngImage PaletteImage()
{
  PngImage image;
  image.width = 5;
  image.height = 3;
  image.colourType = PNG_COLOR_TYPE_PALETTE;
  image.bitDepth = 2;
  image.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  image.paletteAlpha = {255, 128, 0};
  for (int y = 0; y < image.height; ++y)
    image.rows.push_back({static_cast<uint8_t>(0x1B + y), 0xC0});
  return image;
}

PngImage GreyAlpha16Image()
{
  PngImage image;
  image.width = 2;
  image.height = 2;
  image.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
  image.bitDepth = 16;
  image.rows = {{0x12, 0x34, 0xFF, 0xFF, 0xAB, 0xCD, 0x80, 0x00},
                {0, 0, 0, 0, 0xFF, 0xFF, 0x40, 0x00}};
  return image;
}

PngImage KeyedRgbImage()
{
  PngImage image;
  image.width = 3;
  image.height = 2;
  image.colourType = PNG_COLOR_TYPE_RGB;
  image.hasColourKey = true;
  image.keyRed = 10;
  image.keyGreen = 20;
  image.keyBlue = 30;
  image.rows = {{10, 20, 30, 1, 2, 3, 200, 100, 50}, {0, 0, 0, 10, 20, 30, 255, 255, 255}};
  return image;
}

PngImage InterlacedGreyImage()
{
  PngImage image;
  image.width = 9;
  image.height = 7;
  image.colourType = PNG_COLOR_TYPE_GRAY;
  image.bitDepth = 1;
  image.interlaced = true;
  for (int y = 0; y < image.height; ++y)
    image.rows.push_back({static_cast<uint8_t>(0xA5 ^ y), 0x80});
  return image;
}

class SeedFolder
{
public:
  SeedFolder(const std::filesystem::path& root, const char* target) : folder(root / target)
  {
    std::filesystem::create_directories(folder);
  }

  void Write(const char* name, const Bytes& bytes) const
  {
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file.good())
    {
      std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
      std::exit(1);
    }
  }

private:
  std::filesystem::path folder;
};

void WriteStateSeeds(const std::filesystem::path& root)
{
  const Bytes defaults = ParameterBlock();
  const SeedFolder seeds(root, "read_state");
  seeds.Write("defaults", Prefixed(0, defaults));
  seeds.Write("defaults-at-8", Prefixed(8, Concatenated({Bytes(8, 0), defaults})));
  seeds.Write("extremes", Prefixed(0, ExtremeParameterBlock()));
  seeds.Write("short", Prefixed(0, Truncated(defaults, 100)));
}

void WriteBankSeeds(const std::filesystem::path& root)
{
  const Bytes defaults = ParameterBlock();
  const SeedFolder seeds(root, "unserialize_presets");
  seeds.Write("four-slots",
              Concatenated({BankRecord("Init", true, defaults), BankRecord("empty", false, {}),
                            BankRecord("user preset 1", true, ExtremeParameterBlock()),
                            BankRecord("Empty", true, defaults)}));
  Bytes negative;
  AppendInt32(negative, -7);
  negative.push_back(1);
  seeds.Write("negative-length", Concatenated({negative, defaults}));
  seeds.Write("cut-in-name",
              Truncated(BankRecord("A rather long program name", true, defaults), 12));
  seeds.Write("embedded-nul", BankRecord(std::string("ab\0cd", 5), true, defaults));
}

void WriteVst2Seeds(const std::filesystem::path& root)
{
  const Bytes defaults = ParameterBlock();
  const SeedFolder seeds(root, "vst2_set_chunk");
  seeds.Write("program", Prefixed(1, Concatenated({Vst2Header(kVst2ChunkVersion), defaults})));
  seeds.Write("program-extremes",
              Prefixed(1, Concatenated({Vst2Header(kVst2ChunkVersion), ExtremeParameterBlock()})));
  seeds.Write("program-without-header", Prefixed(1, defaults));
  seeds.Write("bank", Prefixed(0, Concatenated({Vst2Header(kVst2ChunkVersion),
                                                BankRecord("Init", true, defaults)})));
  seeds.Write("bank-old-version",
              Prefixed(0, Concatenated({Vst2Header(kVst2ChunkVersion - 1), defaults})));
  seeds.Write("header-only", Prefixed(0, Truncated(Vst2Header(kVst2ChunkVersion), 6)));
}

void WriteVst3Seeds(const std::filesystem::path& root)
{
  Bytes bypassOff;
  AppendInt32(bypassOff, 0);
  Bytes bypassOn;
  AppendInt32(bypassOn, 1);
  const Bytes state = Concatenated({ParameterBlock(), bypassOff});
  const SeedFolder seeds(root, "vst3_set_state");
  seeds.Write("whole", Prefixed(0, state));
  seeds.Write("in-pieces-of-3", Prefixed(3, state));
  seeds.Write("bypassed-extremes", Prefixed(5, Concatenated({ExtremeParameterBlock(), bypassOn})));
  seeds.Write("short", Prefixed(0, Truncated(state, 170)));
}

void WritePresetFileSeeds(const std::filesystem::path& root)
{
  const SeedFolder seeds(root, "preset_file");
  seeds.Write("middle", TextBytes(PresetText(0.5)));
  seeds.Write("huge", TextBytes(PresetText(1e300)));
  seeds.Write("two-lines", TextBytes(PresetText(0.25) + "\r\n" + PresetText(0.75)));
  seeds.Write("trailing-break", TextBytes(PresetText(0.5) + "\n"));
  seeds.Write("odd-numbers",
              TextBytes("<FilterTone> +0.5x</FilterTone><QuillwaveRate>nan</QuillwaveRate>"
                        "<QuillwaveMode>-inf</QuillwaveMode><SaturationGain>1e400</SaturationGain>"
                        "</MainFxOffOn>0.3<MainFxOffOn>"));
}

void WritePngSeeds(const std::filesystem::path& root)
{
  const SeedFolder seeds(root, "decode_png");
  seeds.Write("rgba", WritePng(CoordinateRgbaImage(4, 3)));
  seeds.Write("palette-trns", WritePng(PaletteImage()));
  seeds.Write("grey-alpha-16", WritePng(GreyAlpha16Image()));
  seeds.Write("rgb-colour-key", WritePng(KeyedRgbImage()));
  seeds.Write("grey-1-interlaced", WritePng(InterlacedGreyImage()));
  const Bytes whole = WritePng(CoordinateRgbaImage(16, 16));
  seeds.Write("cut-short", Truncated(whole, whole.size() / 2));
}

void WriteTextSeeds(const std::filesystem::path& root)
{
  const SeedFolder seeds(root, "utf8_text");
  seeds.Write("ascii", TextBytes(std::string(1, '\0') + "Quillwave 1.0.2"));
  seeds.Write("multi-byte",
              TextBytes("\x01\xC3\x84rger \xE2\x82\xAC 5 \xF0\x9F\x98\x80\n\rsecond line"));
  seeds.Write("invalid",
              TextBytes("\x20\xC0\x80 \xC1\xBF \xF5\x80\x80\x80 \xFF\xFE \x80\xBF \xE2\x82"));
  seeds.Write("cut-sequence", TextBytes("\x3F"
                                        "abc\xF0\x9F\x98"));
  seeds.Write("embedded-nul", TextBytes(std::string("\x05left\0right", 11)));
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root(argv[1]);
  WriteStateSeeds(root);
  WriteBankSeeds(root);
  WriteVst2Seeds(root);
  WriteVst3Seeds(root);
  WritePresetFileSeeds(root);
  WritePngSeeds(root);
  WriteTextSeeds(root);
  return 0;
}
