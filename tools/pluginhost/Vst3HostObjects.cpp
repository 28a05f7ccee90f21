#include "tools/pluginhost/Vst3HostObjects.h"

#include <algorithm>
#include <cstring>

namespace pluginhost
{

namespace
{

// Answers FUnknown and the object's own interface, counting the reference handed out.
template <typename Interface, typename Object>
tresult Answer(Object* self, const TUID iid, void** obj)
{
  if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) ||
      FUnknownPrivate::iidEqual(iid, Interface::iid))
  {
    self->addRef();
    *obj = static_cast<Interface*>(self);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

Vst::Event NoteEvent(Vst::Event::EventTypes type, int32 offset)
{
  Vst::Event event{};
  event.type = type;
  event.sampleOffset = offset;
  return event;
}

}  // namespace

tresult PLUGIN_API HostApplication::getName(Vst::String128 out)
{
  const size_t count = std::min<size_t>(name.size(), 127);
  for (size_t i = 0; i < count; ++i)
    out[i] = static_cast<Vst::TChar>(name[i]);
  out[count] = 0;
  return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID, TUID, void** obj)
{
  *obj = nullptr;
  return kNotImplemented;
}

tresult PLUGIN_API HostApplication::queryInterface(const TUID iid, void** obj)
{
  return Answer<Vst::IHostApplication>(this, iid, obj);
}

tresult PLUGIN_API BareContext::queryInterface(const TUID iid, void** obj)
{
  return Answer<FUnknown>(this, iid, obj);
}

tresult PLUGIN_API ComponentHandler::beginEdit(Vst::ParamID id)
{
  calls.push_back({"begin", id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
  calls.push_back({"perform", id, value});
  if (onEdit)
    onEdit(id, value);
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(Vst::ParamID id)
{
  calls.push_back({"end", id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags)
{
  calls.push_back({"restart", static_cast<uint32>(flags), 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID iid, void** obj)
{
  return Answer<Vst::IComponentHandler>(this, iid, obj);
}

tresult PLUGIN_API ByteStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
  if (numBytes < 0 || (numBytes > 0 && !buffer))
    return kInvalidArgument;
  size_t count = bytes.size() - std::min(position, bytes.size());
  count = std::min(count, static_cast<size_t>(numBytes));
  if (pieceSize > 0)
    count = std::min(count, static_cast<size_t>(pieceSize));
  if (count > 0)
    std::memcpy(buffer, bytes.data() + position, count);
  position += count;
  if (numBytesRead)
    *numBytesRead = static_cast<int32>(count);
  return count == 0 && numBytes > 0 ? endResult : kResultOk;
}

tresult PLUGIN_API ByteStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
  if (numBytes < 0 || (numBytes > 0 && !buffer))
    return kInvalidArgument;
  const size_t count = static_cast<size_t>(numBytes);
  if (bytes.size() < position + count)
    bytes.resize(position + count);
  if (count > 0)
    std::memcpy(bytes.data() + position, buffer, count);
  position += count;
  if (numBytesWritten)
    *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API ByteStream::seek(int64 pos, int32 mode, int64* result)
{
  int64 base = 0;
  if (mode == kIBSeekCur)
    base = static_cast<int64>(position);
  if (mode == kIBSeekEnd)
    base = static_cast<int64>(bytes.size());
  const int64 target = base + pos;
  if (target < 0)
    return kResultFalse;
  position = static_cast<size_t>(target);
  if (result)
    *result = target;
  return kResultOk;
}

tresult PLUGIN_API ByteStream::tell(int64* pos)
{
  if (!pos)
    return kInvalidArgument;
  *pos = static_cast<int64>(position);
  return kResultOk;
}

tresult PLUGIN_API ByteStream::queryInterface(const TUID iid, void** obj)
{
  return Answer<IBStream>(this, iid, obj);
}

int32 PLUGIN_API ParamValueQueue::getPointCount()
{
  return static_cast<int32>(points.size());
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                             Vst::ParamValue& value)
{
  if (unreadable || index < 0 || index >= getPointCount())
    return kResultFalse;
  sampleOffset = points[static_cast<size_t>(index)].first;
  value = points[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value,
                                             int32& index)
{
  index = getPointCount();
  points.emplace_back(sampleOffset, value);
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID iid, void** obj)
{
  return Answer<Vst::IParamValueQueue>(this, iid, obj);
}

ParamValueQueue& ParameterChanges::Add(Vst::ParamID id, Vst::ParamValue value, int32 offset)
{
  int32 index = 0;
  ParamValueQueue& queue = *static_cast<ParamValueQueue*>(addParameterData(id, index));
  queue.points.emplace_back(offset, value);
  return queue;
}

int32 PLUGIN_API ParameterChanges::getParameterCount()
{
  return static_cast<int32>(queues.size());
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
  if (index < 0 || index >= getParameterCount())
    return nullptr;
  return queues[static_cast<size_t>(index)].get();
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const Vst::ParamID& id,
                                                                     int32& index)
{
  for (size_t i = 0; i < queues.size(); ++i)
  {
    if (queues[i]->id == id)
    {
      index = static_cast<int32>(i);
      return queues[i].get();
    }
  }
  index = getParameterCount();
  queues.push_back(std::make_unique<ParamValueQueue>(id));
  return queues.back().get();
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID iid, void** obj)
{
  return Answer<Vst::IParameterChanges>(this, iid, obj);
}

void EventList::AddNoteOn(int32 offset, int16 channel, int16 pitch, float velocity)
{
  Vst::Event event = NoteEvent(Vst::Event::kNoteOnEvent, offset);
  event.noteOn.channel = channel;
  event.noteOn.pitch = pitch;
  event.noteOn.velocity = velocity;
  event.noteOn.noteId = -1;
  Add(event);
}

void EventList::AddNoteOff(int32 offset, int16 channel, int16 pitch, float velocity)
{
  Vst::Event event = NoteEvent(Vst::Event::kNoteOffEvent, offset);
  event.noteOff.channel = channel;
  event.noteOff.pitch = pitch;
  event.noteOff.velocity = velocity;
  event.noteOff.noteId = -1;
  Add(event);
}

int32 PLUGIN_API EventList::getEventCount()
{
  return static_cast<int32>(events.size());
}

tresult PLUGIN_API EventList::getEvent(int32 index, Vst::Event& event)
{
  if (index < 0 || index >= getEventCount())
    return kResultFalse;
  event = events[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Vst::Event& event)
{
  Add(event);
  return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID iid, void** obj)
{
  return Answer<Vst::IEventList>(this, iid, obj);
}

tresult PLUGIN_API PlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
  if (!view || !newSize)
    return kInvalidArgument;
  return view->onSize(newSize);
}

tresult PLUGIN_API PlugFrame::queryInterface(const TUID iid, void** obj)
{
  return Answer<IPlugFrame>(this, iid, obj);
}

}  // namespace pluginhost
