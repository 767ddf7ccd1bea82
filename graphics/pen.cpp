#include "graphics/pen.h"

namespace graphics {

namespace {

template <class ReadCount, class ReadValues>
int ReadFloats(std::vector<float>& out, ReadCount readCount, ReadValues readValues) {
  INT count = 0;
  if (!Record(readCount(&count)) || count < 0) return 0;
  out.assign(size_t(count), 0.0f);
  if (count > 0 && !Record(readValues(out.data(), count))) return 0;
  return count;
}

}  // namespace

int Pen::GetDashPattern(std::vector<float>& dashes) const {
  return ReadFloats(
      dashes, [&](INT* n) { return dll::GdipGetPenDashCount(handle(), n); },
      [&](float* v, INT n) { return dll::GdipGetPenDashArray(handle(), v, n); });
}

int Pen::GetCompoundArray(std::vector<float>& compounds) const {
  return ReadFloats(
      compounds, [&](INT* n) { return dll::GdipGetPenCompoundCount(handle(), n); },
      [&](float* v, INT n) { return dll::GdipGetPenCompoundArray(handle(), v, n); });
}

}  // namespace graphics
