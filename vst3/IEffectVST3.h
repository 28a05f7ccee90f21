#pragma once

#include "framework/IEffectBase.h"
#include "framework/IEffectConfig.h"
#include "vst3/SingleComponentEffect.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class IEffectVST3View;

// Binds an IEffectBase plug-in to a VST3 host as a single-component effect:
// one object that is the component, the audio processor, the edit controller
// and the unit-information provider. The host's parameters are the program
// change ('prst'), the bypass switch ('bpas', effects only) and the plug-in
// parameters under their indices; state is the plug-in's parameter block
// followed by a 4-byte bypass flag, the same through IComponent and
// IEditController.
//
// process, getState and setState hold the plug-in mutex for their whole call.
// The parameter queries and setParamNormalized do not lock.
//
// MIDI controllers reach the plug-in as parameter changes: IMidiMapping names
// the parameter each controller of the plug-in's map drives on MIDI channel 1,
// and the host sends the controller's value to it.
//
// The editor is shown through IEffectVST3View objects from createView; the
// plug-in keeps every view it made, and the first one carries its resize
// requests and host parameter menus.
class IEffectVST3 : public IEffectBase,
                    public Steinberg::Vst::IUnitInfo,
                    public Steinberg::Vst::IMidiMapping,
                    public Steinberg::Vst::SingleComponentEffect
{
public:
  // A VST3 host reaches the plug-in through initialize, not at construction.
  struct HostContext
  {
  };

  // Parameter ids of the host-only parameters.
  static constexpr Steinberg::Vst::ParamID kPresetParamId = 0x70727374;  // 'prst'
  static constexpr Steinberg::Vst::ParamID kBypassParamId = 0x62706173;  // 'bpas'
  // The program list's id.
  static constexpr Steinberg::Vst::ProgramListID kProgramListId = 0x70727374;  // 'prst'
  // Largest maxSamplesPerBlock the scratch buffers are sized for; longer
  // host blocks are processed in pieces of this size.
  static constexpr int32_t kMaxBlockSize = 65536;
  // The part of the host's ProcessContext that is kept: every field up to and
  // including the frame rate.
  static constexpr size_t kContextBytes =
      offsetof(Steinberg::Vst::ProcessContext, samplesToNextClock);

  IEffectVST3(const IEffectConfig& config, HostContext host);
  ~IEffectVST3() override;

  // ---- IPluginBase ----
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  // Also forgets every view (the views themselves live on until released).
  Steinberg::tresult PLUGIN_API terminate() override;

  // ---- IComponent (state also for IEditController) ----
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;

  // ---- IAudioProcessor ----
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  // Keeps the bypass switch: a host that changes rate, block size or
  // offline mode still shows the plug-in bypassed and must hear it so.
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  // Nothing to start or stop; some hosts refuse a plug-in that does not answer kResultOk.
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
  Steinberg::uint32 PLUGIN_API getTailSamples() override;

  // ---- IEditController ----
  Steinberg::tresult PLUGIN_API getParamStringByValue(Steinberg::Vst::ParamID id,
                                                      Steinberg::Vst::ParamValue normalized,
                                                      Steinberg::Vst::String128 string) override;
  Steinberg::Vst::ParamValue PLUGIN_API
  plainParamToNormalized(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue plain) override;
  // The bypass and program parameters read the last value set through
  // setParamNormalized, a parameter change in process or setState.
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID id) override;
  // The bypass and program parameters only store the value here: the host
  // sends the same change to process, which acts on it.
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                                   Steinberg::Vst::ParamValue value) override;
  // "editor": a new view, which the host owns. Null for any other name and
  // for a plug-in without an editor, so the host can offer its own controls.
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;

  // ---- IUnitInfo ----
  Steinberg::int32 PLUGIN_API getUnitCount() override;
  Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex,
                                            Steinberg::Vst::UnitInfo& info) override;
  Steinberg::int32 PLUGIN_API getProgramListCount() override;
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                   Steinberg::Vst::ProgramListInfo& info) override;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override;
  Steinberg::tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::CString attributeId,
                                               Steinberg::Vst::String128 attributeValue) override;
  Steinberg::tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId,
                                                     Steinberg::int32 programIndex) override;
  Steinberg::tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId,
                                                    Steinberg::int32 programIndex,
                                                    Steinberg::int16 midiPitch,
                                                    Steinberg::Vst::String128 name) override;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() override;
  Steinberg::tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) override;
  Steinberg::tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type,
                                             Steinberg::Vst::BusDirection dir,
                                             Steinberg::int32 busIndex, Steinberg::int32 channel,
                                             Steinberg::Vst::UnitID& unitId) override;
  Steinberg::tresult PLUGIN_API setUnitProgramData(Steinberg::int32 listOrUnitId,
                                                   Steinberg::int32 programIndex,
                                                   Steinberg::IBStream* data) override;

  // ---- IMidiMapping ----
  // Bus 0, channel 0 (MIDI channel 1): the parameter of each controller the
  // plug-in answers; kResultFalse for everything else.
  Steinberg::tresult PLUGIN_API getMidiControllerAssignment(
      Steinberg::int32 busIndex, Steinberg::int16 channel,
      Steinberg::Vst::CtrlNumber midiControllerNumber, Steinberg::Vst::ParamID& id) override;

  // ---- FUnknown ----
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return SingleComponentEffect::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return SingleComponentEffect::release(); }

  // ---- Framework operations implemented through the host ----
  void BeginHostEdit(int index) override;
  void HostEdit(int index, double normalized) override;
  void EndHostEdit(int index) override;
  void HostProgramChanged() override;
  bool HostRendersOffline() override;
  int32_t QuerySamplePosition() override;
  double QueryTempo() override;
  void QueryTimeSignature(int* numerator, int* denominator) override;
  void QueryTransport(ITransportInfo* info) override;
  void ResizeEditor(int width, int height) override;
  void ChangeLatency(int samples) override;
  bool SendMidiMessage(const IMidiMessage* message) override;
  // The host's context menu for parameter `index` at (x, y) in the first
  // view, when the component handler offers IComponentHandler3.
  void ShowHostParamMenu(int index, int x, int y) override;

  // ---- Views ----
  // A view leaving: the first entry for it is removed.
  void RemoveView(IEffectVST3View* view);
  int GetViewCount() const { return static_cast<int>(views.size()); }

