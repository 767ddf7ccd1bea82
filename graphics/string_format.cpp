#include "graphics/string_format.h"

namespace graphics {

int StringFormat::GetTabStops(float& firstTabOffset, std::vector<float>& stops) const {
  INT count = 0;
  if (!Record(dll::GdipGetStringFormatTabStopCount(handle(), &count)) || count < 0) return 0;
  stops.assign(size_t(count), 0.0f);
  if (count > 0 && !Record(dll::GdipGetStringFormatTabStops(handle(), count, &firstTabOffset, stops.data()))) return 0;
  return count;
}

bool StringFormat::GetDigitSubstitution(int& substitute, int& language) const {
  LANGID lang = 0;
  Gdiplus::StringDigitSubstitute sub = Gdiplus::StringDigitSubstituteUser;
  bool ok = Record(dll::GdipGetStringFormatDigitSubstitution(handle(), &lang, &sub));
  if (ok) {
    substitute = int(sub);
    language = int(lang);
  }
  return ok;
}

}  // namespace graphics
