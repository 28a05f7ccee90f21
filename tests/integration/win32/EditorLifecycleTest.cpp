// Opening, closing and re-opening the editor, and two instances with editors open at once:
// no GDI object is left behind, and the window class "IEffectWndClass" of the module stays
// registered exactly while one of its editors is open.

#include <windows.h>

#include "tests/integration/win32/EditorWindowFixture.h"
#include "tests/integration/win32/GdiObjectCount.h"

namespace winetest
{
namespace
{

HWND Window(void* handle)
{
  return static_cast<HWND>(handle);
}

bool ClassRegistered(HINSTANCE module)
{
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  return GetClassInfoExA(module, WindowEditor::kEditorClass, &description) != FALSE;
}

TEST(GdiObjectCount, CountsEveryObjectMadeAndEveryObjectFreed)
{
  // The first device context of a process sets up the display driver's own objects.
  DeleteDC(CreateCompatibleDC(nullptr));
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 0) << "the process has no GDI handle table";

  // A deliberate leak of one brush, then of a device context with a bitmap.
  const HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(LiveGdiObjects(), before + 1);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, 16, 16);
  ASSERT_TRUE(dc && bitmap);
  EXPECT_EQ(LiveGdiObjects(), before + 3);

  DeleteObject(bitmap);
  DeleteDC(dc);
  DeleteObject(brush);
  EXPECT_EQ(LiveGdiObjects(), before);
}

class EditorLifecycle : public EditorWindow
{
protected:
  // The module instance an open editor window was created with: the one that registered the
  // window class.
  static HINSTANCE ModuleOf(const WindowEditor& window)
  {
    return reinterpret_cast<HINSTANCE>(
        GetWindowLongPtrA(Window(window.EditorWindow()), GWLP_HINSTANCE));
  }

  // Opens the editors of the instances at once, draws, turns each one's effect switch on and
  // off again and closes them. What that creates once lives on: the module's cached images
  // and fonts and the glyph canvases, and the window caches of the system, which keep a
  // device context, a region and a bitmap for each window that was open at the same time as
  // another (plain windows of a plain program show the same).
  void WarmUp(std::initializer_list<PluginInstance*> instances)
  {
    for (PluginInstance* instance : instances)
    {
      WindowEditor* window = Open(instance);
      ASSERT_NE(window, nullptr);
      Shown(*window);
      EXPECT_TRUE(window->Click(kSwitchX, kSwitchY));
      EXPECT_TRUE(window->Click(kSwitchX, kSwitchY));
      Shown(*window);
    }
    for (PluginInstance* instance : instances)
      instance->CloseEditor();
    editor = nullptr;
  }
};

TEST_P(EditorLifecycle, OpeningClosingAndReopeningLeaksNoGdiObjects)
{
  WarmUp({plugin.get()});
  const int before = LiveGdiObjects();
  HINSTANCE module = nullptr;
  for (int round = 0; round < 3; ++round)
  {
    ASSERT_NE(Open(), nullptr);
    module = ModuleOf(*editor);
    EXPECT_TRUE(ClassRegistered(module)) << "round " << round;
    Shown();
    EXPECT_TRUE(editor->Click(kSwitchX, kSwitchY));
    Shown();
    Close();
    EXPECT_FALSE(ClassRegistered(module)) << "round " << round;
    EXPECT_EQ(LiveGdiObjects(), before) << "round " << round;
  }
  EXPECT_EQ(module,
            GetModuleHandleA(IsVst2() ? wineinstall::kVst2Module : wineinstall::kVst3Module));
}

TEST_P(EditorLifecycle, TwoInstancesWithEditorsOpenAtOnceShareTheClassAndLeakNothing)
{
  auto second = Load();
  ASSERT_NE(second, nullptr);
  WarmUp({plugin.get(), second.get()});
  const int before = LiveGdiObjects();
  const int effect = Index("MainFxOffOn");

  ASSERT_NE(Open(), nullptr);
  WindowEditor* other = Open(second.get());
  ASSERT_NE(other, nullptr);
  const HINSTANCE module = ModuleOf(*editor);
  EXPECT_EQ(ModuleOf(*other), module);
  EXPECT_NE(other->EditorWindow(), editor->EditorWindow());
  const PngPicture first = Shown();
  EXPECT_EQ(PictureDifference(Shown(*other), first), "");

  // Closing the first keeps the class for the second, which goes on working.
  Close();
  EXPECT_TRUE(ClassRegistered(module));
  ASSERT_TRUE(other->IsOpen());
  EXPECT_TRUE(other->Click(kSwitchX, kSwitchY));
  EXPECT_EQ(second->Normalized(effect), 1.0);
  EXPECT_EQ(plugin->Normalized(effect), 0.0);
  EXPECT_NE(PictureDifference(Shown(*other), first), "") << "the second editor redrew its switch";

  second->CloseEditor();
  EXPECT_FALSE(ClassRegistered(module));
  EXPECT_EQ(LiveGdiObjects(), before);

  // Both open again, closed in the other order.
  ASSERT_NE(Open(), nullptr);
  other = Open(second.get());
  ASSERT_NE(other, nullptr);
  Shown();
  second->CloseEditor();
  EXPECT_TRUE(ClassRegistered(module));
  EXPECT_TRUE(editor->WaitForRedraw()) << "the first editor still runs";
  Close();
  EXPECT_FALSE(ClassRegistered(module));
  EXPECT_EQ(LiveGdiObjects(), before);
}

WINE_MODULE_SUITE(EditorLifecycle);

}  // namespace
}  // namespace winetest
