#include "vst3/SingleComponentEffect.h"

namespace Steinberg {
namespace Vst {

//------------------------------------------------------------------------
SingleComponentEffect::SingleComponentEffect ()
: audioInputs (kAudio, kInput)
, audioOutputs (kAudio, kOutput)
, eventInputs (kEvent, kInput)
, eventOutputs (kEvent, kOutput)
{
	processSetup.processMode = kRealtime;
	processSetup.symbolicSampleSize = kSample32;
	processSetup.maxSamplesPerBlock = 1024;
	processSetup.sampleRate = 44100.0;
}

//------------------------------------------------------------------------
SingleComponentEffect::~SingleComponentEffect () = default;

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::initialize (FUnknown* context)
{
	return EditController::initialize (context);
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::terminate ()
{
	removeAudioBusses ();
	removeEventBusses ();
	return EditController::terminate ();
}

//------------------------------------------------------------------------
AudioBus* SingleComponentEffect::addAudioInput (const TChar* name, SpeakerArrangement arr,
                                                BusType busType, int32 flags)
{
	auto* newBus = new AudioBus (name, busType, flags, arr);
	audioInputs.emplace_back (owned (newBus));
	return newBus;
}

//------------------------------------------------------------------------
AudioBus* SingleComponentEffect::addAudioOutput (const TChar* name, SpeakerArrangement arr,
                                                 BusType busType, int32 flags)
{
	auto* newBus = new AudioBus (name, busType, flags, arr);
	audioOutputs.emplace_back (owned (newBus));
	return newBus;
}

//------------------------------------------------------------------------
EventBus* SingleComponentEffect::addEventInput (const TChar* name, int32 channels,
                                                BusType busType, int32 flags)
{
	auto* newBus = new EventBus (name, busType, flags, channels);
	eventInputs.emplace_back (owned (newBus));
	return newBus;
}

//------------------------------------------------------------------------
EventBus* SingleComponentEffect::addEventOutput (const TChar* name, int32 channels,
                                                 BusType busType, int32 flags)
{
	auto* newBus = new EventBus (name, busType, flags, channels);
	eventOutputs.emplace_back (owned (newBus));
	return newBus;
}

//------------------------------------------------------------------------
namespace {
template <typename BusClass>
BusClass* busAt (BusList& list, int32 index)
{
	if (index < 0 || index >= static_cast<int32> (list.size ()))
		return nullptr;
	return FCast<BusClass> (list[static_cast<size_t> (index)].get ());
}
} // anonymous namespace

//------------------------------------------------------------------------
AudioBus* SingleComponentEffect::getAudioInput (int32 index)
{
	return busAt<AudioBus> (audioInputs, index);
}

//------------------------------------------------------------------------
AudioBus* SingleComponentEffect::getAudioOutput (int32 index)
{
	return busAt<AudioBus> (audioOutputs, index);
}

//------------------------------------------------------------------------
EventBus* SingleComponentEffect::getEventInput (int32 index)
{
	return busAt<EventBus> (eventInputs, index);
}

//------------------------------------------------------------------------
EventBus* SingleComponentEffect::getEventOutput (int32 index)
{
	return busAt<EventBus> (eventOutputs, index);
}

//------------------------------------------------------------------------
tresult SingleComponentEffect::removeAudioBusses ()
{
	audioInputs.clear ();
	audioOutputs.clear ();
	return kResultOk;
}

//------------------------------------------------------------------------
tresult SingleComponentEffect::removeEventBusses ()
{
	eventInputs.clear ();
	eventOutputs.clear ();
	return kResultOk;
}

//------------------------------------------------------------------------
BusList* SingleComponentEffect::getBusList (MediaType type, BusDirection dir)
{
	if (type == kAudio)
		return dir == kInput ? &audioInputs : &audioOutputs;
	if (type == kEvent)
		return dir == kInput ? &eventInputs : &eventOutputs;
	return nullptr;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::getControllerClassId (TUID /*classID*/)
{
	// The component is its own controller: there is no separate controller class.
	return kNotImplemented;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::setIoMode (IoMode /*mode*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
int32 PLUGIN_API SingleComponentEffect::getBusCount (MediaType type, BusDirection dir)
{
	const BusList* busList = getBusList (type, dir);
	return busList ? static_cast<int32> (busList->size ()) : 0;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::getBusInfo (MediaType type, BusDirection dir,
                                                      int32 index, BusInfo& info)
{
	BusList* busList = getBusList (type, dir);
	if (busList == nullptr || index < 0 || index >= static_cast<int32> (busList->size ()))
		return kInvalidArgument;

	Bus* bus = busList->at (static_cast<size_t> (index));
	info.mediaType = type;
	info.direction = dir;
	return bus->getInfo (info) ? kResultTrue : kResultFalse;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::getRoutingInfo (RoutingInfo& /*inInfo*/,
                                                          RoutingInfo& /*outInfo*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::activateBus (MediaType type, BusDirection dir,
                                                       int32 index, TBool state)
{
	BusList* busList = getBusList (type, dir);
	if (busList == nullptr || index < 0 || index >= static_cast<int32> (busList->size ()))
		return kInvalidArgument;

	busList->at (static_cast<size_t> (index))->setActive (state);
	return kResultTrue;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::setActive (TBool /*state*/)
{
	return kResultOk;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
	// The container's index lookup is unchecked; a host may probe past the end.
	if (paramIndex < 0 || paramIndex >= parameters.getParameterCount ())
		return kResultFalse;
	return EditController::getParameterInfo (paramIndex, info);
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::setState (IBStream* /*state*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::getState (IBStream* /*state*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::setBusArrangements (SpeakerArrangement* inputs,
                                                              int32 numIns,
                                                              SpeakerArrangement* outputs,
                                                              int32 numOuts)
{
	if (numIns < 0 || numOuts < 0)
		return kInvalidArgument;
	if (numIns > 0 && inputs == nullptr)
		return kInvalidArgument;
	if (numOuts > 0 && outputs == nullptr)
		return kInvalidArgument;
	if (numIns != static_cast<int32> (audioInputs.size ()) ||
	    numOuts != static_cast<int32> (audioOutputs.size ()))
		return kResultFalse;

	for (int32 index = 0; index < numIns; ++index)
	{
		if (AudioBus* bus = getAudioInput (index))
			bus->setArrangement (inputs[index]);
	}
	for (int32 index = 0; index < numOuts; ++index)
	{
		if (AudioBus* bus = getAudioOutput (index))
			bus->setArrangement (outputs[index]);
	}
	return kResultTrue;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::getBusArrangement (BusDirection dir, int32 index,
                                                             SpeakerArrangement& arr)
{
	AudioBus* bus = dir == kInput ? getAudioInput (index) : getAudioOutput (index);
	if (bus == nullptr)
		return kResultFalse;
	arr = bus->getArrangement ();
	return kResultTrue;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::setupProcessing (ProcessSetup& setup)
{
	if (canProcessSampleSize (setup.symbolicSampleSize) != kResultTrue)
		return kResultFalse;
	processSetup = setup;
	return kResultOk;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::setProcessing (TBool /*state*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::process (ProcessData& /*data*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
tresult PLUGIN_API SingleComponentEffect::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, IComponent::iid, IComponent)
	QUERY_INTERFACE (iid, obj, IAudioProcessor::iid, IAudioProcessor)
	return EditController::queryInterface (iid, obj);
}

//------------------------------------------------------------------------
} // namespace Vst
} // namespace Steinberg
