// The runtime heap: the process heap, with constants recognised by address.
#include <cstring>
#include <string>

#include "runtime_app.h"

namespace runtime {

HANDLE Heap() {
  RuntimeApp& app = App();
  if (!app.heap) app.heap = GetProcessHeap();
  return app.heap;
}

bool InConstantPool(const void* p) {
  const RuntimeApp& app = App();
  auto* b = static_cast<const uint8_t*>(p);
  return app.poolStart && b >= app.poolStart && b < app.poolStart + app.poolSize;
}

namespace {

[[noreturn]] void AllocationFailed(size_t size) {
  std::string message = "分配 " + std::to_string(size) + " 字节内存失败!";
  FatalError(message.c_str());
}

// Sizes travel as 32-bit values between the runtime and its callers.
constexpr size_t kMaxBlock = 0x7FFFFFFF;

}  // namespace

void* AllocateRaw(size_t size) {
  if (size > kMaxBlock) return nullptr;
  return HeapAlloc(Heap(), 0, size ? size : 1);
}

void* Allocate(size_t size) {
  void* p = AllocateRaw(size);
  if (!p) AllocationFailed(size);
  return p;
}

void* Reallocate(void* block, size_t size) {
  if (!block) return Allocate(size);
  if (InConstantPool(block)) {
    const RuntimeApp& app = App();
    size_t available = app.poolStart + app.poolSize - static_cast<uint8_t*>(block);
    void* copy = Allocate(size);
    std::memcpy(copy, block, size < available ? size : available);
    return copy;
  }
  void* p = size > kMaxBlock ? nullptr : HeapReAlloc(Heap(), 0, block, size ? size : 1);
  if (!p) AllocationFailed(size);
  return p;
}

void Free(void* block) {
  if (!block || InConstantPool(block)) return;
  HeapFree(Heap(), 0, block);
}

}  // namespace runtime
