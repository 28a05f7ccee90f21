// Text on Linux: fontconfig picks the font file for a request (so "Arial"
// resolves to the metric-compatible Liberation Sans) and FreeType renders the
// characters. Sizes follow GDI: a positive height is the character cell,
// ascent plus descent from the font's Windows metrics, so line heights and
// advances match what the glyph cache expects of the platform.
#include "raster/RasterFontBackend.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

namespace
{
// The cell height used for a request of height 0.
constexpr std::int32_t kDefaultCellHeight = 12;
constexpr double kPi = 3.14159265358979323846;

// The FreeType library, shared by every face and alive while any face is.
// FreeType needs creating and destroying faces serialised per library.
class FreeTypeLibrary
{
public:
  // Never destroyed: fonts held by static caches close their faces during
  // static destruction, in an order this object cannot know. It lives in
  // static storage rather than on the heap, so unloading the module leaks
  // nothing; FreeType itself is shut down when the last face closes.
  static FreeTypeLibrary& Instance()
  {
    alignas(FreeTypeLibrary) static unsigned char storage[sizeof(FreeTypeLibrary)];
    static FreeTypeLibrary* const library = new (storage) FreeTypeLibrary;
    return *library;
  }

  FT_Face Open(const char* file, int index)
  {
    const std::lock_guard<std::mutex> hold(lock);
    if (faces == 0 && FT_Init_FreeType(&library) != 0)
      return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file, index, &face) != 0)
      face = nullptr;
    if (face != nullptr)
      ++faces;
    else if (faces == 0)
      FT_Done_FreeType(library);
    return face;
  }

  void Close(FT_Face face)
  {
    if (face == nullptr)
      return;
    const std::lock_guard<std::mutex> hold(lock);
    FT_Done_Face(face);
    if (--faces == 0)
      FT_Done_FreeType(library);
  }

private:
  FreeTypeLibrary() = default;

  std::mutex lock;
  FT_Library library = nullptr;
  int faces = 0;
};

std::int32_t RoundToPixels(double value)
{
  return static_cast<std::int32_t>(std::lround(value));
}

// A face for characters the first font lacks.
struct FallbackFace
{
  std::string file;
  int index;
  FT_Face face;
};

// The Linux font handle.
class FontFaces
{
public:
  ~FontFaces()
  {
    for (const FallbackFace& fallback : fallbacks)
      FreeTypeLibrary::Instance().Close(fallback.face);
    FreeTypeLibrary::Instance().Close(primary);
    if (request != nullptr)
      FcPatternDestroy(request);
  }

  // The pattern the font was asked for, kept to find fallbacks.
  FcPattern* request = nullptr;
  FT_Face primary = nullptr;
  std::string primaryFile;
  int primaryIndex = 0;
  FT_F26Dot6 emSize = 0;
  std::int32_t lineHeight = 0;
  std::int32_t ascent = 0;
  FT_Int32 loadFlags = FT_LOAD_DEFAULT;
  FT_Render_Mode renderMode = FT_RENDER_MODE_NORMAL;
  bool embolden = false;
  bool transformed = false;
  FT_Matrix transform{0x10000, 0, 0, 0x10000};
  std::vector<FallbackFace> fallbacks;

  // The face and glyph index that show `code`: the font's own, a fallback
  // that fontconfig finds for the character, or the font's missing-glyph box.
  FT_Face FaceFor(std::uint16_t code, FT_UInt& index)
  {
    if (code == memoCode && memoFace != nullptr)
    {
      index = memoIndex;
      return memoFace;
    }
    FT_Face face = primary;
    index = FT_Get_Char_Index(primary, code);
    if (index == 0)
    {
      if (FT_Face fallback = Fallback(code))
      {
        face = fallback;
        index = FT_Get_Char_Index(fallback, code);
      }
    }
    memoCode = code;
    memoFace = face;
    memoIndex = index;
    return face;
  }

private:
  FT_Face Fallback(std::uint16_t code);

  std::uint16_t memoCode = 0;
  FT_Face memoFace = nullptr;
  FT_UInt memoIndex = 0;
};

bool SizeFace(FT_Face face, FT_F26Dot6 emSize)
{
  if (!FT_IS_SCALABLE(face))
    return face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0;
  FT_Size_RequestRec size{};
  size.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
  size.height = emSize;
  return FT_Request_Size(face, &size) == 0;
}

// The matched font's file and face index.
bool FontFile(FcPattern* match, std::string& file, int& index)
{
  FcChar8* path = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &path) != FcResultMatch || path == nullptr)
    return false;
  file = reinterpret_cast<const char*>(path);
  index = 0;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  return true;
}

// The best match for `pattern` after the configuration's substitutions; the
// caller destroys it.
FcPattern* Match(const FcPattern* pattern)
{
  FcPattern* const query = FcPatternDuplicate(pattern);
  if (query == nullptr)
    return nullptr;
  FcConfigSubstitute(nullptr, query, FcMatchPattern);
  FcDefaultSubstitute(query);
  FcResult result = FcResultNoMatch;
  FcPattern* const match = FcFontMatch(nullptr, query, &result);
  FcPatternDestroy(query);
  return match;
}

