// On Windows a system bitmap is a 32-bit top-down DIB section selected into
// a memory device context, so GDI can draw text into it and the window host
// can BitBlt it to the screen.
#include "raster/RasterSysSurface.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace
{
class DibSurface final : public RasterSysSurface
{
public:
  explicit DibSurface(HDC context) : context(context) {}

  ~DibSurface() override
  {
    Release();
    DeleteDC(context);
  }

  void* DeviceContext() const override { return context; }

  std::uint32_t* Allocate(std::int32_t width, std::int32_t height) override
  {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    // A negative height makes the rows run top-down.
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP const created = CreateDIBSection(context, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (created == nullptr || pixels == nullptr)
    {
      if (created != nullptr)
        DeleteObject(created);
      return nullptr;
    }
    dib = created;
    previous = SelectObject(context, dib);
    return static_cast<std::uint32_t*>(pixels);
  }

  void Release() override
  {
    if (dib == nullptr)
      return;
    // A DIB section still selected into a device context cannot be deleted.
    if (previous != nullptr)
      SelectObject(context, previous);
    previous = nullptr;
    DeleteObject(dib);
    dib = nullptr;
  }

private:
  HDC const context;
  HBITMAP dib = nullptr;
  HGDIOBJ previous = nullptr;
};
}  // namespace

std::unique_ptr<RasterSysSurface> RasterSysSurface::Create()
{
  HDC const context = CreateCompatibleDC(nullptr);
  if (context == nullptr)
    return nullptr;
  return std::make_unique<DibSurface>(context);
}
