#include "graphics/encoder.h"

#include <algorithm>
#include <cstring>

namespace graphics {

namespace {

std::string Narrow(const WCHAR* text, UINT codePage) {
  if (!text || !*text) return {};
  int n = dll::WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(size_t(n), '\0');
  dll::WideCharToMultiByte(codePage, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(size_t(n - 1));
  return out;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  int n = dll::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(size_t(n), L'\0');
  dll::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), n);
  out.resize(size_t(n - 1));
  return out;
}

}  // namespace

std::string GuidToText(const GUID& guid) {
  WCHAR text[39] = {};  // 78 bytes
  if (dll::StringFromGUID2(guid, text, 39) == 0) return {};
  return Narrow(text, CP_ACP);
}

bool TextToGuid(const std::string& text, GUID& guid) {
  guid = GUID{};
  std::wstring wide = Widen(text);
  if (wide.empty()) return false;
  if (FAILED(dll::CLSIDFromString(wide.c_str(), &guid))) {
    guid = GUID{};
    return false;
  }
  return true;
}

std::vector<EncoderInfo> GetImageEncoders() {
  std::vector<EncoderInfo> out;
  UINT count = 0, size = 0;
  if (dll::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 ||
      size < count * sizeof(Gdiplus::ImageCodecInfo))
    return out;
  // ImageCodecInfo holds pointers: keep the buffer pointer-aligned.
  std::vector<uint64_t> buffer((size + 7) / 8);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (dll::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return out;
  for (UINT i = 0; i < count; ++i) {
    const Gdiplus::ImageCodecInfo& c = codecs[i];
    EncoderInfo e;
    e.Clsid = GuidToText(c.Clsid);
    e.FormatID = GuidToText(c.FormatID);
    e.CodecName = Narrow(c.CodecName, CP_OEMCP);
    e.DllName = Narrow(c.DllName, CP_OEMCP);
    e.FormatDescription = Narrow(c.FormatDescription, CP_OEMCP);
    e.FilenameExtension = Narrow(c.FilenameExtension, CP_OEMCP);
    e.MimeType = Narrow(c.MimeType, CP_OEMCP);
    e.Flags = int32_t(c.Flags);
    e.Version = int32_t(c.Version);
    e.SigCount = int32_t(c.SigCount);
    e.SigSize = int32_t(c.SigSize);
    if (c.SigPattern) e.SigPattern.assign(c.SigPattern, c.SigPattern + c.SigSize);
    if (c.SigMask) e.SigMask.assign(c.SigMask, c.SigMask + c.SigSize);
    out.push_back(std::move(e));
  }
  return out;
}

std::optional<CLSID> FindEncoder(const std::string& format) {
  for (const EncoderInfo& e : GetImageEncoders()) {
    if (e.FormatID != format) continue;
    CLSID clsid;
    if (!TextToGuid(e.Clsid, clsid)) return std::nullopt;
    return clsid;
  }
  return std::nullopt;
}

size_t ValueTypeSize(int32_t type) {
  switch (type) {
    case Gdiplus::EncoderParameterValueTypeShort: return 2;
    case Gdiplus::EncoderParameterValueTypeLong: return 4;
    case Gdiplus::EncoderParameterValueTypeRational:
    case Gdiplus::EncoderParameterValueTypeLongRange: return 8;
    case Gdiplus::EncoderParameterValueTypeRationalRange: return 16;
    case 10: return 4;  // PropertyTagTypeSLONG
    case 11: return 8;  // PropertyTagTypeSRational
    default: return 1;
  }
}

EncoderParameterBlock::EncoderParameterBlock(const EncoderParameters* parameters) {
  if (!parameters) return;
  given_ = true;
  // The array is what we have; a larger Count would make GDI+ read records that do not exist.
  size_t count = std::min(size_t(std::max(parameters->Count, 0)), parameters->Parameter.size());
  block_.assign(offsetof(Gdiplus::EncoderParameters, Parameter) + count * sizeof(Gdiplus::EncoderParameter) + 8, 0);
  values_.resize(count);
  auto* block = reinterpret_cast<Gdiplus::EncoderParameters*>(block_.data());
  block->Count = UINT(count);
  for (size_t i = 0; i < count; ++i) {
    const EncoderParameter& p = parameters->Parameter[i];
    Gdiplus::EncoderParameter& flat = block->Parameter[i];
    TextToGuid(p.Guid, flat.Guid);
    flat.NumberOfValues = ULONG(std::max(p.NumberOfValues, 0));
    flat.Type = ULONG(p.Type);
    size_t need = size_t(flat.NumberOfValues) * ValueTypeSize(p.Type);
    values_[i] = p.Value;
    if (values_[i].size() < need) values_[i].resize(need, 0);
    flat.Value = values_[i].empty() ? nullptr : values_[i].data();
  }
}

const Gdiplus::EncoderParameters* EncoderParameterBlock::get() const {
  return given_ ? reinterpret_cast<const Gdiplus::EncoderParameters*>(block_.data()) : nullptr;
}

EncoderParameters ToRecord(const Gdiplus::EncoderParameters& block) {
  EncoderParameters out;
  out.Count = int32_t(block.Count);
  for (UINT i = 0; i < block.Count; ++i) {
    const Gdiplus::EncoderParameter& flat = block.Parameter[i];
    EncoderParameter p;
    p.Guid = GuidToText(flat.Guid);
    p.NumberOfValues = int32_t(flat.NumberOfValues);
    p.Type = int32_t(flat.Type);
    size_t size = size_t(flat.NumberOfValues) * ValueTypeSize(p.Type);
    if (flat.Value && size) {
      auto* v = static_cast<const uint8_t*>(flat.Value);
      p.Value.assign(v, v + size);
    }
    out.Parameter.push_back(std::move(p));
  }
  return out;
}

}  // namespace graphics
