#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

// The host-side objects a VST3 host hands to a plug-in, for the command-line tools and the
// tests alike. Each is owned by whoever uses it (an instance, a test's stack or fixture) and
// outlives every call that receives it: the reference count is kept, so a test can see that a
// plug-in released what it took, but reaching zero deletes nothing.

// The reference counting of such an object.
#define PLUGINHOST_REFCOUNT                                                                        \
  Steinberg::uint32 PLUGIN_API addRef() override                                                   \
  {                                                                                                \
    return ++refs;                                                                                 \
  }                                                                                                \
  Steinberg::uint32 PLUGIN_API release() override                                                  \
  {                                                                                                \
    return --refs;                                                                                 \
  }                                                                                                \
  Steinberg::uint32 refs = 1;

namespace pluginhost
{

using namespace Steinberg;

class HostApplication final : public Vst::IHostApplication
{
public:
  explicit HostApplication(std::u16string name) : name(std::move(name)) {}

  tresult PLUGIN_API getName(Vst::String128 out) override;
  tresult PLUGIN_API createInstance(TUID cid, TUID iid, void** obj) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT

private:
  std::u16string name;
};

// A context that offers nothing beyond FUnknown.
class BareContext final : public FUnknown
{
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT
};

// Records every call the plug-in makes on the host's component handler and hands each
// performed value to `onEdit`, if set (an editor's knob turned, a button pressed).
class ComponentHandler : public Vst::IComponentHandler
{
public:
  struct Call
  {
    std::string what;  // "begin", "perform", "end" or "restart"
    uint32 id = 0;
    double value = 0.0;
  };

  tresult PLUGIN_API beginEdit(Vst::ParamID id) override;
  tresult PLUGIN_API performEdit(Vst::ParamID id, Vst::ParamValue value) override;
  tresult PLUGIN_API endEdit(Vst::ParamID id) override;
  tresult PLUGIN_API restartComponent(int32 flags) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT

  std::vector<Call> calls;
  std::function<void(Vst::ParamID, Vst::ParamValue)> onEdit;
};

// A growable in-memory stream, as hosts use to save and restore state. A read delivers what
// is there, at most `pieceSize` bytes when that is set (some hosts deliver in pieces); one
// that finds nothing left reports `endResult`, kResultFalse by default (some host streams
// report kResultOk with zero bytes instead).
class ByteStream final : public IBStream
{
public:
  ByteStream() = default;
  explicit ByteStream(std::vector<uint8_t> initial) : bytes(std::move(initial)) {}

  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override;
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override;
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override;
  tresult PLUGIN_API tell(int64* pos) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT

  std::vector<uint8_t> bytes;
  size_t position = 0;
  tresult endResult = kResultFalse;
  // Largest piece a single read delivers (0: no limit).
  int32 pieceSize = 0;
};

// One parameter's changes within a block.
class ParamValueQueue final : public Vst::IParamValueQueue
{
public:
  explicit ParamValueQueue(Vst::ParamID id) : id(id) {}

  Vst::ParamID PLUGIN_API getParameterId() override { return id; }
  int32 PLUGIN_API getPointCount() override;
  tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, Vst::ParamValue& value) override;
  tresult PLUGIN_API addPoint(int32 sampleOffset, Vst::ParamValue value, int32& index) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT

  Vst::ParamID id;
  std::vector<std::pair<int32, Vst::ParamValue>> points;
  // getPoint fails for every point when set.
  bool unreadable = false;
};

// The parameter changes of one block: one queue per parameter, as a host sends them.
class ParameterChanges final : public Vst::IParameterChanges
{
public:
  // Appends a point to the queue of `id`, made on its first change, and returns the queue.
  ParamValueQueue& Add(Vst::ParamID id, Vst::ParamValue value, int32 offset = 0);
  void Clear() { queues.clear(); }

  int32 PLUGIN_API getParameterCount() override;
  Vst::IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
  Vst::IParamValueQueue* PLUGIN_API addParameterData(const Vst::ParamID& id, int32& index) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT

  // Stable addresses: a queue handed to the plug-in must not move.
  std::vector<std::unique_ptr<ParamValueQueue>> queues;
};

class EventList final : public Vst::IEventList
{
public:
  void Add(const Vst::Event& event) { events.push_back(event); }
  void AddNoteOn(int32 offset, int16 channel, int16 pitch, float velocity);
  void AddNoteOff(int32 offset, int16 channel, int16 pitch, float velocity = 0.5f);
  void Clear() { events.clear(); }

  int32 PLUGIN_API getEventCount() override;
  tresult PLUGIN_API getEvent(int32 index, Vst::Event& event) override;
  tresult PLUGIN_API addEvent(Vst::Event& event) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT

  std::vector<Vst::Event> events;
};

// The window frame of an editor view: every size the plug-in asks for is granted at once.
class PlugFrame final : public IPlugFrame
{
public:
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  PLUGINHOST_REFCOUNT
};

}  // namespace pluginhost
