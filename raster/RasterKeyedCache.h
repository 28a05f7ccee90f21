#pragma once

#include <memory>
#include <mutex>
#include <new>
#include <vector>

// A process-wide store of objects under keys, behind the caches of decoded
// images and of fonts. Objects are only added and live as long as the store,
// which is until the module unloads. Each call holds the lock only for the
// lookup or the insertion, so two callers may make the same object at once;
// the first one stored under a key is the one found. Nothing calls out while
// the lock is held, so it needs no recursion.
template <typename Key, typename Object>
class RasterKeyedCache
{
public:
  // The object stored under `key`, or null.
  Object* Find(const Key& key)
  {
    const std::lock_guard<std::mutex> hold(lock);
    for (const Entry& entry : entries)
    {
      if (entry.key == key)
        return entry.object.get();
    }
    return nullptr;
  }

  // Stores `object` under `key` and returns it. A null object is not stored,
  // and one that finds no memory for its entry is deleted; both give null.
  Object* Add(const Key& key, std::unique_ptr<Object> object)
  {
    if (!object)
      return nullptr;
    const std::lock_guard<std::mutex> hold(lock);
    try
    {
      entries.push_back(Entry{key, std::move(object)});
    }
    catch (const std::bad_alloc&)
    {
      return nullptr;
    }
    return entries.back().object.get();
  }

private:
  struct Entry
  {
    Key key;
    std::unique_ptr<Object> object;
  };

  std::mutex lock;
  std::vector<Entry> entries;
};
