#pragma once

#include "product/PresetCatalogue.h"
#include "product/PresetFile.h"

#include <array>
#include <optional>
#include <string>

// One catalogue file as it was last read.
struct PresetLibraryEntry
{
  std::string path;
  // What the preset strip shows once it has loaded.
  std::string displayName;
  // The values the file held; empty when it could not be read or its last
  // line was empty, so selecting it loads nothing.
  std::optional<PresetReadValues> values;
};

// The preset library in memory. A host that automates the preset selector or
// the step buttons does so on its audio thread, where no file may be opened,
// so those selections take the values from here. The files are read off the
// audio thread: when the plug-in is created and whenever its editor opens.
// Every load the editor makes from a catalogue file, and every save into one,
// keeps that file's entry current. A file changed on disk by anything else
// reaches host automation the next time the editor opens.
class PresetLibrarySnapshot
{
public:
  PresetLibrarySnapshot() = default;

  // Reads every catalogue file of the library folder. Opens files.
  static PresetLibrarySnapshot Read();

  // The entry of a catalogue number; null for a number without a file, or
  // when the library folder is unknown.
  const PresetLibraryEntry* Find(int32_t number) const;

  // `path` was just read or written and its last line is `line`: the entry
  // of that file, if the catalogue has one, takes it.
  void Remember(const std::string& path, const std::optional<std::string>& line);

private:
  // Number n at index n - kPresetCatalogueFirstFile.
  std::array<PresetLibraryEntry, kPresetCatalogueLastFile - kPresetCatalogueFirstFile + 1> entries;
};

// The values a preset file's last line holds; empty for no line or an empty one.
std::optional<PresetReadValues> PresetValuesOfLine(const std::optional<std::string>& line);
