#include "graphics/region.h"

#include <algorithm>

namespace graphics {

namespace {

Gdiplus::GpMatrix* MatrixOf(const GdipObject* matrix) {
  return matrix ? static_cast<Gdiplus::GpMatrix*>(matrix->GetNative()) : nullptr;
}

}  // namespace

bool Region::CreateFromData(const ByteArray& bytes, std::optional<int32_t> size) {
  // GDI+ reads size bytes: never more than the array holds.
  int32_t n = int32_t(std::min<size_t>(bytes.size(), 0x7FFFFFFF));
  if (size) n = std::clamp(*size, 0, n);
  return C<dll::GdipCreateRegionRgnData>(bytes.empty() ? nullptr : bytes.data(), n);
}

ByteArray Region::GetData(uint32_t bufferSize, uint32_t* sizeFilled) const {
  ByteArray data(bufferSize, 0);
  UINT filled = 0;
  Record(dll::GdipGetRegionData(handle(), data.empty() ? nullptr : data.data(), bufferSize, &filled));
  if (sizeFilled) *sizeFilled = filled;
  return data;
}

uint32_t Region::GetScansCount(const GdipObject* matrix) const {
  UINT count = 0;
  Record(dll::GdipGetRegionScansCount(handle(), &count, MatrixOf(matrix)));
  return count;
}

int Region::GetScans(const GdipObject* matrix, std::vector<RectF>& scans) const {
  UINT count = GetScansCount(matrix);
  if (LastStatus != Gdiplus::Ok) return 0;
  scans.assign(count, RectF{});
  INT filled = INT(count);
  if (count && !Record(dll::GdipGetRegionScans(handle(), reinterpret_cast<Gdiplus::GpRectF*>(scans.data()), &filled,
                                               MatrixOf(matrix))))
    return 0;
  scans.resize(size_t(std::clamp<INT>(filled, 0, INT(count))));
  return int(scans.size());
}

int Region::GetScansI(const GdipObject* matrix, std::vector<Rect>& scans) const {
  UINT count = GetScansCount(matrix);
  if (LastStatus != Gdiplus::Ok) return 0;
  scans.assign(count, Rect{});
  INT filled = INT(count);
  if (count && !Record(dll::GdipGetRegionScansI(handle(), reinterpret_cast<Gdiplus::GpRect*>(scans.data()), &filled,
                                                MatrixOf(matrix))))
    return 0;
  scans.resize(size_t(std::clamp<INT>(filled, 0, INT(count))));
  return int(scans.size());
}

}  // namespace graphics
