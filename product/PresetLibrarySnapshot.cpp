#include "product/PresetLibrarySnapshot.h"

#include "product/PresetLibrary.h"

std::optional<PresetReadValues> PresetValuesOfLine(const std::optional<std::string>& line)
{
  if (!line || line->empty())
  {
    return std::nullopt;
  }
  return ParsePresetLine(*line);
}

PresetLibrarySnapshot PresetLibrarySnapshot::Read()
{
  PresetLibrarySnapshot snapshot;
  for (int32_t number = kPresetCatalogueFirstFile; number <= kPresetCatalogueLastFile; ++number)
  {
    PresetLibraryEntry& entry =
        snapshot.entries[static_cast<size_t>(number - kPresetCatalogueFirstFile)];
    entry.path = PresetLibraryPath(number);
    if (entry.path.empty())
    {
      continue;
    }
    entry.displayName = PresetDisplayName(entry.path);
    entry.values = PresetValuesOfLine(ReadPresetLastLine(entry.path));
  }
  return snapshot;
}

const PresetLibraryEntry* PresetLibrarySnapshot::Find(int32_t number) const
{
  if (number < kPresetCatalogueFirstFile || number > kPresetCatalogueLastFile)
  {
    return nullptr;
  }
  const PresetLibraryEntry& entry =
      entries[static_cast<size_t>(number - kPresetCatalogueFirstFile)];
  return entry.path.empty() ? nullptr : &entry;
}

void PresetLibrarySnapshot::Remember(const std::string& path,
                                     const std::optional<std::string>& line)
{
  if (path.empty())
  {
    return;
  }
  for (PresetLibraryEntry& entry : entries)
  {
    if (entry.path == path)
    {
      entry.values = PresetValuesOfLine(line);
      return;
    }
  }
}
