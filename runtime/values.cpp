#include "runtime/values.h"

#include <windows.h>

#include <cmath>
#include <limits>

#include "runtime/entry_table.h"

namespace runtime {

namespace {

const int32_t kEmptyBytesBlock[2] = {1, 0};

const RuntimeEntryTable& Rt() { return Entries(); }

void* Alloc(size_t size) { return Rt().RuntimeAlloc(size); }

// An impossible size saturates; the allocator then reports it as fatal.
size_t CheckedBlockSize(size_t header, size_t payload) {
  constexpr size_t kMax = std::numeric_limits<size_t>::max();
  return payload > kMax - header ? kMax : header + payload;
}

}  // namespace

[[noreturn]] void RaiseRuntimeError(int number) {
  Rt().ReportRuntimeError(number);
  ExitProcess(UINT(-1));  // not reached: the report ends the process
}

void RuntimeFreeDeleter::operator()(void* block) const { Rt().RuntimeFree(block); }

char* NewText(std::string_view text) {
  if (text.empty()) return nullptr;
  auto* p = static_cast<char*>(Alloc(CheckedBlockSize(1, text.size())));
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = 0;
  return p;
}

const ByteArray* EmptyBytes() { return reinterpret_cast<const ByteArray*>(kEmptyBytesBlock); }

ByteArray* NewBytes(const void* data, size_t length) {
  if (length == 0) return nullptr;
  auto* b = static_cast<ByteArray*>(Alloc(CheckedBlockSize(sizeof(ByteArray), length)));
  b->marker = 1;
  b->length = int32_t(length);
  if (data) std::memcpy(b->data(), data, length);
  return b;
}

ByteArray* NewZeroBytes(size_t length) {
  ByteArray* b = NewBytes(nullptr, length);
  if (b) std::memset(b->data(), 0, length);
  return b;
}

bool IsNumericType(uint32_t type) {
  switch (type) {
    case kTypeByte:
    case kTypeShort:
    case kTypeInt:
    case kTypeLong:
    case kTypeFloat:
    case kTypeDouble:
      return true;
    default:
      return false;
  }
}

double NumberOf(const TypedValue& v) {
  switch (v.type) {
    case kTypeByte: return double(uint8_t(v.low));
    case kTypeShort: return double(int16_t(v.low));
    case kTypeInt: return double(int32_t(v.low));
    case kTypeLong: return double(v.int64());
    case kTypeFloat: return double(v.single());
    case kTypeDouble: return v.real();
    default: RaiseRuntimeError(kErrorNotNumeric);
  }
}

int32_t IntegerOf(const TypedValue& v) {
  switch (v.type) {
    case kTypeByte: return int32_t(uint8_t(v.low));
    case kTypeShort: return int32_t(int16_t(v.low));
    case kTypeInt: return int32_t(v.low);
    case kTypeLong: return int32_t(v.low);
    default: {
      double d = NumberOf(v);
      // Out of range gives the processor's "integer indefinite", as a truncating store does.
      if (!(d > -2147483649.0 && d < 2147483648.0)) return std::numeric_limits<int32_t>::min();
      return int32_t(d);
    }
  }
}

TypedValue CallCore(CoreCommand command, std::initializer_list<TypedValue> args) {
  TypedValue copies[16];
  int n = 0;
  for (const TypedValue& a : args) {
    if (n == int(std::size(copies))) break;
    copies[n++] = a;
  }
  return Rt().CallCoreCommand(kCoreCommands[command], n, copies);
}

namespace array {

size_t ElementCount(const void* block) {
  int32_t dims = Dimensions(block);
  if (dims == 0) return 0;
  size_t count = 1;
  for (int32_t i = 0; i < dims; ++i) {
    int32_t n = Header(block)[1 + i];
    count *= size_t(n > 0 ? n : 0);
  }
  return count;
}

Location Locate(const void* block, std::span<const int32_t> indexes) {
  size_t count = ElementCount(block);
  if (indexes.size() == 1) {
    int64_t i = int64_t(indexes[0]) - 1;
    if (i < 0) return {0, kErrorIndexBelowOne};
    if (uint64_t(i) >= count) return {0, kErrorIndexTooLarge};
    return {size_t(i), 0};
  }
  if (indexes.size() != size_t(Dimensions(block))) return {0, kErrorIndexCount};
  size_t element = 0;
  for (size_t k = 0; k < indexes.size(); ++k) {
    int64_t i = int64_t(indexes[k]) - 1;
    int32_t size = Header(block)[1 + k];
    if (i < 0) return {0, kErrorIndexBelowOne};
    if (i >= size) return {0, kErrorIndexTooLarge};
    element = element * size_t(size) + size_t(i);
  }
  return {element, 0};
}

int RedimensionError(std::span<const int32_t> sizes) {
  for (int32_t n : sizes)
    if (n < 0) return kErrorNegativeDimension;
  return 0;
}

void MakeWritable(void*& variable, size_t elementSize) {
  Rt().AuxHelp(kAuxMakeArrayWritable, intptr_t(elementSize), reinterpret_cast<intptr_t>(&variable));
}

void* NewBlock(std::span<const int32_t> sizes, size_t elementSize, const void* old,
               size_t keepElements) {
  constexpr size_t kMax = std::numeric_limits<size_t>::max();
  size_t payload = sizes.empty() ? 0 : elementSize;
  for (int32_t n : sizes) payload = n && payload > kMax / size_t(n) ? kMax : payload * size_t(n);
  size_t header = 4 * (1 + sizes.size());
  auto* block = static_cast<int32_t*>(Alloc(CheckedBlockSize(header, payload)));
  block[0] = int32_t(sizes.size());
  for (size_t k = 0; k < sizes.size(); ++k) block[1 + k] = sizes[k];
  auto* elements = reinterpret_cast<uint8_t*>(block) + header;
  size_t keptBytes = old ? keepElements * elementSize : 0;
  if (keptBytes) std::memcpy(elements, Elements(old), keptBytes);
  std::memset(elements + keptBytes, 0, payload - keptBytes);
  return block;
}

void* GrowByOne(void* block, size_t elementSize) {
  size_t count = ElementCount(block);
  int32_t size = int32_t(count + 1);
  void* grown = NewBlock(std::span<const int32_t>(&size, 1), elementSize, block, count);
  Rt().RuntimeFree(block);
  return grown;
}

}  // namespace array

}  // namespace runtime
