// Bitmap: a picture GDI+ creates and lets us touch: pixels, locked bits, GDI handles, areas,
// resolution, and drawing rotated into a new bitmap.
#pragma once

#include "graphics/image.h"

namespace graphics {

inline constexpr int32_t kPixelFormat32bppARGB = 0x26200A;

// GDI+'s BitmapData, field for field.
struct LockedBits {
  uint32_t Width = 0;
  uint32_t Height = 0;
  int32_t Stride = 0;
  int32_t PixelFormat = 0;
  void* Scan0 = nullptr;
  uintptr_t Reserved = 0;
};
static_assert(sizeof(LockedBits) == sizeof(Gdiplus::BitmapData));
static_assert(offsetof(LockedBits, Scan0) == offsetof(Gdiplus::BitmapData, Scan0));

class Bitmap : public Image {
 public:
  Bitmap() = default;
  Bitmap(Bitmap&&) noexcept = default;
  Bitmap& operator=(Bitmap&&) noexcept = default;

  void AttachDerived(void* p) override { bitmap_ = static_cast<Gdiplus::GpBitmap*>(p); }
  Gdiplus::GpBitmap* bitmap() const { return bitmap_; }

  bool Delete() override;
  bool FromFile(const std::string& fileName, bool useIcm = false) override;
  bool FromFileW(std::span<const uint8_t> fileName, bool useIcm = false) override;

  bool FromScan0(int32_t width, int32_t height, int32_t stride, int32_t pixelFormat, void* scan0 = nullptr);
  bool Create(int32_t width, int32_t height, int32_t pixelFormat = kPixelFormat32bppARGB);
  bool FromGraphics(int32_t width, int32_t height, const GdipObject& graphics);
  bool FromGdiDib(const BITMAPINFO* info, void* bits);
  bool FromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
  bool FromHICON(HICON icon);
  bool FromResource(HINSTANCE instance, const std::string& name);

  // New GDI objects the caller owns; 0 on failure.
  HBITMAP GetHBITMAP(uint32_t background = 0) const;
  HICON GetHICON() const;

  bool CloneArea(const RectF& area, int32_t pixelFormat, Bitmap& target) const;
  bool CloneAreaI(const Rect& area, int32_t pixelFormat, Bitmap& target) const;

  bool LockBits(const Rect& area, uint32_t flags, int32_t pixelFormat, LockedBits& locked);
  bool UnlockBits(LockedBits& locked);

  uint32_t GetPixel(int32_t x, int32_t y) const;
  bool SetPixel(int32_t x, int32_t y, uint32_t color);
  bool SetResolution(float dpiX, float dpiY);

  // Draws this bitmap rotated by angle degrees about its centre into a new 32-bit ARGB
  // bitmap of `size` (RotatedSize when omitted), which becomes target's picture.
  bool Rotate(float angle, Bitmap& target, std::optional<uint32_t> background = std::nullopt,
              std::optional<int32_t> interpolationMode = std::nullopt,
              std::optional<SizeF> size = std::nullopt) const;
  // The extent of a w x h picture rotated by angle degrees, measured between pixel centres
  // (an unrotated 10 x 10 picture gives 9 x 9).
  static void RotatedSize(float width, float height, float angle, float& widthOut, float& heightOut);

  using Image::FromBytes;

 protected:
  bool LoadStream(IStream* stream, bool useIcm) override;

 private:
  template <const auto& Command, class... Args>
  bool BitmapAction(Args&&... a) const {
    return Record(detail::Call<Command>(bitmap_.get(), std::forward<Args>(a)...));
  }

  MovedPtr<Gdiplus::GpBitmap> bitmap_;
};

}  // namespace graphics
