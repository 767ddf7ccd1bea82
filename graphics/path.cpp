// The GraphicsPath members that combine several flat calls.
#include "graphics/path.h"

#include <algorithm>
#include <cstring>

namespace graphics {

namespace {

// GDI+'s path data record, filled by GdipGetPathData into arrays from GDI+'s allocator.
struct NativePathData {
  INT Count;
  Gdiplus::PointF* Points;
  BYTE* Types;
};

}  // namespace

bool GraphicsPath::CreateFromPoints(std::span<const PointF> points,
                                    std::span<const uint8_t> types, int fillMode) {
  if (points.size() != types.size()) return Record(Gdiplus::InvalidParameter);
  return C<dll::GdipCreatePath2>(points.empty() ? nullptr : points.data(),
                                 types.empty() ? nullptr : types.data(), int(types.size()),
                                 fillMode);
}

bool GraphicsPath::CreateFromPointsI(std::span<const Point> points,
                                     std::span<const uint8_t> types, int fillMode) {
  if (points.size() != types.size()) return Record(Gdiplus::InvalidParameter);
  return C<dll::GdipCreatePath2I>(points.empty() ? nullptr : points.data(),
                                  types.empty() ? nullptr : types.data(), int(points.size()),
                                  fillMode);
}

bool GraphicsPath::AddRoundedRectangle(float x, float y, float w, float h, int percent) {
  percent = std::clamp(percent, 1, 100);
  float arcW = float(int(w * float(percent) / 100.0f));
  float arcH = float(int(h * float(percent) / 100.0f));
  dll::GdipAddPathArc(handle(), x + w - arcW, y, arcW, arcH, 270, 90);
  dll::GdipAddPathArc(handle(), x + w - arcW, y + h - arcH, arcW, arcH, 0, 90);
  dll::GdipAddPathArc(handle(), x, y + h - arcH, arcW, arcH, 90, 90);
  dll::GdipAddPathArc(handle(), x, y, arcW, arcH, 180, 90);
  return CloseFigure();
}

int GraphicsPath::ReaderCount(std::optional<int> count) const {
  if (count) {
    if (*count < 1) Record(Gdiplus::InvalidParameter);
    return std::max(*count, 0);
  }
  return std::max(GetPointCount(), 0);
}

bool GraphicsPath::GetPathData(PathData& data) const {
  int count = GetPointCount();
  if (count < 1) return false;
  data.Points.assign(size_t(count), PointF{});
  data.Types.assign(size_t(count), 0);
  NativePathData native{count, static_cast<Gdiplus::PointF*>(Alloc(size_t(count) * 8)),
                        static_cast<BYTE*>(Alloc(size_t(count)))};
  bool ok = false;
  if (native.Points && native.Types) {
    ok = Record(dll::GdipGetPathData(handle(), reinterpret_cast<Gdiplus::GpPathData*>(&native)));
    if (ok) {
      std::memcpy(static_cast<void*>(data.Points.data()), native.Points, size_t(count) * 8);
      std::memcpy(data.Types.data(), native.Types, size_t(count));
      data.Count = count;
    }
  }
  if (native.Points) Free(native.Points);
  if (native.Types) Free(native.Types);
  return ok;
}

bool GraphicsPath::GetPathTypes(ByteArray& types, std::optional<int> count) const {
  int n = ReaderCount(count);
  if (n < 1) return false;
  types.assign(size_t(n), 0);
  return A<dll::GdipGetPathTypes>(types.data(), n);
}

bool GraphicsPath::GetPathPoints(std::vector<PointF>& points, std::optional<int> count) const {
  int n = ReaderCount(count);
  if (n < 1) return false;
  points.assign(size_t(n), PointF{});
  return A<dll::GdipGetPathPoints>(Array(points));
}

bool GraphicsPath::GetPathPointsI(std::vector<Point>& points, std::optional<int> count) const {
  int n = ReaderCount(count);
  if (n < 1) return false;
  points.assign(size_t(n), Point{});
  return A<dll::GdipGetPathPointsI>(Array(points));
}

}  // namespace graphics
