#include "graphics/stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "graphics/dll.h"

namespace graphics {

namespace {

// The stream handed out: OLE's stream on the block, with reads clamped to the block. Wine's
// stream copies from past the end of the block when a decoder seeks beyond it (damaged
// offsets in a picture), which faults; here such a read gives no bytes.
class GuardedStream final : public IStream {
 public:
  explicit GuardedStream(IStream* inner) : inner_(inner) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
      *out = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) {
      inner_->Release();
      delete this;
    }
    return ULONG(n);
  }
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* read) override {
    ULONG left = Remaining();
    if (read) *read = 0;
    if (left == 0) return S_OK;  // at or past the end: nothing, as at the end of OLE's stream
    return inner_->Read(pv, std::min(cb, left), read);
  }
  HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* written) override {
    return inner_->Write(pv, cb, written);
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
    return inner_->Seek(move, origin, position);
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override { return inner_->SetSize(size); }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* to, ULARGE_INTEGER cb, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    ULONG left = Remaining();
    if (cb.QuadPart > left) cb.QuadPart = left;
    return inner_->CopyTo(to, cb, read, written);
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override { return inner_->Commit(flags); }
  HRESULT STDMETHODCALLTYPE Revert() override { return inner_->Revert(); }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override {
    return inner_->LockRegion(offset, cb, type);
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override {
    return inner_->UnlockRegion(offset, cb, type);
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override { return inner_->Stat(stat, flags); }
  HRESULT STDMETHODCALLTYPE Clone(IStream** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    IStream* copy = nullptr;
    HRESULT hr = inner_->Clone(&copy);
    if (FAILED(hr)) return hr;
    *out = new GuardedStream(copy);
    return S_OK;
  }

 private:
  ~GuardedStream() = default;

  // Bytes between the position and the end of the stream.
  ULONG Remaining() {
    ULARGE_INTEGER position{};
    LARGE_INTEGER zero{};
    STATSTG stat{};
    if (FAILED(inner_->Seek(zero, STREAM_SEEK_CUR, &position)) || FAILED(inner_->Stat(&stat, STATFLAG_NONAME)))
      return 0;
    if (position.QuadPart >= stat.cbSize.QuadPart) return 0;
    uint64_t left = stat.cbSize.QuadPart - position.QuadPart;
    return left > 0xFFFFFFFFu ? 0xFFFFFFFFu : ULONG(left);
  }

  IStream* inner_;
  LONG refs_ = 1;
};

}  // namespace

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
  stream_ = new GuardedStream(stream);
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