FT_Face FontFaces::Fallback(std::uint16_t code)
{
  FcPattern* const query = FcPatternDuplicate(request);
  FcCharSet* const wanted = FcCharSetCreate();
  FT_Face face = nullptr;
  if (query != nullptr && wanted != nullptr && FcCharSetAddChar(wanted, code) &&
      FcPatternAddCharSet(query, FC_CHARSET, wanted))
  {
    FcPattern* const match = Match(query);
    FcCharSet* offered = nullptr;
    std::string file;
    int index = 0;
    if (match != nullptr && FcPatternGetCharSet(match, FC_CHARSET, 0, &offered) == FcResultMatch &&
        FcCharSetHasChar(offered, code) && FontFile(match, file, index) &&
        !(file == primaryFile && index == primaryIndex))
    {
      for (const FallbackFace& known : fallbacks)
      {
        if (known.file == file && known.index == index)
          face = known.face;
      }
      if (face == nullptr)
      {
        face = FreeTypeLibrary::Instance().Open(file.c_str(), index);
        if (face != nullptr && !SizeFace(face, emSize))
        {
          FreeTypeLibrary::Instance().Close(face);
          face = nullptr;
        }
        if (face != nullptr)
        {
          try
          {
            fallbacks.push_back(FallbackFace{file, index, face});
          }
          catch (const std::bad_alloc&)
          {
            FreeTypeLibrary::Instance().Close(face);
            face = nullptr;
          }
        }
      }
    }
    if (match != nullptr)
      FcPatternDestroy(match);
  }
  if (wanted != nullptr)
    FcCharSetDestroy(wanted);
  if (query != nullptr)
    FcPatternDestroy(query);
  return face;
}

// Sizes the primary face so its cell matches the request, and records the
// line height and the baseline.
bool SizeFont(FontFaces& font, std::int32_t requestedHeight)
{
  FT_Face face = font.primary;
  const std::int32_t height = requestedHeight == 0 ? kDefaultCellHeight : requestedHeight;
  if (!FT_IS_SCALABLE(face))
  {
    if (!SizeFace(face, 0))
      return false;
    font.ascent = static_cast<std::int32_t>(face->size->metrics.ascender >> 6);
    font.lineHeight = static_cast<std::int32_t>(
        (face->size->metrics.ascender - face->size->metrics.descender) >> 6);
    return true;
  }

  // GDI's cell: the Windows ascent and descent when the font has them.
  double cellAscent = face->ascender;
  double cellDescent = -static_cast<double>(face->descender);
  if (const auto* const os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0)
  {
    cellAscent = os2->usWinAscent;
    cellDescent = os2->usWinDescent;
  }
  const double cellUnits = cellAscent + cellDescent;
  if (cellUnits <= 0.0 || face->units_per_EM == 0)
    return false;

  const double unitsPerEm = face->units_per_EM;
  const double em = height > 0 ? static_cast<double>(height) * unitsPerEm / cellUnits
                               : -static_cast<double>(height);
  // FreeType's sizes are 16.16 fixed point; far larger cannot be rendered anyway.
  if (!(em >= 1.0 && em <= 16384.0))
    return false;
  font.emSize = static_cast<FT_F26Dot6>(std::lround(em * 64.0));
  if (!SizeFace(face, font.emSize))
    return false;
  font.ascent = RoundToPixels(cellAscent * em / unitsPerEm);
  font.lineHeight =
      height > 0 ? height : font.ascent + RoundToPixels(cellDescent * em / unitsPerEm);
  return true;
}

// Rotation by the escapement, after any slant fontconfig asks for.
void SetTransform(FontFaces& font, FcPattern* match, std::int32_t escapement)
{
  double xx = 1.0, xy = 0.0, yx = 0.0, yy = 1.0;
  FcMatrix* slant = nullptr;
  if (FcPatternGetMatrix(match, FC_MATRIX, 0, &slant) == FcResultMatch && slant != nullptr)
  {
    xx = slant->xx;
    xy = slant->xy;
    yx = slant->yx;
    yy = slant->yy;
  }
  const double angle = static_cast<double>(escapement) / 10.0 * kPi / 180.0;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double rxx = c * xx - s * yx;
  const double rxy = c * xy - s * yy;
  const double ryx = s * xx + c * yx;
  const double ryy = s * xy + c * yy;
  const auto fixed = [](double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); };
  font.transform = FT_Matrix{fixed(rxx), fixed(rxy), fixed(ryx), fixed(ryy)};
  font.transformed = font.transform.xx != 0x10000 || font.transform.xy != 0 ||
                     font.transform.yx != 0 || font.transform.yy != 0x10000;
}

FcPattern* RequestPattern(const RasterFontRequest& request)
{
  FcPattern* const pattern = FcPatternCreate();
  if (pattern == nullptr)
    return nullptr;
  const int weight = FcWeightFromOpenType(std::clamp(request.weight, 1, 1000));
  bool added =
      FcPatternAddInteger(pattern, FC_WEIGHT, weight) &&
      FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (request.name != nullptr && request.name[0] != '\0')
    added = added &&
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.name));
  if (!added)
  {
    FcPatternDestroy(pattern);
    return nullptr;
  }
  return pattern;
}

