// One object that is at the same time the VST 3 component, audio processor
// and edit controller of an effect, for plug-ins that keep processing and
// parameters in a single place.
#pragma once

#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

namespace Steinberg {
namespace Vst {

//------------------------------------------------------------------------
/** Default implementation for a combined VST 3 component and edit controller.
\ingroup vstClasses
- [extends EditController]
- [implements IComponent, IAudioProcessor]

The host sees one object; IComponent and IEditController both declare getState and
setState with the same signature, so a single override answers both interfaces.
*/
class SingleComponentEffect : public EditController, public IComponent, public IAudioProcessor
{
public:
	SingleComponentEffect ();
	~SingleComponentEffect () override;

	//---Internal Methods-------
	/** Creates and adds a new audio input bus and returns it. */
	AudioBus* addAudioInput (const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
	                         int32 flags = BusInfo::kDefaultActive);
	/** Creates and adds a new audio output bus and returns it. */
	AudioBus* addAudioOutput (const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
	                          int32 flags = BusInfo::kDefaultActive);
	/** Creates and adds a new event input bus and returns it. */
	EventBus* addEventInput (const TChar* name, int32 channels = 16, BusType busType = kMain,
	                         int32 flags = BusInfo::kDefaultActive);
	/** Creates and adds a new event output bus and returns it. */
	EventBus* addEventOutput (const TChar* name, int32 channels = 16, BusType busType = kMain,
	                          int32 flags = BusInfo::kDefaultActive);

	/** Returns the audio input bus with the given index, or null. */
	AudioBus* getAudioInput (int32 index);
	/** Returns the audio output bus with the given index, or null. */
	AudioBus* getAudioOutput (int32 index);
	/** Returns the event input bus with the given index, or null. */
	EventBus* getEventInput (int32 index);
	/** Returns the event output bus with the given index, or null. */
	EventBus* getEventOutput (int32 index);

	/** Removes all audio buses. */
	tresult removeAudioBusses ();
	/** Removes all event buses. */
	tresult removeEventBusses ();

	/** Returns the setup the host passed to the last successful setupProcessing. */
	const ProcessSetup& getProcessSetup () const { return processSetup; }

	//---from IPluginBase-------
	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API terminate () SMTG_OVERRIDE;

	//---from IComponent--------
	tresult PLUGIN_API getControllerClassId (TUID classID) SMTG_OVERRIDE;
	tresult PLUGIN_API setIoMode (IoMode mode) SMTG_OVERRIDE;
	int32 PLUGIN_API getBusCount (MediaType type, BusDirection dir) SMTG_OVERRIDE;
	tresult PLUGIN_API getBusInfo (MediaType type, BusDirection dir, int32 index,
	                               BusInfo& info) SMTG_OVERRIDE;
	tresult PLUGIN_API getRoutingInfo (RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
	tresult PLUGIN_API activateBus (MediaType type, BusDirection dir, int32 index,
	                                TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API setActive (TBool state) SMTG_OVERRIDE;

	//---from IEditController---
	tresult PLUGIN_API getParameterInfo (int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;

	//---from IComponent and IEditController-------
	tresult PLUGIN_API setState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API getState (IBStream* state) SMTG_OVERRIDE;

	//---from IAudioProcessor---
	tresult PLUGIN_API setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
	                                       SpeakerArrangement* outputs,
	                                       int32 numOuts) SMTG_OVERRIDE;
	tresult PLUGIN_API getBusArrangement (BusDirection dir, int32 index,
	                                      SpeakerArrangement& arr) SMTG_OVERRIDE;
	tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
	uint32 PLUGIN_API getLatencySamples () SMTG_OVERRIDE { return 0; }
	tresult PLUGIN_API setupProcessing (ProcessSetup& setup) SMTG_OVERRIDE;
	tresult PLUGIN_API setProcessing (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API process (ProcessData& data) SMTG_OVERRIDE;
	uint32 PLUGIN_API getTailSamples () SMTG_OVERRIDE { return kNoTail; }

	//---Interface---------
	OBJ_METHODS (SingleComponentEffect, EditController)
	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	REFCOUNT_METHODS (EditController)

protected:
	BusList* getBusList (MediaType type, BusDirection dir);

	ProcessSetup processSetup;

	BusList audioInputs;
	BusList audioOutputs;
	BusList eventInputs;
	BusList eventOutputs;
};

//------------------------------------------------------------------------
} // namespace Vst
} // namespace Steinberg
