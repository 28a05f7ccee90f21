#include "vst3/CPluginFactory.h"

#include <cstring>

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;

//------------------------------------------------------------------------
namespace {

// Copies at most dstSize units and pads the rest with NULs; a source that fills the
// whole field is kept as long as it fits, like the fixed-size fields of the info records.
template <typename Dst, typename Src>
void copyField (Dst* dst, const Src* src, size_t dstSize)
{
	size_t i = 0;
	if (src)
	{
		for (; i < dstSize && src[i] != 0; ++i)
			dst[i] = static_cast<Dst> (src[i]);
	}
	for (; i < dstSize; ++i)
		dst[i] = 0;
}

// Widening treats every byte as one UTF-16 unit (Latin-1), never sign-extended.
void widenField (char16* dst, const char8* src, size_t dstSize)
{
	size_t i = 0;
	for (; i < dstSize && src[i] != 0; ++i)
		dst[i] = static_cast<char16> (static_cast<unsigned char> (src[i]));
	for (; i < dstSize; ++i)
		dst[i] = 0;
}

// Narrowing keeps the low byte of each unit.
void narrowField (char8* dst, const char16* src, size_t dstSize)
{
	size_t i = 0;
	for (; i < dstSize && src[i] != 0; ++i)
		dst[i] = static_cast<char8> (src[i] & 0xFF);
	for (; i < dstSize; ++i)
		dst[i] = 0;
}

template <size_t N, typename T>
constexpr size_t fieldSize (const T (&)[N])
{
	return N;
}

PClassInfoW toUnicode (const PClassInfo2& info8)
{
	PClassInfoW info16;
	std::memcpy (info16.cid, info8.cid, sizeof (TUID));
	info16.cardinality = info8.cardinality;
	copyField (info16.category, info8.category, fieldSize (info16.category));
	widenField (info16.name, info8.name, fieldSize (info16.name));
	info16.classFlags = info8.classFlags;
	copyField (info16.subCategories, info8.subCategories, fieldSize (info16.subCategories));
	widenField (info16.vendor, info8.vendor, fieldSize (info16.vendor));
	widenField (info16.version, info8.version, fieldSize (info16.version));
	widenField (info16.sdkVersion, info8.sdkVersion, fieldSize (info16.sdkVersion));
	return info16;
}

PClassInfo2 toAscii (const PClassInfoW& info16)
{
	PClassInfo2 info8;
	std::memcpy (info8.cid, info16.cid, sizeof (TUID));
	info8.cardinality = info16.cardinality;
	copyField (info8.category, info16.category, fieldSize (info8.category));
	narrowField (info8.name, info16.name, fieldSize (info8.name));
	info8.classFlags = info16.classFlags;
	copyField (info8.subCategories, info16.subCategories, fieldSize (info8.subCategories));
	narrowField (info8.vendor, info16.vendor, fieldSize (info8.vendor));
	narrowField (info8.version, info16.version, fieldSize (info8.version));
	narrowField (info8.sdkVersion, info16.sdkVersion, fieldSize (info8.sdkVersion));
	return info8;
}

} // anonymous namespace

//------------------------------------------------------------------------
CPluginFactory::CPluginFactory (const PFactoryInfo& info) : factoryInfo (info)
{
	FUNKNOWN_CTOR
}

//------------------------------------------------------------------------
CPluginFactory::~CPluginFactory ()
{
	if (gPluginFactory == this)
		gPluginFactory = nullptr;
	FUNKNOWN_DTOR
}

//------------------------------------------------------------------------
std::mutex& CPluginFactory::singletonLock ()
{
	static std::mutex lock;
	return lock;
}

//------------------------------------------------------------------------
uint32 PLUGIN_API CPluginFactory::addRef ()
{
	return FUnknownPrivate::atomicAdd (__funknownRefCount, 1);
}

