// The typed value exchanged between application code and the runtime's commands.
#pragma once

#include <cstdint>
#include <cstring>

namespace runtime {

enum TypeCode : uint32_t {
  kTypeNone = 0,
  kTypeByte = 0x80000101,
  kTypeShort = 0x80000201,
  kTypeInt = 0x80000301,
  kTypeLong = 0x80000401,
  kTypeFloat = 0x80000501,
  kTypeDouble = 0x80000601,
  kTypeBool = 0x80000002,
  kTypeDateTime = 0x80000003,
  kTypeText = 0x80000004,
  kTypeBytes = 0x80000005,
  kTypeSubroutine = 0x80000006,
  kTypeEightBytes = 0x80000008,
};

inline constexpr uint32_t kTypeByAddress = 0x20000000;  // value field holds an address

// Twelve bytes in both builds: a pointer uses the low word, and the high word too in the
// 64-bit build.
struct TypedValue {
  uint32_t low = 0;
  uint32_t high = 0;
  uint32_t type = kTypeNone;

  void* pointer() const {
    uint64_t bits = (uint64_t(high) << 32) | low;
    return reinterpret_cast<void*>(static_cast<uintptr_t>(bits));
  }
  void setPointer(const void* p) {
    uint64_t bits = reinterpret_cast<uintptr_t>(p);
    low = uint32_t(bits);
    high = uint32_t(bits >> 32);
  }
  int64_t int64() const { return int64_t((uint64_t(high) << 32) | low); }
  void setInt64(int64_t v) {
    low = uint32_t(uint64_t(v));
    high = uint32_t(uint64_t(v) >> 32);
  }
  double real() const {
    double d;
    uint64_t bits = (uint64_t(high) << 32) | low;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  void setReal(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof d);
    low = uint32_t(bits);
    high = uint32_t(bits >> 32);
  }
  float single() const {
    float f;
    std::memcpy(&f, &low, sizeof f);
    return f;
  }
  void setSingle(float f) { std::memcpy(&low, &f, sizeof f); }
};
static_assert(sizeof(TypedValue) == 12);

}  // namespace runtime
