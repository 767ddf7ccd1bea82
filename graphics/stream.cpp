#include "graphics/stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "graphics/dll.h"

namespace graphics {

MemoryStream::MemoryStream(MemoryStream&& other) noexcept
    : memory_(std::exchange(other.memory_, nullptr)), stream_(std::exchange(other.stream_, nullptr)) {}

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
  if (this != &other) {
    Release();
    memory_ = std::exchange(other.memory_, nullptr);
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

IStream* MemoryStream::Create(std::span<const uint8_t> bytes, intptr_t size) {
  Release();
  size_t total = size < 0 ? bytes.size() : size_t(size);
  HGLOBAL memory = dll::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
  if (!memory) return nullptr;
  IStream* stream = nullptr;
  if (FAILED(dll::CreateStreamOnHGlobal(memory, FALSE, &stream)) || !stream) {
    dll::GlobalFree(memory);
    return nullptr;
  }
  memory_ = memory;
  stream_ = stream;
  // Only the caller's own bytes are read; a shorter array leaves the rest of the block zero.
  size_t copy = std::min(total, bytes.size());
  if (copy > 0 && bytes.data()) {
    if (void* data = dll::GlobalLock(memory_)) {
      std::memcpy(data, bytes.data(), copy);
      dll::GlobalUnlock(memory_);
    }
  }
  return stream_;
}

HGLOBAL MemoryStream::Release() {
  if (!stream_) return nullptr;
  stream_->Release();
  HGLOBAL result = dll::GlobalFree(memory_);
  stream_ = nullptr;
  memory_ = nullptr;
  return result;
}

SIZE_T MemoryStream::GetSize() const { return memory_ ? dll::GlobalSize(memory_) : 0; }

bool MemoryStream::Attach(IStream* stream) {
  Release();
  if (!stream) return false;
  HGLOBAL memory = nullptr;
  stream_ = stream;
  if (FAILED(dll::GetHGlobalFromStream(stream, &memory))) memory = nullptr;
  memory_ = memory;
  return memory_ != nullptr;
}

std::vector<uint8_t> MemoryStream::GetBytes() const {
  std::vector<uint8_t> bytes;
  if (!memory_) return bytes;
  SIZE_T size = dll::GlobalSize(memory_);
  if (size == 0) return bytes;
  if (const void* data = dll::GlobalLock(memory_)) {
    bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    dll::GlobalUnlock(memory_);
  }
  return bytes;
}

}  // namespace graphics
