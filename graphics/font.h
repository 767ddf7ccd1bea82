// Fonts: Font, FontFamily and FontCollection.
//
// A FontFamily owns the native family it holds and releases it once (on Delete or when it goes
// away), like every other wrapper; a FontCollection never owns its native collection (the
// program only borrows the installed one).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/object.h"
#include "graphics/text.h"

namespace graphics {

class FontFamily : public GdipClass<Gdiplus::GpFontFamily, dll::GdipDeleteFontFamily> {
 public:
  bool CreateFromName(const char* name, const GdipObject* collection = nullptr);
  // name: UTF-16 bytes.
  bool CreateFromNameW(const ByteArray& name, const GdipObject* collection = nullptr);
  bool GenericSansSerif() { return C<dll::GdipGetGenericFontFamilySansSerif>(); }
  bool GenericSerif() { return C<dll::GdipGetGenericFontFamilySerif>(); }
  bool GenericMonospace() { return C<dll::GdipGetGenericFontFamilyMonospace>(); }
  bool Clone(FontFamily& target) const { return K<dll::GdipCloneFontFamily>(target); }

  // The name (at most 32 UTF-16 units) in the OEM code page; empty on failure.
  std::string GetFamilyName() const;
  // The same 64-byte UTF-16 buffer as it is.
  ByteArray GetFamilyNameW() const;
  bool IsStyleAvailable(int style) const { return Q<dll::GdipIsStyleAvailable>(style); }
  int GetEmHeight(int style) const { return G<dll::GdipGetEmHeight>(style); }
  int GetCellAscent(int style) const { return G<dll::GdipGetCellAscent>(style); }
  int GetCellDescent(int style) const { return G<dll::GdipGetCellDescent>(style); }
  int GetLineSpacing(int style) const { return G<dll::GdipGetLineSpacing>(style); }
};

namespace detail {
// A collection is borrowed: nothing is released.
struct KeepCollection {
  GpStatus operator()(Gdiplus::GpFontCollection*) const { return Gdiplus::Ok; }
};
inline constexpr KeepCollection kKeepCollection{};
}  // namespace detail

class FontCollection : public GdipClass<Gdiplus::GpFontCollection, detail::kKeepCollection, true> {
 public:
  int GetFamilyCount() const { return G<dll::GdipGetFontCollectionFamilyCount>(); }
  // families is replaced by count new families, filled with the first ones found; returns
  // how many were found. A count below 1 is InvalidParameter without asking GDI+.
  int GetFamilies(int count, std::vector<FontFamily>& families) const;
};

class Font : public GdipClass<Gdiplus::GpFont, dll::GdipDeleteFont> {
 public:
  bool Create(const GdipObject& family, float emSize, int style = 0, int unit = 0) {
    return C<dll::GdipCreateFont>(family, emSize, style, unit);
  }
  // The system's default GUI font, for the screen.
  bool CreateDefault();
  // A font of the named family; false (and no family left behind) when it is not installed.
  bool CreateByName(const char* familyName, float emSize, int style = 0, int unit = 0);
  bool CreateByNameW(const ByteArray& familyName, float emSize, int style = 0, int unit = 0);
  bool FromDC(HDC hdc) { return C<dll::GdipCreateFontFromDC>(hdc); }
  // hfont 0 (or one GDI cannot describe): the font selected into hdc.
  bool FromHFONT(HDC hdc, HFONT hfont);
  bool FromLogfontA(HDC hdc, const LOGFONTA* logfont) {
    return logfont ? C<dll::GdipCreateFontFromLogfontA>(hdc, logfont) : FromDC(hdc);
  }
  bool FromLogfontW(HDC hdc, const LOGFONTW* logfont) {
    return logfont ? C<dll::GdipCreateFontFromLogfontW>(hdc, logfont) : FromDC(hdc);
  }
  bool Clone(Font& target) const { return K<dll::GdipCloneFont>(target); }

  // logfont receives the LOGFONTA (60 bytes) or LOGFONTW (92 bytes).
  bool GetLogFontA(const GdipObject& graphics, ByteArray& logfont) const;
  bool GetLogFontW(const GdipObject& graphics, ByteArray& logfont) const;
  bool GetFamily(FontFamily& target) const { return K<dll::GdipGetFamily>(target); }
  int GetStyle() const { return G<dll::GdipGetFontStyle>(); }
  float GetSize() const { return G<dll::GdipGetFontSize>(); }
  int GetUnit() const { return G<dll::GdipGetFontUnit>(); }
  float GetHeight(const GdipObject& graphics) const { return G<dll::GdipGetFontHeight>(graphics); }
  float GetHeightGivenDPI(float dpi) const { return G<dll::GdipGetFontHeightGivenDPI>(dpi); }

 private:
  bool CreateWithFamily(FontFamily& family, float emSize, int style, int unit);
};

}  // namespace graphics
