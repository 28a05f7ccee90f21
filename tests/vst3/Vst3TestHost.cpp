#include "tests/vst3/Vst3TestHost.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vst3test
{
namespace
{
template <typename Interface, typename Object>
tresult Answer(Object* self, const TUID iid, void** obj)
{
  if (FUnknownPrivate::iidEqual(iid, Interface::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid))
  {
    self->addRef();
    *obj = static_cast<Interface*>(self);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}
}  // namespace

tresult PLUGIN_API HostApplication::getName(String128 out)
{
  const size_t count = std::min<size_t>(name.size(), 127);
  for (size_t i = 0; i < count; ++i)
    out[i] = static_cast<TChar>(name[i]);
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
  return Answer<IHostApplication>(this, iid, obj);
}

tresult PLUGIN_API BareContext::queryInterface(const TUID iid, void** obj)
{
  return Answer<FUnknown>(this, iid, obj);
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID id)
{
  calls.push_back({"begin", id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue value)
{
  calls.push_back({"perform", id, value});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(ParamID id)
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
  return Answer<IComponentHandler>(this, iid, obj);
}

tresult PLUGIN_API Stream::read(void* buffer, int32 count, int32* read)
{
  size_t available = position < bytes.size() ? bytes.size() - position : 0;
  available = std::min(available, static_cast<size_t>(std::max(count, 0)));
  if (pieceSize > 0)
    available = std::min(available, static_cast<size_t>(pieceSize));
  if (available > 0)
    std::memcpy(buffer, bytes.data() + position, available);
  position += available;
  if (read)
    *read = static_cast<int32>(available);
  return available == 0 && count > 0 ? endResult : kResultOk;
}

tresult PLUGIN_API Stream::write(void* buffer, int32 count, int32* written)
{
  const auto* data = static_cast<const uint8_t*>(buffer);
  const size_t n = static_cast<size_t>(std::max(count, 0));
  if (bytes.size() < position + n)
    bytes.resize(position + n);
  std::memcpy(bytes.data() + position, data, n);
  position += n;
  if (written)
    *written = count;
  return kResultOk;
}

tresult PLUGIN_API Stream::seek(int64 pos, int32 mode, int64* result)
{
  const int64 base = mode == kIBSeekSet ? 0 : mode == kIBSeekCur ? static_cast<int64>(position)
                                                                  : static_cast<int64>(bytes.size());
  position = static_cast<size_t>(std::max<int64>(base + pos, 0));
  if (result)
    *result = static_cast<int64>(position);
  return kResultOk;
}

tresult PLUGIN_API Stream::tell(int64* pos)
{
  if (pos)
    *pos = static_cast<int64>(position);
  return kResultOk;
}

tresult PLUGIN_API Stream::queryInterface(const TUID iid, void** obj)
{
  return Answer<IBStream>(this, iid, obj);
}

int32 PLUGIN_API ParamValueQueue::getPointCount()
{
  return static_cast<int32>(points.size());
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& offset, ParamValue& value)
{
  if (unreadable || index < 0 || index >= getPointCount())
    return kResultFalse;
  offset = points[static_cast<size_t>(index)].first;
  value = points[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 offset, ParamValue value, int32& index)
{
  index = getPointCount();
  points.emplace_back(offset, value);
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID iid, void** obj)
{
  return Answer<IParamValueQueue>(this, iid, obj);
}

ParamValueQueue& ParameterChanges::Add(ParamID id, ParamValue value, int32 offset)
{
  queues.push_back(std::make_unique<ParamValueQueue>(id));
  queues.back()->points.emplace_back(offset, value);
  return *queues.back();
}

int32 PLUGIN_API ParameterChanges::getParameterCount()
{
  return static_cast<int32>(queues.size());
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
  if (index < 0 || index >= getParameterCount())
    return nullptr;
  return queues[static_cast<size_t>(index)].get();
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
  index = getParameterCount();
  queues.push_back(std::make_unique<ParamValueQueue>(id));
  return queues.back().get();
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID iid, void** obj)
{
  return Answer<IParameterChanges>(this, iid, obj);
}

void EventList::AddNoteOn(int32 offset, int16 channel, int16 pitch, float velocity)
{
  Event e = {};
  e.type = Event::kNoteOnEvent;
  e.sampleOffset = offset;
  e.noteOn.channel = channel;
  e.noteOn.pitch = pitch;
  e.noteOn.velocity = velocity;
  e.noteOn.noteId = -1;
  events.push_back(e);
}

void EventList::AddNoteOff(int32 offset, int16 channel, int16 pitch)
{
  Event e = {};
  e.type = Event::kNoteOffEvent;
  e.sampleOffset = offset;
  e.noteOff.channel = channel;
  e.noteOff.pitch = pitch;
  e.noteOff.velocity = 0.5f;
  e.noteOff.noteId = -1;
  events.push_back(e);
}

int32 PLUGIN_API EventList::getEventCount()
{
  return static_cast<int32>(events.size());
}

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e)
{
  if (index < 0 || index >= getEventCount())
    return kResultFalse;
  e = events[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e)
{
  events.push_back(e);
  return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID iid, void** obj)
{
  return Answer<IEventList>(this, iid, obj);
}

namespace
{
template <typename Sample>
ProcessData MakeData(StereoBlock<Sample>& block, AudioBusBuffers (&buses)[2], int32 sampleSize)
{
  buses[0] = AudioBusBuffers();
  buses[1] = AudioBusBuffers();
  buses[0].numChannels = 2;
  buses[1].numChannels = 2;
  ProcessData data;
  data.processMode = kRealtime;
  data.symbolicSampleSize = sampleSize;
  data.numSamples = static_cast<int32>(block.in[0].size());
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &buses[0];
  data.outputs = &buses[1];
  return data;
}
}  // namespace

ProcessData MakeProcessData(StereoBlock<float>& block, AudioBusBuffers (&buses)[2])
{
  ProcessData data = MakeData(block, buses, kSample32);
  buses[0].channelBuffers32 = block.inPointers;
  buses[1].channelBuffers32 = block.outPointers;
  return data;
}

ProcessData MakeProcessData(StereoBlock<double>& block, AudioBusBuffers (&buses)[2])
{
  ProcessData data = MakeData(block, buses, kSample64);
  buses[0].channelBuffers64 = block.inPointers;
  buses[1].channelBuffers64 = block.outPointers;
  return data;
}

void AppendDouble(std::vector<uint8_t>& bytes, double value)
{
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i)
    bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

void AppendInt32(std::vector<uint8_t>& bytes, int32_t value)
{
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

double DoubleAt(const std::vector<uint8_t>& bytes, size_t offset)
{
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<uint64_t>(bytes.at(offset + static_cast<size_t>(i))) << (8 * i);
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::u16string Text(const TChar* string)
{
  std::u16string text;
  for (size_t i = 0; string[i] != 0; ++i)
    text.push_back(static_cast<char16_t>(string[i]));
  return text;
}

}  // namespace vst3test
