// Image encoders: the installed encoders as records, lookup of an encoder by the GUID text of
// its format, and the encoder-parameter records that saving takes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/dll.h"

namespace graphics {

// The GUID text of the BMP image format, the default of SaveToFileW.
inline constexpr char kBmpFormat[] = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";

struct EncoderInfo {
  std::string Clsid, FormatID;  // GUID texts
  std::string CodecName, DllName, FormatDescription, FilenameExtension, MimeType;
  int32_t Flags = 0, Version = 0, SigCount = 0, SigSize = 0;
  std::vector<uint8_t> SigPattern, SigMask;
};

struct EncoderParameter {
  std::string Guid;  // GUID text
  int32_t NumberOfValues = 0;
  int32_t Type = 0;  // EncoderParameterValueType
  std::vector<uint8_t> Value;
};

struct EncoderParameters {
  int32_t Count = 0;
  std::vector<EncoderParameter> Parameter;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case digits, as StringFromGUID2 writes.
std::string GuidToText(const GUID& guid);
// False for anything CLSIDFromString does not accept; guid is then all zero.
bool TextToGuid(const std::string& text, GUID& guid);

// Every installed encoder, in GDI+'s order; empty when GDI+ cannot list them.
std::vector<EncoderInfo> GetImageEncoders();
// The encoder whose FormatID equals `format` exactly (case-sensitive), first match wins.
std::optional<CLSID> FindEncoder(const std::string& format);

// A GDI+ EncoderParameters block built from a record. It owns copies of the values, each
// at least as long as its count and type need, so GDI+ never reads past a caller's bytes.
class EncoderParameterBlock {
 public:
  explicit EncoderParameterBlock(const EncoderParameters* parameters);
  // Null when no parameters were given.
  const Gdiplus::EncoderParameters* get() const;

 private:
  std::vector<std::vector<uint8_t>> values_;
  std::vector<uint8_t> block_;
  bool given_ = false;
};

// The parameters record of a GDI+ EncoderParameters block.
EncoderParameters ToRecord(const Gdiplus::EncoderParameters& block);

// Bytes one value of an EncoderParameterValueType (or property tag type) occupies; 1 for
// types without a fixed size.
size_t ValueTypeSize(int32_t type);

}  // namespace graphics
