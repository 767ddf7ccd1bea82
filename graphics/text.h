// The program's ANSI texts as the UTF-16 that GDI+ text calls take.
#pragma once

#include "graphics/object.h"

namespace graphics {

// UTF-16LE bytes of text (null is the empty text) with a terminating zero unit: 2k + 2 bytes
// for k characters.
ByteArray ToWideText(const char* text);

namespace detail {

// A W method's text as GDI+ takes it: the units and their count before the first zero unit.
// A byte array without a zero unit counts whole, an empty one is the empty text.
struct WideText {
  const WCHAR* units;
  int32_t length;
};
WideText Wide(const ByteArray& text);

}  // namespace detail

}  // namespace graphics
