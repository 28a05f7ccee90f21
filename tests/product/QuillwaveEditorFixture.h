#pragma once

#include "engine/EngineParameterTable.h"
#include "graphics/IBitmapStrip.h"
#include "graphics/IControl.h"
#include "graphics/IMenu.h"
#include "graphics/ITextControl.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "graphics/linux/IOffscreenAnswers.h"
#include "product/Quillwave.h"
#include "product/QuillwaveEditor.h"
#include "raster/RasterBitmap.h"
#include "raster/RasterModuleResources.h"
#include "tests/product/TemporaryHome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

// Stands in for the user at the editor's menus and file dialogs.
class MockAnswers : public IOffscreenAnswers
{
public:
  MOCK_METHOD(IMenu*, ChooseFromMenu, (IMenu & menu, const IRectangle& rect), (override));
  MOCK_METHOD(bool, ChooseFile,
              (const std::string& file, IFileAction action, const std::string& folder,
               const std::string& extensions, std::string& chosenPath),
              (override));
};

inline uint32_t PixelAt(const RasterBitmap& bitmap, int x, int y)
{
  return RasterRow(bitmap, y)[x];
}

// A Quillwave plug-in whose editor shows the images compiled into this test
// program, with a temporary home holding the preset library, its factory
// presets and an empty user folder. The editor window is open and drawn.
class QuillwaveEditorTest : public ::testing::Test
{
protected:
  QuillwaveEditorTest()
  {
    const std::filesystem::path factory = home.MakeLibraryFolder("Factory");
    home.MakeLibraryFolder("User");
    for (const auto& entry : std::filesystem::directory_iterator(QUILLWAVE_FACTORY_PRESETS))
    {
      std::filesystem::copy_file(entry.path(), factory / entry.path().filename());
    }
    plugin = std::make_unique<Quillwave>(Quillwave::HostContext{}, RasterModuleResources());
    graphics = dynamic_cast<IGraphicsOffscreen*>(plugin->GetEditor());
    if (graphics == nullptr)
    {
      ADD_FAILURE() << "the Linux editor is not the off-screen host";
      return;
    }
    graphics->SetAnswers(&answers);
    plugin->OnReset();
    graphics->OpenWindow(nullptr);
    graphics->Tick();
  }

  ~QuillwaveEditorTest() override
  {
    if (graphics != nullptr)
    {
      graphics->SetAnswers(nullptr);
    }
  }

  std::string Library() const { return home.Path() + "/Documents/PleoAudio/Quillwave/Presets"; }

  IControl& Control(QuillwaveControl position) const
  {
    return *graphics->GetControl(static_cast<int>(position));
  }

  double Value(EngineParam index) const
  {
    return plugin->GetParam(static_cast<int>(index))->Value();
  }

  void Click(int x, int y)
  {
    IMouseModifiers left;
    left.left = true;
    graphics->OnMouseDown(x, y, left);
    graphics->OnMouseUp(x, y, left);
  }

  const RasterBitmap& Screen() const { return graphics->Screen(); }

  // The text of the preset strip.
  std::string PresetName() const
  {
    return dynamic_cast<const ITextControl&>(Control(QuillwaveControl::PresetName)).GetText();
  }

  TemporaryHome home;
  ::testing::NiceMock<MockAnswers> answers;
  std::unique_ptr<Quillwave> plugin;
  IGraphicsOffscreen* graphics = nullptr;
};
