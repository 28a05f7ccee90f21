#pragma once

// The host side of the VST3 interfaces, as far as the tests play the host:
// host application, component handler, state stream, parameter changes and
// event lists. Objects live on the test's stack or in its fixture; reference
// counts are tracked but never delete anything.

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vst3test
{

// Reference counting for objects the test owns.
#define VST3TEST_REFCOUNT                                             \
  Steinberg::uint32 PLUGIN_API addRef() override { return ++refs; }   \
  Steinberg::uint32 PLUGIN_API release() override { return --refs; } \
  Steinberg::uint32 refs = 1;

class HostApplication : public Steinberg::Vst::IHostApplication
{
public:
  explicit HostApplication(std::u16string name) : name(std::move(name)) {}

  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 out) override;
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID, Steinberg::TUID, void** obj) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT

private:
  std::u16string name;
};

// A context that offers nothing beyond FUnknown.
class BareContext : public Steinberg::FUnknown
{
public:
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT
};

// Records every call the plug-in makes on the host's component handler.
class ComponentHandler : public Steinberg::Vst::IComponentHandler
{
public:
  struct Call
  {
    std::string what;  // "begin", "perform", "end" or "restart"
    Steinberg::uint32 id = 0;
    double value = 0.0;
  };

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT

  std::vector<Call> calls;
};

// A byte stream. Reads past the end deliver nothing and report endResult,
// which is kResultFalse by default; some host streams report kResultOk with
// zero bytes instead.
class Stream : public Steinberg::IBStream
{
public:
  Stream() = default;
  explicit Stream(std::vector<uint8_t> bytes) : bytes(std::move(bytes)) {}

  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 count, Steinberg::int32* read) override;
  Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 count, Steinberg::int32* written) override;
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode, Steinberg::int64* result) override;
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT

  std::vector<uint8_t> bytes;
  size_t position = 0;
  Steinberg::tresult endResult = Steinberg::kResultFalse;
  // Largest piece a single read delivers (0: no limit).
  Steinberg::int32 pieceSize = 0;
};

class ParamValueQueue : public Steinberg::Vst::IParamValueQueue
{
public:
  explicit ParamValueQueue(Steinberg::Vst::ParamID id) : id(id) {}

  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
  Steinberg::int32 PLUGIN_API getPointCount() override;
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& offset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 offset, Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT

  Steinberg::Vst::ParamID id;
  std::vector<std::pair<Steinberg::int32, Steinberg::Vst::ParamValue>> points;
  // getPoint fails for every point when set.
  bool unreadable = false;
};

class ParameterChanges : public Steinberg::Vst::IParameterChanges
{
public:
  // Appends a queue for id holding one point.
  ParamValueQueue& Add(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value, Steinberg::int32 offset = 0);

  Steinberg::int32 PLUGIN_API getParameterCount() override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT

  // Stable addresses: a queue handed to the plug-in must not move.
  std::vector<std::unique_ptr<ParamValueQueue>> queues;
};

class EventList : public Steinberg::Vst::IEventList
{
public:
  void AddNoteOn(Steinberg::int32 offset, Steinberg::int16 channel, Steinberg::int16 pitch, float velocity);
  void AddNoteOff(Steinberg::int32 offset, Steinberg::int16 channel, Steinberg::int16 pitch);

  Steinberg::int32 PLUGIN_API getEventCount() override;
  Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index, Steinberg::Vst::Event& e) override;
  Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  VST3TEST_REFCOUNT

  std::vector<Steinberg::Vst::Event> events;
};

// Stereo in and out host buffers of one precision for one block.
template <typename Sample>
struct StereoBlock
{
  explicit StereoBlock(int frames, Sample fill = 0)
      : in{std::vector<Sample>(frames), std::vector<Sample>(frames)},
        out{std::vector<Sample>(frames, fill), std::vector<Sample>(frames, fill)}
  {
    inPointers[0] = in[0].data();
    inPointers[1] = in[1].data();
    outPointers[0] = out[0].data();
    outPointers[1] = out[1].data();
  }
  StereoBlock(const StereoBlock&) = delete;
  StereoBlock& operator=(const StereoBlock&) = delete;

  std::vector<Sample> in[2];
  std::vector<Sample> out[2];
  Sample* inPointers[2];
  Sample* outPointers[2];
};

// A ProcessData for one stereo bus each way over `block`.
Steinberg::Vst::ProcessData MakeProcessData(StereoBlock<float>& block, Steinberg::Vst::AudioBusBuffers (&buses)[2]);
Steinberg::Vst::ProcessData MakeProcessData(StereoBlock<double>& block, Steinberg::Vst::AudioBusBuffers (&buses)[2]);

// The little-endian bytes of a double and of an int32.
void AppendDouble(std::vector<uint8_t>& bytes, double value);
void AppendInt32(std::vector<uint8_t>& bytes, int32_t value);
double DoubleAt(const std::vector<uint8_t>& bytes, size_t offset);

// A UTF-16 host string as UTF-16 text.
std::u16string Text(const Steinberg::Vst::TChar* string);

}  // namespace vst3test
