// The editor side of the VST3 binding: the views a host creates, resize
// requests from the plug-in and the host's parameter menu.
#include "vst3/IEffectVST3.h"

#include "vst3/IEffectVST3View.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// The views array grows by this many entries at a time.
constexpr size_t kViewsGrowth = 10;

}  // namespace

tresult PLUGIN_API IEffectVST3::terminate()
{
  views.clear();
  return SingleComponentEffect::terminate();
}

IPlugView* PLUGIN_API IEffectVST3::createView(FIDString name)
{
  if (!name || std::strcmp(name, ViewType::kEditor) != 0 || !GetEditor())
    return nullptr;
  // Room first, so that the view cannot be made and then fail to be recorded.
  if (views.size() == views.capacity())
  {
    try
    {
      views.reserve(views.capacity() + kViewsGrowth);
    }
    catch (const std::bad_alloc&)
    {
      return nullptr;
    }
  }
  auto* view = new (std::nothrow) IEffectVST3View(this);
  if (!view)
    return nullptr;
  views.push_back(view);
  return view;
}

void IEffectVST3::RemoveView(IEffectVST3View* view)
{
  const auto found = std::find(views.begin(), views.end(), view);
  if (found != views.end())
    views.erase(found);
}

void IEffectVST3::ResizeEditor(int width, int height)
{
  if (GetEditor() && !views.empty())
    views.front()->RequestResize(width, height);
}

void IEffectVST3::ShowHostParamMenu(int index, int x, int y)
{
  IComponentHandler* const handler = getComponentHandler();
  if (!handler || views.empty() || index < 0)
    return;
  FUnknownPtr<IComponentHandler3> menus(handler);
  if (!menus)
    return;
  const ParamID id = static_cast<ParamID>(index);
  IContextMenu* const menu = menus->createContextMenu(views.front(), &id);
  if (!menu)
    return;
  menu->popup(x, y);
  menu->release();
}
