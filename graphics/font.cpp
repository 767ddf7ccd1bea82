#include "graphics/font.h"

#include <cstring>

namespace graphics {

namespace {

// GDI+'s allocator for a LOGFONTA, given back when it goes.
struct LogfontMemory {
  LogfontMemory() : p(static_cast<LOGFONTA*>(GdipObject::Alloc(sizeof(LOGFONTA)))) {}
  ~LogfontMemory() {
    if (p) GdipObject::Free(p);
  }
  LogfontMemory(const LogfontMemory&) = delete;
  LogfontMemory& operator=(const LogfontMemory&) = delete;
  // Reads the font's description; false when GDI has none.
  bool Read(HGDIOBJ font) { return p && font && dll::GetObjectA(font, sizeof(LOGFONTA), p) != 0; }
  LOGFONTA* p;
};
static_assert(sizeof(LOGFONTA) == 60);

}  // namespace

bool FontFamily::CreateFromName(const char* name, const GdipObject* collection) {
  return CreateFromNameW(ToWideText(name), collection);
}

bool FontFamily::CreateFromNameW(const ByteArray& name, const GdipObject* collection) {
  // A terminated copy: GDI+ reads the name up to its zero unit.
  detail::WideText w = detail::Wide(name);
  std::wstring terminated(w.units, size_t(w.length));
  return C<dll::GdipCreateFontFamilyFromName>(terminated.c_str(), collection);
}

ByteArray FontFamily::GetFamilyNameW() const {
  ByteArray name(64, 0);
  WCHAR buffer[LF_FACESIZE + 1] = {};
  if (Record(dll::GdipGetFamilyName(handle(), buffer, 0))) std::memcpy(name.data(), buffer, 64);
  return name;
}

std::string FontFamily::GetFamilyName() const {
  ByteArray wide = GetFamilyNameW();
  const WCHAR* units = reinterpret_cast<const WCHAR*>(wide.data());
  int length = 0;
  while (length < 32 && units[length]) ++length;
  if (length == 0) return {};
  int n = dll::WideCharToMultiByte(CP_OEMCP, 0, units, length, nullptr, 0, nullptr, nullptr);
  std::string text(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) dll::WideCharToMultiByte(CP_OEMCP, 0, units, length, text.data(), n, nullptr, nullptr);
  return text;
}

int FontCollection::GetFamilies(int count, std::vector<FontFamily>& families) const {
  if (count < 1) {
    LastStatus = Gdiplus::InvalidParameter;
    return 0;
  }
  families.clear();
  families.resize(size_t(count));
  std::vector<Gdiplus::GpFontFamily*> natives(size_t(count), nullptr);
  INT found = 0;
  if (!Record(dll::GdipGetFontCollectionFamilyList(handle(), count, natives.data(), &found))) return found;
  for (size_t i = 0; i < natives.size(); ++i)
    if (natives[i]) families[i].SetNative(natives[i]);
  return found;
}

bool Font::CreateDefault() {
  LogfontMemory logfont;
  if (!logfont.Read(dll::GetStockObject(DEFAULT_GUI_FONT))) return false;
  HDC screen = dll::GetDC(nullptr);
  bool made = C<dll::GdipCreateFontFromLogfontA>(screen, logfont.p);
  dll::ReleaseDC(nullptr, screen);
  return made;
}

bool Font::CreateWithFamily(FontFamily& family, float emSize, int style, int unit) {
  bool made = C<dll::GdipCreateFont>(family, emSize, style, unit);
  GpStatus status = LastStatus;
  family.Delete();  // the font keeps what it needs of the family
  LastStatus = status;
  return made;
}

bool Font::CreateByName(const char* familyName, float emSize, int style, int unit) {
  FontFamily family;
  family.CreateFromName(familyName);
  return CreateWithFamily(family, emSize, style, unit);
}

bool Font::CreateByNameW(const ByteArray& familyName, float emSize, int style, int unit) {
  FontFamily family;
  family.CreateFromNameW(familyName);
  return CreateWithFamily(family, emSize, style, unit);
}

bool Font::FromHFONT(HDC hdc, HFONT hfont) {
  LogfontMemory logfont;
  if (hfont && logfont.Read(hfont)) return C<dll::GdipCreateFontFromLogfontA>(hdc, logfont.p);
  return FromDC(hdc);
}

bool Font::GetLogFontA(const GdipObject& graphics, ByteArray& logfont) const {
  LOGFONTA lf{};
  bool ok = A<dll::GdipGetLogFontA>(graphics, &lf);
  if (ok) logfont.assign(reinterpret_cast<const uint8_t*>(&lf), reinterpret_cast<const uint8_t*>(&lf) + sizeof lf);
  return ok;
}

bool Font::GetLogFontW(const GdipObject& graphics, ByteArray& logfont) const {
  LOGFONTW lf{};
  bool ok = A<dll::GdipGetLogFontW>(graphics, &lf);
  if (ok) logfont.assign(reinterpret_cast<const uint8_t*>(&lf), reinterpret_cast<const uint8_t*>(&lf) + sizeof lf);
  return ok;
}

}  // namespace graphics
