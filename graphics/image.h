// Image: a picture decoded by GDI+ from a file or from bytes, with saving through encoders,
// frames, property items and palettes. Pictures decoded from bytes keep them in the image's
// MemoryStream for as long as the picture lives, because GDI+ reads the stream lazily.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "graphics/encoder.h"
#include "graphics/object.h"
#include "graphics/stream.h"

namespace graphics {

struct SizeF {
  float Width = 0, Height = 0;
};

struct PropertyItem {
  int32_t Id = 0;
  int32_t Length = 0;  // bytes of value
  int32_t Type = 0;
  std::vector<uint8_t> Value;
};

struct Palette {
  int32_t Flags = 0;
  int32_t Count = 0;
  std::vector<uint32_t> Entries;  // ARGB
};

// The GUID texts of GDI+'s frame dimensions.
inline constexpr char kFrameDimensionTime[] = "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}";
inline constexpr char kFrameDimensionPage[] = "{7462DC86-6180-4C7E-8E3F-EE7333A7A483}";
inline constexpr int32_t kPropertyTagFrameDelay = 0x5100;

class Image : public GdipClass<Gdiplus::GpImage, dll::GdipDisposeImage, true> {
 public:
  Image() = default;
  Image(Image&& o) noexcept;
  Image& operator=(Image&& o) noexcept;
  // The picture goes before the bytes it may still read.
  ~Image() override { Release(); }

  // Disposes the picture, then releases the stream that held its bytes.
  virtual bool Delete();
  virtual bool FromFile(const std::string& fileName, bool useIcm = false);
  // fileName: UTF-16 bytes, up to the first zero unit.
  virtual bool FromFileW(std::span<const uint8_t> fileName, bool useIcm = false);
  // A new stream over a copy of the bytes; on success the new picture and stream replace
  // the old ones, on failure both old ones stay.
  bool FromBytes(std::span<const uint8_t> bytes, bool useIcm = false);
  bool Clone(Image& target) const;

  // An omitted format is the picture's own raw format (SaveToFileW: BMP). A format that no
  // encoder has gives false or empty bytes and leaves LastStatus alone.
  bool SaveToFile(const std::string& fileName, std::optional<std::string> format = std::nullopt,
                  const EncoderParameters* parameters = nullptr) const;
  bool SaveToFileW(std::span<const uint8_t> fileName, std::optional<std::string> format = std::nullopt,
                   const EncoderParameters* parameters = nullptr) const;
  std::vector<uint8_t> SaveToBytes(std::optional<std::string> format = std::nullopt,
                                   const EncoderParameters* parameters = nullptr) const;
  bool SaveAdd(const EncoderParameters* parameters = nullptr) const;
  bool SaveAddImage(const Image& image, const EncoderParameters* parameters = nullptr) const;
  bool GetEncoderParameterList(const std::string& format, EncoderParameters& parameters) const;

  std::string GetRawFormat() const;
  RectF GetBounds() const;
  SizeF GetDimension() const;
  int32_t GetType() const { return G<dll::GdipGetImageType>(); }
  uint32_t GetWidth() const { return G<dll::GdipGetImageWidth>(); }
  uint32_t GetHeight() const { return G<dll::GdipGetImageHeight>(); }
  float GetHorizontalResolution() const { return G<dll::GdipGetImageHorizontalResolution>(); }
  float GetVerticalResolution() const { return G<dll::GdipGetImageVerticalResolution>(); }
  uint32_t GetFlags() const { return G<dll::GdipGetImageFlags>(); }
  int32_t GetPixelFormat() const { return G<dll::GdipGetImagePixelFormat>(); }

  bool GetThumbnail(uint32_t width, uint32_t height, Image& target) const;

  uint32_t GetFrameCount(const std::string& dimension) const;
  bool GetFrameDimensionsList(std::vector<std::string>& dimensions) const;
  bool SelectActiveFrame(const std::string& dimension, uint32_t index);
  // Delays of the frames in hundredths of a second.
  bool GetFrameDelays(std::vector<int32_t>& delays) const;

  bool GetPropertyItem(int32_t id, PropertyItem& item) const;
  bool SetPropertyItem(const PropertyItem& item);
  bool RemovePropertyItem(int32_t id) { return A<dll::GdipRemovePropertyItem>(PROPID(id)); }
  uint32_t GetPropertyIdList(std::vector<int32_t>& ids) const;

  bool RotateFlip(int32_t type) { return A<dll::GdipImageRotateFlip>(type); }

  bool GetPalette(Palette& palette) const;
  bool SetPalette(const Palette& palette);

  const MemoryStream& stream() const { return stream_; }

 protected:
  // Decodes the picture from a stream (Bitmap: creates a bitmap from it).
  virtual bool LoadStream(IStream* stream, bool useIcm);
  bool LoadFile(const std::wstring& name, bool useIcm);
  bool Save(const std::wstring& fileName, const std::string& format, const EncoderParameters* parameters) const;

  MemoryStream stream_;
};

// File and resource names as GDI+ takes them: the program's ANSI text converted, or UTF-16
// bytes up to their first zero unit (or their end).
std::wstring WideText(const std::string& text);
std::wstring WideFromBytes(std::span<const uint8_t> bytes);

}  // namespace graphics
