#include "graphics/bitmap.h"

#include <cmath>

namespace graphics {

bool Bitmap::Delete() {
  if (!bitmap_) return false;
  GpStatus status = dll::GdipDisposeImage(bitmap_.get());
  SetNative(nullptr);
  stream_.Release();
  return Record(status);
}

bool Bitmap::FromFile(const std::string& fileName, bool useIcm) {
  std::wstring name = WideText(fileName);
  bool made = useIcm ? C<dll::GdipCreateBitmapFromFileICM>(name.c_str()) : C<dll::GdipCreateBitmapFromFile>(name.c_str());
  if (made) stream_.Release();
  return made;
}

bool Bitmap::FromFileW(std::span<const uint8_t> fileName, bool useIcm) {
  std::wstring name = WideFromBytes(fileName);
  bool made = useIcm ? C<dll::GdipCreateBitmapFromFileICM>(name.c_str()) : C<dll::GdipCreateBitmapFromFile>(name.c_str());
  if (made) stream_.Release();
  return made;
}

bool Bitmap::LoadStream(IStream* s, bool useIcm) {
  return useIcm ? C<dll::GdipCreateBitmapFromStreamICM>(s) : C<dll::GdipCreateBitmapFromStream>(s);
}

bool Bitmap::FromScan0(int32_t width, int32_t height, int32_t stride, int32_t pixelFormat, void* scan0) {
  return C<dll::GdipCreateBitmapFromScan0>(width, height, stride, pixelFormat, static_cast<BYTE*>(scan0));
}

bool Bitmap::Create(int32_t width, int32_t height, int32_t pixelFormat) {
  return FromScan0(width, height, 0, pixelFormat, nullptr);
}

bool Bitmap::FromGraphics(int32_t width, int32_t height, const GdipObject& graphics) {
  return C<dll::GdipCreateBitmapFromGraphics>(width, height, static_cast<Gdiplus::GpGraphics*>(graphics.GetNative()));
}

bool Bitmap::FromGdiDib(const BITMAPINFO* info, void* bits) { return C<dll::GdipCreateBitmapFromGdiDib>(info, bits); }

bool Bitmap::FromHBITMAP(HBITMAP bitmap, HPALETTE palette) { return C<dll::GdipCreateBitmapFromHBITMAP>(bitmap, palette); }

bool Bitmap::FromHICON(HICON icon) { return C<dll::GdipCreateBitmapFromHICON>(icon); }

bool Bitmap::FromResource(HINSTANCE instance, const std::string& name) {
  std::wstring wide = WideText(name);
  return C<dll::GdipCreateBitmapFromResource>(instance, wide.c_str());
}

HBITMAP Bitmap::GetHBITMAP(uint32_t background) const {
  HBITMAP result = nullptr;
  Record(dll::GdipCreateHBITMAPFromBitmap(bitmap_.get(), &result, background));
  return result;
}

HICON Bitmap::GetHICON() const {
  HICON result = nullptr;
  Record(dll::GdipCreateHICONFromBitmap(bitmap_.get(), &result));
  return result;
}

bool Bitmap::CloneArea(const RectF& a, int32_t pixelFormat, Bitmap& target) const {
  Gdiplus::GpBitmap* created = nullptr;
  GpStatus status = dll::GdipCloneBitmapArea(a.X, a.Y, a.Width, a.Height, pixelFormat, bitmap_.get(), &created);
  if (status == Gdiplus::Ok) Adopt(target, static_cast<Gdiplus::GpImage*>(created));
  return Record(status);
}

bool Bitmap::CloneAreaI(const Rect& a, int32_t pixelFormat, Bitmap& target) const {
  Gdiplus::GpBitmap* created = nullptr;
  GpStatus status = dll::GdipCloneBitmapAreaI(a.X, a.Y, a.Width, a.Height, pixelFormat, bitmap_.get(), &created);
  if (status == Gdiplus::Ok) Adopt(target, static_cast<Gdiplus::GpImage*>(created));
  return Record(status);
}

bool Bitmap::LockBits(const Rect& area, uint32_t flags, int32_t pixelFormat, LockedBits& locked) {
  return BitmapAction<dll::GdipBitmapLockBits>(reinterpret_cast<const Gdiplus::GpRect*>(&area), flags, pixelFormat,
                                               reinterpret_cast<Gdiplus::BitmapData*>(&locked));
}

bool Bitmap::UnlockBits(LockedBits& locked) {
  return BitmapAction<dll::GdipBitmapUnlockBits>(reinterpret_cast<Gdiplus::BitmapData*>(&locked));
}

uint32_t Bitmap::GetPixel(int32_t x, int32_t y) const {
  Gdiplus::ARGB color = 0;
  Record(dll::GdipBitmapGetPixel(bitmap_.get(), x, y, &color));
  return color;
}

bool Bitmap::SetPixel(int32_t x, int32_t y, uint32_t color) { return BitmapAction<dll::GdipBitmapSetPixel>(x, y, color); }

bool Bitmap::SetResolution(float dpiX, float dpiY) { return BitmapAction<dll::GdipBitmapSetResolution>(dpiX, dpiY); }

void Bitmap::RotatedSize(float w, float h, float angle, float& widthOut, float& heightOut) {
  float r = angle * 3.1415926535f / 180;
  float c = std::cos(r), s = std::sin(r);
  struct P {
    float x, y;
  } p[4] = {{-(w - 1) / 2, (h - 1) / 2}, {(w - 1) / 2, (h - 1) / 2}, {-(w - 1) / 2, -(h - 1) / 2}, {(w - 1) / 2, -(h - 1) / 2}};
  for (P& q : p) q = {q.x * c + q.y * s, -q.x * s + q.y * c};
  widthOut = std::max(std::fabs(p[3].x - p[0].x), std::fabs(p[2].x - p[1].x));
  heightOut = std::max(std::fabs(p[3].y - p[0].y), std::fabs(p[2].y - p[1].y));
}

namespace {

// Owners of the native objects Rotate makes for a moment.
struct Owned {
  Gdiplus::GpBitmap* bitmap = nullptr;
  Gdiplus::GpGraphics* graphics = nullptr;
  Gdiplus::GpMatrix* matrix = nullptr;
  Gdiplus::GpSolidFill* brush = nullptr;
  ~Owned() {
    if (brush) dll::GdipDeleteBrush(brush);
    if (matrix) dll::GdipDeleteMatrix(matrix);
    if (graphics) dll::GdipDeleteGraphics(graphics);
    if (bitmap) dll::GdipDisposeImage(bitmap);
  }
};

}  // namespace

bool Bitmap::Rotate(float angle, Bitmap& target, std::optional<uint32_t> background,
                    std::optional<int32_t> interpolationMode, std::optional<SizeF> size) const {
  float w = float(GetWidth()), h = float(GetHeight());
  float W, H;
  if (size) {
    W = size->Width;
    H = size->Height;
  } else {
    RotatedSize(w, h, angle, W, H);
  }
  Owned o;
  if (!Record(dll::GdipCreateBitmapFromScan0(int32_t(W), int32_t(H), 0, kPixelFormat32bppARGB, nullptr, &o.bitmap)))
    return false;
  dll::GdipBitmapSetResolution(o.bitmap, GetHorizontalResolution(), GetVerticalResolution());
  if (!Record(dll::GdipGetImageGraphicsContext(o.bitmap, &o.graphics))) return false;
  if (background) {
    if (!Record(dll::GdipCreateSolidFill(*background, &o.brush))) return false;
    dll::GdipFillRectangle(o.graphics, o.brush, 0, 0, W, H);
  }
  if (interpolationMode) dll::GdipSetInterpolationMode(o.graphics, Gdiplus::InterpolationMode(*interpolationMode));
  if (!Record(dll::GdipCreateMatrix(&o.matrix))) return false;
  dll::GdipTranslateMatrix(o.matrix, W / 2, H / 2, Gdiplus::MatrixOrderPrepend);
  dll::GdipRotateMatrix(o.matrix, angle, Gdiplus::MatrixOrderPrepend);
  dll::GdipTranslateMatrix(o.matrix, -W / 2, -H / 2, Gdiplus::MatrixOrderPrepend);
  dll::GdipTranslateMatrix(o.matrix, (W - w) / 2, (H - h) / 2, Gdiplus::MatrixOrderPrepend);
  dll::GdipSetWorldTransform(o.graphics, o.matrix);
  bool drawn = Record(dll::GdipDrawImage(o.graphics, handle(), 0, 0));
  dll::GdipResetWorldTransform(o.graphics);
  if (!drawn) return false;
  Gdiplus::GpImage* made = std::exchange(o.bitmap, nullptr);
  Adopt(target, made);
  return true;
}

}  // namespace graphics
