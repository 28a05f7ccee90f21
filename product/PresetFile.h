#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The preset file format: one line of text, no line terminator, holding three
// fixed header elements and the values of nine sound parameters between
// XML-like tags, e.g. "<Company>Pleo Audio</Company>...<FilterTone>0.5</FilterTone>...".

struct PresetElement
{
  const char* tag;
  int32_t paramIndex;
};

constexpr int32_t kPresetElementCount = 9;

// The stored parameters, in file order, with the index of the parameter each
// element carries.
extern const std::array<PresetElement, kPresetElementCount> kPresetElements;

// Parameter values in the order of kPresetElements.
using PresetValues = std::array<double, kPresetElementCount>;
// What a read found for each element; empty where the element is missing or its
// content is not a usable number.
using PresetReadValues = std::array<std::optional<double>, kPresetElementCount>;

// The whole file text for the given values. Values are formatted like a default
// output stream (general notation, 6 significant digits, '.' as separator),
// whatever the process's global locale.
std::string FormatPresetText(const PresetValues& values);

// Reads the nine value elements of one line. Each tag is found by plain
// substring search (first occurrence); the header elements are not examined.
PresetReadValues ParsePresetLine(std::string_view line);

// The number at the start of an element's content, leading white space skipped
// and anything after the number ignored, rounded to single precision and
// widened back. Empty when the content does not begin with a number, when the
// number is NaN or lies outside the range of a double.
std::optional<double> ReadPresetNumber(std::string_view text);

// The name a path shows in the preset strip: its last component without the
// extension, cut to 35 characters plus "..." when longer.
std::string PresetDisplayName(std::string_view path);

// The last line of a file: the text after its last line break, so it is empty
// for a file that ends with one. Empty optional when the file cannot be read.
std::optional<std::string> ReadPresetLastLine(const std::string& path);

// Creates or truncates the file and writes the text; false when that failed.
bool WritePresetFile(const std::string& path, const std::string& text);
