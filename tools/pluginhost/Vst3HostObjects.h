#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

// The host-side objects a VST3 host hands to a plug-in. Each is owned by the instance that
// uses it and outlives every call that receives it, so reference counting is a formality.

namespace pluginhost {

using namespace Steinberg;

class HostApplicationContext : public Vst::IHostApplication {
 public:
  tresult PLUGIN_API getName(Vst::String128 name) override;
  tresult PLUGIN_API createInstance(TUID cid, TUID iid, void** obj) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
};

// One parameter's changes within a block.
class ParamValueQueue final : public Vst::IParamValueQueue {
 public:
  explicit ParamValueQueue(Vst::ParamID id) : parameterId(id) {}
  void Add(int32 offset, Vst::ParamValue value);

  Vst::ParamID PLUGIN_API getParameterId() override { return parameterId; }
  int32 PLUGIN_API getPointCount() override;
  tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, Vst::ParamValue& value) override;
  tresult PLUGIN_API addPoint(int32 sampleOffset, Vst::ParamValue value, int32& index) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }

 private:
  struct Point {
    int32 offset;
    Vst::ParamValue value;
  };
  Vst::ParamID parameterId;
  std::vector<Point> points;
};

class ParameterChangeList : public Vst::IParameterChanges {
 public:
  void Add(Vst::ParamID id, int32 offset, Vst::ParamValue value);
  void Clear() { queues.clear(); }
  bool Empty() const { return queues.empty(); }

  int32 PLUGIN_API getParameterCount() override;
  Vst::IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
  Vst::IParamValueQueue* PLUGIN_API addParameterData(const Vst::ParamID& id, int32& index) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }

 private:
  std::vector<ParamValueQueue> queues;
};

class EventList : public Vst::IEventList {
 public:
  void Add(const Vst::Event& event) { events.push_back(event); }
  void Clear() { events.clear(); }

  int32 PLUGIN_API getEventCount() override;
  tresult PLUGIN_API getEvent(int32 index, Vst::Event& event) override;
  tresult PLUGIN_API addEvent(Vst::Event& event) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }

 private:
  std::vector<Vst::Event> events;
};

// A growable in-memory stream, as hosts use to save and restore state.
class ByteStream : public IBStream {
 public:
  ByteStream() = default;
  explicit ByteStream(std::vector<uint8_t> initial) : bytes(std::move(initial)) {}
  const std::vector<uint8_t>& Bytes() const { return bytes; }

  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override;
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override;
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override;
  tresult PLUGIN_API tell(int64* pos) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }

 private:
  std::vector<uint8_t> bytes;
  size_t position = 0;
};

// Takes the edits a controller reports (an editor's knob turned, a button pressed) and hands
// each performed value to `onEdit`, if set.
class ComponentHandler : public Vst::IComponentHandler {
 public:
  std::function<void(Vst::ParamID, Vst::ParamValue)> onEdit;

  tresult PLUGIN_API beginEdit(Vst::ParamID) override { return kResultOk; }
  tresult PLUGIN_API performEdit(Vst::ParamID id, Vst::ParamValue value) override;
  tresult PLUGIN_API endEdit(Vst::ParamID) override { return kResultOk; }
  tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
};

// The window frame of an editor view: every size the plug-in asks for is granted at once.
class PlugFrame : public IPlugFrame {
 public:
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
};

}  // namespace pluginhost
