// StringFormat: layout of text drawn and measured by Graphics (flags, alignment, trimming,
// hot-key prefix, tab stops, digit substitution, measurable character ranges).
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/object.h"

namespace graphics {

struct CharacterRange {
  int32_t First = 0, Length = 0;
};
static_assert(sizeof(CharacterRange) == sizeof(Gdiplus::CharacterRange));

class StringFormat : public GdipClass<Gdiplus::GpStringFormat, dll::GdipDeleteStringFormat> {
 public:
  bool Create(int formatFlags = 0, int language = 0) {
    return C<dll::GdipCreateStringFormat>(formatFlags, LANGID(language));
  }
  bool GenericDefault() { return C<dll::GdipStringFormatGetGenericDefault>(); }
  bool GenericTypographic() { return C<dll::GdipStringFormatGetGenericTypographic>(); }
  bool Clone(StringFormat& target) const { return K<dll::GdipCloneStringFormat>(target); }

  bool SetFlags(int flags) { return A<dll::GdipSetStringFormatFlags>(flags); }
  int GetFlags() const { return G<dll::GdipGetStringFormatFlags>(); }
  bool SetAlign(int align) { return A<dll::GdipSetStringFormatAlign>(align); }
  int GetAlign() const { return G<dll::GdipGetStringFormatAlign>(); }
  bool SetLineAlign(int align) { return A<dll::GdipSetStringFormatLineAlign>(align); }
  int GetLineAlign() const { return G<dll::GdipGetStringFormatLineAlign>(); }
  bool SetTrimming(int trimming) { return A<dll::GdipSetStringFormatTrimming>(trimming); }
  int GetTrimming() const { return G<dll::GdipGetStringFormatTrimming>(); }
  bool SetHotkeyPrefix(int prefix) { return A<dll::GdipSetStringFormatHotkeyPrefix>(prefix); }
  int GetHotkeyPrefix() const { return G<dll::GdipGetStringFormatHotkeyPrefix>(); }

  bool SetTabStops(float firstTabOffset, const std::vector<float>& stops) {
    return A<dll::GdipSetStringFormatTabStops>(firstTabOffset, INT(stops.size()), stops.empty() ? nullptr : stops.data());
  }
  // Returns the count; stops is resized to it.
  int GetTabStops(float& firstTabOffset, std::vector<float>& stops) const;

  bool SetDigitSubstitution(int substitute, int language) {
    return A<dll::GdipSetStringFormatDigitSubstitution>(LANGID(language), substitute);
  }
  bool GetDigitSubstitution(int& substitute, int& language) const;

  bool SetMeasurableCharacterRanges(const std::vector<CharacterRange>& ranges) {
    return A<dll::GdipSetStringFormatMeasurableCharacterRanges>(
        INT(ranges.size()), reinterpret_cast<const Gdiplus::CharacterRange*>(ranges.empty() ? nullptr : ranges.data()));
  }
  int GetMeasurableCharacterRangeCount() const { return G<dll::GdipGetStringFormatMeasurableCharacterRangeCount>(); }
};

}  // namespace graphics
