// MemoryStream: bytes held in a movable global memory block with an IStream opened on it, so
// GDI+ can decode pictures held in memory and encode pictures into memory. The stream handed
// out never reads outside the block, whatever position a decoder seeks to.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <span>
#include <vector>

namespace graphics {

class MemoryStream {
 public:
  MemoryStream() = default;
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  MemoryStream(MemoryStream&& other) noexcept;
  MemoryStream& operator=(MemoryStream&& other) noexcept;
  ~MemoryStream() { Release(); }

  // Replaces the contents with a copy of `size` bytes (all of `bytes` when size < 0). Bytes
  // beyond the end of `bytes` stay zero. Returns the new stream (null when it could not be
  // made).
  IStream* Create(std::span<const uint8_t> bytes, intptr_t size = -1);
  // Releases the stream once and frees the block; returns GlobalFree's result, 0 when empty.
  HGLOBAL Release();
  SIZE_T GetSize() const;
  IStream* GetStream() const { return stream_; }
  HGLOBAL GetMemory() const { return memory_; }
  // Takes over one reference to `stream` and the block it lives on.
  bool Attach(IStream* stream);
  std::vector<uint8_t> GetBytes() const;

 private:
  HGLOBAL memory_ = nullptr;
  IStream* stream_ = nullptr;
};

}  // namespace graphics
