#include "graphics/image.h"

#include "graphics/text.h"

#include <algorithm>
#include <cstring>

namespace graphics {

std::wstring WideText(const std::string& text) {
  ByteArray wide = ToWideText(text.c_str());
  detail::WideText w = detail::Wide(wide);
  return std::wstring(w.units, size_t(w.length));
}

std::wstring WideFromBytes(std::span<const uint8_t> bytes) {
  std::wstring out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    wchar_t c = wchar_t(bytes[i] | (bytes[i + 1] << 8));
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

namespace {

// A GDI+ buffer whose records hold pointers: kept pointer-aligned.
struct FlatBuffer {
  explicit FlatBuffer(size_t size) : words((size + 7) / 8 + 1), size(size) {}
  template <class T>
  T* as() { return reinterpret_cast<T*>(words.data()); }
  const uint8_t* begin() const { return reinterpret_cast<const uint8_t*>(words.data()); }
  const uint8_t* end() const { return begin() + size; }
  std::vector<uint64_t> words;
  size_t size;
};

GUID GuidOf(const std::string& text) {
  GUID guid{};
  TextToGuid(text, guid);
  return guid;
}

}  // namespace

Image::Image(Image&& o) noexcept : GdipClass(std::move(o)), stream_(std::move(o.stream_)) {}

Image& Image::operator=(Image&& o) noexcept {
  if (this != &o) {
    Release();
    stream_.Release();
    GdipClass::operator=(std::move(o));
    stream_ = std::move(o.stream_);
  }
  return *this;
}

bool Image::Delete() {
  bool deleted = GdipClass::Delete();
  stream_.Release();
  return deleted;
}

bool Image::LoadFile(const std::wstring& name, bool useIcm) {
  bool loaded = useIcm ? C<dll::GdipLoadImageFromFileICM>(name.c_str()) : C<dll::GdipLoadImageFromFile>(name.c_str());
  if (loaded) stream_.Release();  // bytes of a picture that is gone
  return loaded;
}

bool Image::FromFile(const std::string& fileName, bool useIcm) { return LoadFile(WideText(fileName), useIcm); }

bool Image::FromFileW(std::span<const uint8_t> fileName, bool useIcm) {
  return LoadFile(WideFromBytes(fileName), useIcm);
}

bool Image::FromBytes(std::span<const uint8_t> bytes, bool useIcm) {
  MemoryStream fresh;
  IStream* stream = fresh.Create(bytes);
  if (!stream) {
    LastStatus = Gdiplus::OutOfMemory;
    return false;
  }
  if (!LoadStream(stream, useIcm)) return false;
  // The old picture (if any) was released by the creation; its bytes can go now.
  stream_ = std::move(fresh);
  return true;
}

bool Image::LoadStream(IStream* s, bool useIcm) {
  return useIcm ? C<dll::GdipLoadImageFromStreamICM>(s) : C<dll::GdipLoadImageFromStream>(s);
}

bool Image::Clone(Image& target) const { return K<dll::GdipCloneImage>(target); }

bool Image::Save(const std::wstring& fileName, const std::string& format, const EncoderParameters* parameters) const {
  std::optional<CLSID> clsid = FindEncoder(format);
  if (!clsid) return false;
  EncoderParameterBlock block(parameters);
  return Record(dll::GdipSaveImageToFile(handle(), fileName.c_str(), &*clsid, block.get()));
}

bool Image::SaveToFile(const std::string& fileName, std::optional<std::string> format,
                       const EncoderParameters* parameters) const {
  return Save(WideText(fileName), format ? *format : GetRawFormat(), parameters);
}

bool Image::SaveToFileW(std::span<const uint8_t> fileName, std::optional<std::string> format,
                        const EncoderParameters* parameters) const {
  return Save(WideFromBytes(fileName), format ? *format : std::string(kBmpFormat), parameters);
}

std::vector<uint8_t> Image::SaveToBytes(std::optional<std::string> format, const EncoderParameters* parameters) const {
  std::optional<CLSID> clsid = FindEncoder(format ? *format : GetRawFormat());
  if (!clsid) return {};
  MemoryStream out;
  IStream* stream = out.Create({});
  if (!stream) return {};
  EncoderParameterBlock block(parameters);
  if (!Record(dll::GdipSaveImageToStream(handle(), stream, &*clsid, block.get()))) return {};
  return out.GetBytes();
}

bool Image::SaveAdd(const EncoderParameters* parameters) const {
  EncoderParameterBlock block(parameters);
  return Record(dll::GdipSaveAdd(handle(), block.get()));
}

bool Image::SaveAddImage(const Image& image, const EncoderParameters* parameters) const {
  EncoderParameterBlock block(parameters);
  return Record(dll::GdipSaveAddImage(handle(), image.handle(), block.get()));
}

bool Image::GetEncoderParameterList(const std::string& format, EncoderParameters& parameters) const {
  std::optional<CLSID> clsid = FindEncoder(format);
  if (!clsid) return false;
  UINT size = 0;
  if (!Record(dll::GdipGetEncoderParameterListSize(handle(), &*clsid, &size))) return false;
  if (size < sizeof(UINT)) {
    parameters = {};
    return true;
  }
  FlatBuffer buffer(size);
  auto* flat = buffer.as<Gdiplus::EncoderParameters>();
  if (!Record(dll::GdipGetEncoderParameterList(handle(), &*clsid, size, flat))) return false;
  parameters = ToRecord(*flat);
  return true;
}

std::string Image::GetRawFormat() const {
  GUID format{};
  if (!Record(dll::GdipGetImageRawFormat(handle(), &format))) format = GUID{};
  return GuidToText(format);
}

RectF Image::GetBounds() const {
  RectF bounds{};
  Gdiplus::Unit unit = Gdiplus::UnitPixel;
  if (!Record(dll::GdipGetImageBounds(handle(), reinterpret_cast<Gdiplus::GpRectF*>(&bounds), &unit))) bounds = {};
  return bounds;
}

SizeF Image::GetDimension() const {
  SizeF size{};
  if (!Record(dll::GdipGetImageDimension(handle(), &size.Width, &size.Height))) size = {};
  return size;
}

bool Image::GetThumbnail(uint32_t width, uint32_t height, Image& target) const {
  Gdiplus::GpImage* created = nullptr;
  GpStatus status = dll::GdipGetImageThumbnail(handle(), width, height, &created, nullptr, nullptr);
  if (status == Gdiplus::Ok) Adopt(target, created);
  return Record(status);
}

uint32_t Image::GetFrameCount(const std::string& dimension) const {
  GUID guid = GuidOf(dimension);
  UINT count = 0;
  Record(dll::GdipImageGetFrameCount(handle(), &guid, &count));
  return count;
}

bool Image::GetFrameDimensionsList(std::vector<std::string>& dimensions) const {
  UINT count = 0;
  if (!Record(dll::GdipImageGetFrameDimensionsCount(handle(), &count))) return false;
  std::vector<GUID> guids(count);
  if (count && !Record(dll::GdipImageGetFrameDimensionsList(handle(), guids.data(), count))) return false;
  dimensions.clear();
  for (const GUID& g : guids) dimensions.push_back(GuidToText(g));
  return true;
}

bool Image::SelectActiveFrame(const std::string& dimension, uint32_t index) {
  GUID guid = GuidOf(dimension);
  return A<dll::GdipImageSelectActiveFrame>(&guid, index);
}

bool Image::GetFrameDelays(std::vector<int32_t>& delays) const {
  PropertyItem item;
  if (!GetPropertyItem(kPropertyTagFrameDelay, item)) return false;
  delays.assign(item.Value.size() / 4, 0);
  if (!delays.empty()) std::memcpy(delays.data(), item.Value.data(), delays.size() * 4);
  return true;
}

bool Image::GetPropertyItem(int32_t id, PropertyItem& item) const {
  UINT size = 0;
  if (!Record(dll::GdipGetPropertyItemSize(handle(), PROPID(id), &size))) return false;
  if (size < sizeof(Gdiplus::PropertyItem)) {
    LastStatus = Gdiplus::GenericError;
    return false;
  }
  FlatBuffer buffer(size);
  auto* flat = buffer.as<Gdiplus::PropertyItem>();
  if (!Record(dll::GdipGetPropertyItem(handle(), PROPID(id), size, flat))) return false;
  item.Id = int32_t(flat->id);
  item.Length = int32_t(flat->length);
  item.Type = int32_t(flat->type);
  item.Value.clear();
  // The value lies in our buffer; copy no more than the buffer holds.
  auto* value = static_cast<const uint8_t*>(flat->value);
  if (value && value >= buffer.begin() && value <= buffer.end()) {
    size_t n = std::min(size_t(flat->length), size_t(buffer.end() - value));
    item.Value.assign(value, value + n);
  }
  return true;
}

bool Image::SetPropertyItem(const PropertyItem& item) {
  // GDI+ reads Length bytes: give it a value at least that long.
  std::vector<uint8_t> value = item.Value;
  size_t length = size_t(std::max(item.Length, 0));
  if (value.size() < length) value.resize(length, 0);
  Gdiplus::PropertyItem flat{};
  flat.id = PROPID(item.Id);
  flat.length = ULONG(length);
  flat.type = WORD(item.Type);
  flat.value = value.empty() ? nullptr : value.data();
  return A<dll::GdipSetPropertyItem>(&flat);
}

uint32_t Image::GetPropertyIdList(std::vector<int32_t>& ids) const {
  UINT count = 0;
  if (!Record(dll::GdipGetPropertyCount(handle(), &count))) return 0;
  ids.assign(count, 0);
  if (count && !Record(dll::GdipGetPropertyIdList(handle(), count, reinterpret_cast<PROPID*>(ids.data())))) {
    ids.clear();
    return 0;
  }
  return count;
}

bool Image::GetPalette(Palette& palette) const {
  INT size = 0;
  if (!Record(dll::GdipGetImagePaletteSize(handle(), &size))) return false;
  if (size < INT(offsetof(Gdiplus::ColorPalette, Entries))) {
    LastStatus = Gdiplus::GenericError;
    return false;
  }
  FlatBuffer buffer{size_t(size)};
  auto* flat = buffer.as<Gdiplus::ColorPalette>();
  if (!Record(dll::GdipGetImagePalette(handle(), flat, size))) return false;
  size_t room = (size_t(size) - offsetof(Gdiplus::ColorPalette, Entries)) / 4;
  size_t count = std::min(size_t(flat->Count), room);
  palette.Flags = int32_t(flat->Flags);
  palette.Count = int32_t(count);
  palette.Entries.assign(flat->Entries, flat->Entries + count);
  return true;
}

bool Image::SetPalette(const Palette& palette) {
  // Count entries are read: the missing ones are black.
  size_t count = size_t(std::max(palette.Count, 0));
  FlatBuffer buffer(offsetof(Gdiplus::ColorPalette, Entries) + std::max<size_t>(count, 1) * 4);
  auto* flat = buffer.as<Gdiplus::ColorPalette>();
  flat->Flags = UINT(palette.Flags);
  flat->Count = UINT(count);
  std::copy_n(palette.Entries.begin(), std::min(count, palette.Entries.size()), flat->Entries);
  return A<dll::GdipSetImagePalette>(flat);
}

}  // namespace graphics