//------------------------------------------------------------------------
uint32 PLUGIN_API CPluginFactory::release ()
{
	// The last reference goes under the singleton lock, so that GetPluginFactory never hands
	// out a factory another thread is destroying.
	std::lock_guard<std::mutex> guard (singletonLock ());
	if (FUnknownPrivate::atomicAdd (__funknownRefCount, -1) == 0)
	{
		delete this;
		return 0;
	}
	return __funknownRefCount;
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::queryInterface (const TUID _iid, void** obj)
{
	QUERY_INTERFACE (_iid, obj, IPluginFactory::iid, IPluginFactory)
	QUERY_INTERFACE (_iid, obj, IPluginFactory2::iid, IPluginFactory2)
	QUERY_INTERFACE (_iid, obj, IPluginFactory3::iid, IPluginFactory3)
	QUERY_INTERFACE (_iid, obj, FUnknown::iid, IPluginFactory)
	*obj = nullptr;
	return kNoInterface;
}

//------------------------------------------------------------------------
bool CPluginFactory::registerClass (const PClassInfo* info, CreateFunction createFunc,
                                    void* context)
{
	if (info == nullptr || createFunc == nullptr)
		return false;

	PClassInfo2 info2;
	std::memcpy (info2.cid, info->cid, sizeof (TUID));
	info2.cardinality = info->cardinality;
	copyField (info2.category, info->category, fieldSize (info2.category));
	copyField (info2.name, info->name, fieldSize (info2.name));
	return registerClass (&info2, createFunc, context);
}

//------------------------------------------------------------------------
bool CPluginFactory::registerClass (const PClassInfo2* info, CreateFunction createFunc,
                                    void* context)
{
	if (info == nullptr || createFunc == nullptr)
		return false;

	classes.push_back ({*info, toUnicode (*info), createFunc, context});
	return true;
}

//------------------------------------------------------------------------
bool CPluginFactory::registerClass (const PClassInfoW* info, CreateFunction createFunc,
                                    void* context)
{
	if (info == nullptr || createFunc == nullptr)
		return false;

	classes.push_back ({toAscii (*info), *info, createFunc, context});
	return true;
}

//------------------------------------------------------------------------
bool CPluginFactory::isClassRegistered (const FUID& cid) const
{
	for (const PClassEntry& entry : classes)
	{
		if (cid == FUID::fromTUID (entry.info8.cid))
			return true;
	}
	return false;
}

//------------------------------------------------------------------------
void CPluginFactory::removeAllClasses ()
{
	classes.clear ();
}

//------------------------------------------------------------------------
const CPluginFactory::PClassEntry* CPluginFactory::findEntry (int32 index) const
{
	if (index < 0 || index >= static_cast<int32> (classes.size ()))
		return nullptr;
	return &classes[static_cast<size_t> (index)];
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
	if (info == nullptr)
		return kInvalidArgument;
	*info = factoryInfo;
	return kResultOk;
}

//------------------------------------------------------------------------
int32 PLUGIN_API CPluginFactory::countClasses ()
{
	return static_cast<int32> (classes.size ());
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
	const PClassEntry* entry = findEntry (index);
	if (info == nullptr || entry == nullptr)
		return kInvalidArgument;

	*info = PClassInfo ();
	std::memcpy (info->cid, entry->info8.cid, sizeof (TUID));
	info->cardinality = entry->info8.cardinality;
	copyField (info->category, entry->info8.category, fieldSize (info->category));
	copyField (info->name, entry->info8.name, fieldSize (info->name));
	return kResultOk;
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
	const PClassEntry* entry = findEntry (index);
	if (info == nullptr || entry == nullptr)
		return kInvalidArgument;

	*info = entry->info8;
	return kResultOk;
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
	const PClassEntry* entry = findEntry (index);
	if (info == nullptr || entry == nullptr)
		return kInvalidArgument;

	*info = entry->info16;
	return kResultOk;
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString _iid, void** obj)
{
	if (obj == nullptr)
		return kInvalidArgument;
	*obj = nullptr;
	if (cid == nullptr || _iid == nullptr)
		return kInvalidArgument;

	for (const PClassEntry& entry : classes)
	{
		if (!FUnknownPrivate::iidEqual (entry.info8.cid, cid))
			continue;

		FUnknown* instance = entry.createFunc (entry.context);
		if (instance == nullptr)
			break;

		if (instance->queryInterface (_iid, obj) == kResultOk)
		{
			// The interface holds its own reference; the creation reference is dropped.
			instance->release ();
			return kResultOk;
		}
		instance->release ();
		*obj = nullptr;
		break;
	}
	return kNoInterface;
}

//------------------------------------------------------------------------
tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* /*context*/)
{
	return kNotImplemented;
}

//------------------------------------------------------------------------
} // namespace Steinberg