bool IsControlCode(std::uint16_t code)
{
  return code < 32 || (code >= 127 && code < 160);
}

// Loads the glyph of `code` into its face's slot, untransformed for
// measuring or with the font's rotation for drawing.
FT_GlyphSlot LoadGlyph(FontFaces& font, std::uint16_t code, bool transformed)
{
  FT_UInt index = 0;
  FT_Face face = font.FaceFor(code, index);
  FT_Set_Transform(face, transformed && font.transformed ? &font.transform : nullptr, nullptr);
  const FT_Error error = FT_Load_Glyph(face, index, font.loadFlags);
  FT_Set_Transform(face, nullptr, nullptr);
  if (error != 0)
    return nullptr;
  if (font.embolden)
    FT_GlyphSlot_Embolden(face->glyph);
  return face->glyph;
}
}  // namespace

RasterFontHandle RasterCreateFontHandle(const RasterFontRequest& request)
{
  FcPattern* const pattern = RequestPattern(request);
  if (pattern == nullptr)
    return nullptr;
  std::unique_ptr<FontFaces> font(new (std::nothrow) FontFaces);
  if (!font)
  {
    FcPatternDestroy(pattern);
    return nullptr;
  }
  font->request = pattern;

  FcPattern* const match = Match(pattern);
  if (match == nullptr)
    return nullptr;
  FcBool embolden = FcFalse;
  FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
  font->embolden = embolden == FcTrue;
  SetTransform(*font, match, request.escapement);
  const bool found = FontFile(match, font->primaryFile, font->primaryIndex);
  FcPatternDestroy(match);
  if (!found)
    return nullptr;

  font->primary = FreeTypeLibrary::Instance().Open(font->primaryFile.c_str(), font->primaryIndex);
  if (font->primary == nullptr || !SizeFont(*font, request.height))
    return nullptr;
  // CreateFontA's NONANTIALIASED_QUALITY renders on/off pixels.
  if (request.quality == 3)
  {
    font->loadFlags = FT_LOAD_TARGET_MONO;
    font->renderMode = FT_RENDER_MODE_MONO;
  }
  return font.release();
}

void RasterDeleteFontHandle(RasterFontHandle font)
{
  delete static_cast<FontFaces*>(font);
}

std::int32_t RasterFontLineHeight(RasterFontHandle font, RasterSysBitmap& /*canvas*/)
{
  return font != nullptr ? static_cast<const FontFaces*>(font)->lineHeight : 0;
}

void RasterMeasureCharacter(RasterFontHandle handle, std::uint16_t code,
                            RasterSysBitmap& /*canvas*/, std::int32_t& width, std::int32_t& height)
{
  width = 0;
  height = 0;
  if (handle == nullptr || IsControlCode(code))
    return;
  FontFaces& font = *static_cast<FontFaces*>(handle);
  const FT_GlyphSlot slot = LoadGlyph(font, code, false);
  if (slot == nullptr)
    return;
  width = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
  height = font.lineHeight;
}

void RasterDrawCharacter(RasterFontHandle handle, std::uint16_t code, RasterSysBitmap& canvas)
{
  if (handle == nullptr || IsControlCode(code) || canvas.Bits() == nullptr)
    return;
  FontFaces& font = *static_cast<FontFaces*>(handle);
  const FT_GlyphSlot slot = LoadGlyph(font, code, true);
  if (slot == nullptr || FT_Render_Glyph(slot, font.renderMode) != 0)
    return;

  const FT_Bitmap& ink = slot->bitmap;
  if (ink.pixel_mode != FT_PIXEL_MODE_GRAY && ink.pixel_mode != FT_PIXEL_MODE_MONO)
    return;
  const bool mono = ink.pixel_mode == FT_PIXEL_MODE_MONO;
  const int rows = static_cast<int>(ink.rows);
  const int columns = static_cast<int>(ink.width);
  // A negative pitch means the rows run upward from the end of the buffer.
  const unsigned char* const top =
      ink.pitch >= 0 ? ink.buffer : ink.buffer + static_cast<std::ptrdiff_t>(rows - 1) * -ink.pitch;
  const int left = slot->bitmap_left;
  const int upper = font.ascent - slot->bitmap_top;
  for (int row = 0; row < rows; ++row)
  {
    const int y = upper + row;
    if (y < 0 || y >= canvas.Height())
      continue;
    const unsigned char* const source = top + static_cast<std::ptrdiff_t>(row) * ink.pitch;
    std::uint32_t* const destination = RasterRow(canvas, y);
    for (int column = 0; column < columns; ++column)
    {
      const int x = left + column;
      if (x < 0 || x >= canvas.Width())
        continue;
      const unsigned value =
          mono ? ((source[column / 8] >> (7 - column % 8)) & 1u) * 255u : source[column];
      const unsigned existing = (destination[x] >> 16) & 0xFFu;
      const unsigned grey = std::max(value, existing);
      destination[x] = (destination[x] & 0xFF000000u) | grey << 16 | grey << 8 | grey;
    }
  }
}
