// Reading core command results in tests: texts and byte arrays are taken over and freed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/values.h"

namespace runtime::tests {

inline std::string TakeText(const TypedValue& r) {
  EXPECT_EQ(r.type, kTypeText);
  TextPtr owned(static_cast<char*>(r.pointer()));
  return std::string(TextView(owned.get()));
}

inline std::string TakeBytes(const TypedValue& r) {
  EXPECT_EQ(r.type, kTypeBytes);
  BytesPtr owned(static_cast<ByteArray*>(r.pointer()));
  if (owned) {
    EXPECT_GT(owned->length, 0) << "an empty byte array must be null";
  }
  auto view = BytesView(owned.get());
  return std::string(reinterpret_cast<const char*>(view.data()), view.size());
}

inline int32_t IntResult(const TypedValue& r) {
  EXPECT_EQ(r.type, kTypeInt);
  return int32_t(r.low);
}

inline bool BoolResult(const TypedValue& r) {
  EXPECT_EQ(r.type, kTypeBool);
  return r.low != 0;
}

inline double DoubleResult(const TypedValue& r) {
  EXPECT_EQ(r.type, kTypeDouble);
  return r.real();
}

// A heap byte array holding these bytes, freed with the holder.
struct HeldBytes {
  BytesPtr block;
  explicit HeldBytes(const std::string& s) : block(NewBytes(s.data(), s.size())) {}
  TypedValue value() const { return BytesValue(block ? block.get() : EmptyBytes()); }
};

// An address as application code passes it: an integer in the 32-bit build.
inline TypedValue AddressValue(const void* p) {
  if constexpr (sizeof(void*) == 4)
    return IntValue(int32_t(reinterpret_cast<intptr_t>(p)));
  else
    return LongValue(int64_t(reinterpret_cast<intptr_t>(p)));
}

}  // namespace runtime::tests