private:
  static IEffectConfig ForVst3(const IEffectConfig& config);
  // A host's normalised value limited to 0..1; NaN is 0.
  static Steinberg::Vst::ParamValue UnitInterval(Steinberg::Vst::ParamValue value);

  // The plug-in parameter a host parameter id stands for, or null.
  IParameter* PluginParam(Steinberg::Vst::ParamID id);
  void IdentifyHost(Steinberg::FUnknown* context);
  void CreateBuses();
  void CreateParameters();
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyParameterChange(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);
  void DeliverNoteEvents(Steinberg::Vst::IEventList* events);
  void ProcessAudio(Steinberg::Vst::ProcessData& data);
  void ConnectInputs(const Steinberg::Vst::ProcessData& data, bool doublePrecision);
  void ConnectOutputs(const Steinberg::Vst::ProcessData& data, bool doublePrecision);

  // The host's view of the bypass and program parameters (normalised).
  std::atomic<double> bypassValue{0.0};
  std::atomic<double> programValue{0.0};
  // Transport of the most recent block that carried a context.
  Steinberg::Vst::ProcessContext lastContext{};
  // The views createView made, oldest first; not owned.
  std::vector<IEffectVST3View*> views;
};

// The plug-in the module's factory creates for each host that asks. The
// product built on this binding defines it; it throws when the plug-in cannot
// be built.
IEffectVST3* CreatePlugin(IEffectVST3::HostContext host, void* moduleInstance);
