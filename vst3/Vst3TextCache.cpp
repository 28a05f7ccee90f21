#include "vst3/Vst3TextCache.h"

#include "framework/IMutex.h"

#include <string>
#include <unordered_map>

namespace
{
struct CachedText
{
  std::string source;
  std::u16string wide;
};

// Node-based, so an entry never moves once it is inserted.
using TextCache = std::unordered_multimap<const char*, CachedText>;

struct TextCacheStore
{
  IMutex mutex;
  TextCache entries;
};

TextCacheStore& Store()
{
  static TextCacheStore store;
  return store;
}

std::u16string Widen(const std::string& text)
{
  std::u16string wide;
  wide.reserve(text.size());
  for (const char c : text)
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return wide;
}
}  // namespace

const Steinberg::Vst::TChar* Vst3WidenCached(const char* text)
{
  static_assert(sizeof(Steinberg::Vst::TChar) == sizeof(char16_t), "TChar is one UTF-16 unit");
  static const Steinberg::Vst::TChar empty[1] = {0};
  if (!text)
    return empty;

  TextCacheStore& store = Store();
  IMutexLock lock(store.mutex);
  const auto range = store.entries.equal_range(text);
  for (auto it = range.first; it != range.second; ++it)
  {
    if (it->second.source == text)
      return reinterpret_cast<const Steinberg::Vst::TChar*>(it->second.wide.c_str());
  }
  const std::string source(text);
  const auto inserted = store.entries.emplace(text, CachedText{source, Widen(source)});
  return reinterpret_cast<const Steinberg::Vst::TChar*>(inserted->second.wide.c_str());
}

void Vst3WidenInto(Steinberg::Vst::TChar* destination, int capacity, const char* text)
{
  if (!destination || capacity <= 0)
    return;
  int i = 0;
  if (text)
  {
    for (; i < capacity - 1 && text[i] != '\0'; ++i)
      destination[i] = static_cast<Steinberg::Vst::TChar>(static_cast<unsigned char>(text[i]));
  }
  destination[i] = 0;
}
