#include "tools/pluginhost/Vst3HostObjects.h"

#include <algorithm>
#include <cstring>

namespace pluginhost {

namespace {

// Answers FUnknown and the object's own interface.
template <typename Interface>
tresult AnswerInterface(Interface* self, const TUID iid, void** obj) {
  if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) ||
      FUnknownPrivate::iidEqual(iid, Interface::iid)) {
    *obj = self;
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

}  // namespace

tresult PLUGIN_API HostApplicationContext::getName(Vst::String128 name) {
  const char text[] = "Quillwave Render Host";
  for (size_t i = 0; i < sizeof text; ++i) name[i] = static_cast<Vst::TChar>(text[i]);
  return kResultOk;
}

tresult PLUGIN_API HostApplicationContext::createInstance(TUID, TUID, void** obj) {
  *obj = nullptr;
  return kNotImplemented;
}

tresult PLUGIN_API HostApplicationContext::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<Vst::IHostApplication>(this, iid, obj);
}

void ParamValueQueue::Add(int32 offset, Vst::ParamValue value) {
  points.push_back({offset, value});
}

int32 PLUGIN_API ParamValueQueue::getPointCount() { return static_cast<int32>(points.size()); }

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                             Vst::ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kResultFalse;
  sampleOffset = points[static_cast<size_t>(index)].offset;
  value = points[static_cast<size_t>(index)].value;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value,
                                             int32& index) {
  index = getPointCount();
  Add(sampleOffset, value);
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<Vst::IParamValueQueue>(this, iid, obj);
}

void ParameterChangeList::Add(Vst::ParamID id, int32 offset, Vst::ParamValue value) {
  int32 index = 0;
  addParameterData(id, index)->addPoint(offset, value, index);
}

int32 PLUGIN_API ParameterChangeList::getParameterCount() {
  return static_cast<int32>(queues.size());
}

Vst::IParamValueQueue* PLUGIN_API ParameterChangeList::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return &queues[static_cast<size_t>(index)];
}

Vst::IParamValueQueue* PLUGIN_API ParameterChangeList::addParameterData(const Vst::ParamID& id,
                                                                      int32& index) {
  for (size_t i = 0; i < queues.size(); ++i) {
    if (queues[i].getParameterId() == id) {
      index = static_cast<int32>(i);
      return &queues[i];
    }
  }
  index = getParameterCount();
  queues.emplace_back(id);
  return &queues.back();
}

tresult PLUGIN_API ParameterChangeList::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<Vst::IParameterChanges>(this, iid, obj);
}

int32 PLUGIN_API EventList::getEventCount() { return static_cast<int32>(events.size()); }

tresult PLUGIN_API EventList::getEvent(int32 index, Vst::Event& event) {
  if (index < 0 || index >= getEventCount()) return kResultFalse;
  event = events[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Vst::Event& event) {
  Add(event);
  return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<Vst::IEventList>(this, iid, obj);
}

tresult PLUGIN_API ByteStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
  const size_t available = bytes.size() - std::min(position, bytes.size());
  const size_t count = std::min(available, static_cast<size_t>(numBytes));
  if (count > 0) std::memcpy(buffer, bytes.data() + position, count);
  position += count;
  if (numBytesRead) *numBytesRead = static_cast<int32>(count);
  // Like a file stream, a read that cannot deliver everything reports failure.
  return count == static_cast<size_t>(numBytes) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API ByteStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
  const size_t count = static_cast<size_t>(numBytes);
  if (bytes.size() < position + count) bytes.resize(position + count);
  if (count > 0) std::memcpy(bytes.data() + position, buffer, count);
  position += count;
  if (numBytesWritten) *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API ByteStream::seek(int64 pos, int32 mode, int64* result) {
  int64 base = 0;
  if (mode == kIBSeekCur) base = static_cast<int64>(position);
  if (mode == kIBSeekEnd) base = static_cast<int64>(bytes.size());
  const int64 target = base + pos;
  if (target < 0) return kResultFalse;
  position = static_cast<size_t>(target);
  if (result) *result = target;
  return kResultOk;
}

tresult PLUGIN_API ByteStream::tell(int64* pos) {
  if (!pos) return kInvalidArgument;
  *pos = static_cast<int64>(position);
  return kResultOk;
}

tresult PLUGIN_API ByteStream::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IBStream>(this, iid, obj);
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value) {
  if (onEdit) onEdit(id, value);
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<Vst::IComponentHandler>(this, iid, obj);
}

tresult PLUGIN_API PlugFrame::resizeView(IPlugView* view, ViewRect* newSize) {
  if (!view || !newSize) return kInvalidArgument;
  return view->onSize(newSize);
}

tresult PLUGIN_API PlugFrame::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IPlugFrame>(this, iid, obj);
}

}  // namespace pluginhost
