// The class factory a VST 3 module hands to the host from GetPluginFactory.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <mutex>
#include <vector>

namespace Steinberg {

//------------------------------------------------------------------------
/** Default class factory implementation.
\ingroup pluginBase

The module registers its classes once, each with a create function; the host asks for
class information and creates instances by class id. Strings are kept in both the 8-bit
and the UTF-16 form so that every factory version can answer.
*/
class CPluginFactory : public IPluginFactory3
{
public:
	using CreateFunction = FUnknown* (*)(void* context);

	CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	CPluginFactory (const CPluginFactory&) = delete;
	CPluginFactory& operator= (const CPluginFactory&) = delete;

	/** Registers a plug-in class with classInfo version 1, returns true for success. */
	bool registerClass (const PClassInfo* info, CreateFunction createFunc,
	                    void* context = nullptr);
	/** Registers a plug-in class with classInfo version 2, returns true for success. */
	bool registerClass (const PClassInfo2* info, CreateFunction createFunc,
	                    void* context = nullptr);
	/** Registers a plug-in class with classInfo Unicode version, returns true for success. */
	bool registerClass (const PClassInfoW* info, CreateFunction createFunc,
	                    void* context = nullptr);

	/** Checks whether a class with the given id is registered. */
	bool isClassRegistered (const FUID& cid) const;

	/** Removes all registered classes. */
	void removeAllClasses ();

	//---from IPluginFactory------
	tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
	int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (FIDString cid, FIDString _iid, void** obj) SMTG_OVERRIDE;

	//---from IPluginFactory2-----
	tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;

	//---from IPluginFactory3-----
	tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
	tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

	/** Guards gPluginFactory: hold it to find or create the module's factory. Hosts may ask
	    for the factory, and release it, on several threads at once. */
	static std::mutex& singletonLock ();

	//---from FUnknown------------
	DECLARE_FUNKNOWN_METHODS

protected:
	struct PClassEntry
	{
		PClassInfo2 info8;
		PClassInfoW info16;
		CreateFunction createFunc;
		void* context;
	};

	const PClassEntry* findEntry (int32 index) const;

	PFactoryInfo factoryInfo;
	std::vector<PClassEntry> classes;
};

/** The module's factory singleton; CPluginFactory clears it when it is destroyed. */
extern CPluginFactory* gPluginFactory;

//------------------------------------------------------------------------
} // namespace Steinberg
