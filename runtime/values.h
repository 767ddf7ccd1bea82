// The value blocks application code exchanges with the runtime, and the one place that
// applies their rules: texts (GBK, null = empty), byte arrays {1, length, bytes}, arrays
// {dimensions, sizes..., elements} with 1-based checked access, and typed values.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>

#include "runtime/core_library.h"
#include "runtime/typed_value.h"

namespace runtime {

// Ends the process with a numbered runtime error (message box, exit code -1).
[[noreturn]] void RaiseRuntimeError(int number);

// Runtime error numbers raised by the helpers below.
enum RuntimeErrorNumber : int {
  kErrorIndexTooLarge = 1,
  kErrorNotNumeric = 2,
  kErrorIndexCount = 3,
  kErrorIndexBelowOne = 4,
  kErrorNegativeDimension = 10,
};

struct RuntimeFreeDeleter {
  void operator()(void* block) const;
};

// ---- Texts ----------------------------------------------------------------------------

using TextPtr = std::unique_ptr<char, RuntimeFreeDeleter>;

inline std::string_view TextView(const char* text) { return text ? text : std::string_view(); }
// A new heap text; null for the empty text.
char* NewText(std::string_view text);

// ---- Byte arrays ----------------------------------------------------------------------

struct ByteArray {
  int32_t marker;  // always 1
  int32_t length;
  uint8_t* data() { return reinterpret_cast<uint8_t*>(this + 1); }
  const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(this + 1); }
};
static_assert(sizeof(ByteArray) == 8);

using BytesPtr = std::unique_ptr<ByteArray, RuntimeFreeDeleter>;

// The empty byte array constant {1, 0} that application code passes instead of null.
const ByteArray* EmptyBytes();

// The bytes of a byte array; null and a non-positive length are empty.
inline std::span<const uint8_t> BytesView(const ByteArray* bytes) {
  if (!bytes || bytes->length <= 0) return {};
  return {bytes->data(), size_t(bytes->length)};
}
// A new heap byte array; null for length 0. Lengths beyond the heap's limit are fatal.
ByteArray* NewBytes(const void* data, size_t length);
inline ByteArray* NewBytes(std::span<const uint8_t> bytes) {
  return NewBytes(bytes.data(), bytes.size());
}
ByteArray* NewZeroBytes(size_t length);

// ---- Typed values ---------------------------------------------------------------------

inline TypedValue MakeValue(uint32_t type, uint32_t low, uint32_t high = 0) {
  TypedValue v;
  v.low = low;
  v.high = high;
  v.type = type;
  return v;
}
inline TypedValue IntValue(int32_t i) { return MakeValue(kTypeInt, uint32_t(i)); }
inline TypedValue BoolValue(bool b) { return MakeValue(kTypeBool, b ? 1 : 0); }
inline TypedValue LongValue(int64_t i) {
  TypedValue v = MakeValue(kTypeLong, 0);
  v.setInt64(i);
  return v;
}
inline TypedValue DoubleValue(double d, uint32_t type = kTypeDouble) {
  TypedValue v = MakeValue(type, 0);
  v.setReal(d);
  return v;
}
inline TypedValue DateTimeValue(double oleDate) { return DoubleValue(oleDate, kTypeDateTime); }
inline TypedValue FloatValue(float f) {
  TypedValue v = MakeValue(kTypeFloat, 0);
  v.setSingle(f);
  return v;
}
inline TypedValue PointerValue(uint32_t type, const void* p) {
  TypedValue v = MakeValue(type, 0);
  v.setPointer(p);
  return v;
}
inline TypedValue TextValue(const char* text) { return PointerValue(kTypeText, text); }
inline TypedValue BytesValue(const ByteArray* bytes) { return PointerValue(kTypeBytes, bytes); }
// An array argument: the address of its block with the element type.
inline TypedValue ArrayValue(const void* array, uint32_t elementType) {
  return PointerValue(elementType | kTypeByAddress, array);
}
// An argument passed by reference: the address of the caller's variable.
inline TypedValue ReferenceValue(int32_t* variable) {
  return PointerValue(kTypeInt | kTypeByAddress, variable);
}
inline TypedValue ComponentValue(uint32_t windowId, uint32_t unitId,
                                 uint32_t dataType = kWindowDataType) {
  return MakeValue(dataType, windowId, unitId);
}

inline const char* TextOf(const TypedValue& v) {
  return v.type == kTypeText ? static_cast<const char*>(v.pointer()) : nullptr;
}
inline const ByteArray* BytesOf(const TypedValue& v) {
  return v.type == kTypeBytes ? static_cast<const ByteArray*>(v.pointer()) : nullptr;
}

bool IsNumericType(uint32_t type);
// A numeric value as double; a value that is not numeric raises error 2.
double NumberOf(const TypedValue& value);
// A numeric value as an integer, floats truncated toward zero; not numeric raises error 2.
int32_t IntegerOf(const TypedValue& value);

// Calls a core command through the entry table; a text or byte-array result is the caller's.
TypedValue CallCore(CoreCommand command, std::initializer_list<TypedValue> args = {});

// ---- Arrays ---------------------------------------------------------------------------

namespace array {

inline const int32_t* Header(const void* block) { return static_cast<const int32_t*>(block); }
inline int32_t Dimensions(const void* block) {
  return block && Header(block)[0] > 0 ? Header(block)[0] : 0;
}
// The product of the sizes; 0 for a null block or no dimensions.
size_t ElementCount(const void* block);
inline size_t HeaderBytes(const void* block) { return 4 * (1 + size_t(Dimensions(block))); }
inline uint8_t* Elements(void* block) { return static_cast<uint8_t*>(block) + HeaderBytes(block); }
inline const uint8_t* Elements(const void* block) {
  return static_cast<const uint8_t*>(block) + HeaderBytes(block);
}

// Where 1-based indexes lead: an element number (0-based, row order) or an error number.
struct Location {
  size_t element = 0;
  int error = 0;
};
Location Locate(const void* block, std::span<const int32_t> indexes);
// 0 or error 10 for a redimension to these sizes.
int RedimensionError(std::span<const int32_t> sizes);

// Copies a constant-pool array to the heap before it is written (AuxHelp code 2).
void MakeWritable(void*& variable, size_t elementSize);
// A new block of these sizes; the first `keep` bytes of elements come from `old`, the rest
// are zero. Does not free `old`.
void* NewBlock(std::span<const int32_t> sizes, size_t elementSize, const void* old,
               size_t keepElements);
// Rewrites the (writable) array as one dimension of one more element; returns the new block.
void* GrowByOne(void* block, size_t elementSize);

}  // namespace array

// Element types whose elements are heap blocks the array owns.
template <typename T>
inline constexpr bool kOwnsBlocks = std::is_same_v<T, char*> || std::is_same_v<T, ByteArray*>;

// A typed view of an array variable (the variable holds the block's address, possibly a
// constant). Every access is checked; every write first makes the array writable.
template <typename T>
class ArrayVariable {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  explicit ArrayVariable(void*& variable) : variable_(variable) {}

  size_t count() const { return array::ElementCount(variable_); }
  int32_t dimensions() const { return array::Dimensions(variable_); }

  T get(std::initializer_list<int32_t> indexes) const {
    T value;
    std::memcpy(&value, address(indexes), sizeof(T));
    return value;
  }
  // Stores the value; an owned element it replaces is freed.
  void set(std::initializer_list<int32_t> indexes, T value) {
    locate(indexes);  // errors before any copy is made
    array::MakeWritable(variable_, sizeof(T));
    uint8_t* p = address(indexes);
    if constexpr (kOwnsBlocks<T>) {
      T old;
      std::memcpy(&old, p, sizeof(T));
      if (old != value) RuntimeFreeDeleter()(old);
    }
    std::memcpy(p, &value, sizeof(T));
  }

  // Negative sizes raise error 10. With keep, elements are kept in row order up to the new
  // count; owned elements that no longer fit are freed.
  void redimension(std::initializer_list<int32_t> sizes, bool keep = false) {
    std::span<const int32_t> s(sizes.begin(), sizes.size());
    if (int error = array::RedimensionError(s)) RaiseRuntimeError(error);
    size_t kept = keep ? count() : 0;
    size_t newCount = 1;
    for (int32_t n : s) newCount *= size_t(n);
    if (kept > newCount) kept = newCount;
    void* block = array::NewBlock(s, sizeof(T), variable_, kept);
    freeElements(kept);
    RuntimeFreeDeleter()(variable_);
    variable_ = block;
  }

  void append(T value) {
    array::MakeWritable(variable_, sizeof(T));
    variable_ = array::GrowByOne(variable_, sizeof(T));
    std::memcpy(array::Elements(variable_) + (count() - 1) * sizeof(T), &value, sizeof(T));
  }

  // Frees the owned elements and the block; the variable becomes null.
  void clear() {
    freeElements(0);
    RuntimeFreeDeleter()(variable_);
    variable_ = nullptr;
  }

 private:
  size_t locate(std::initializer_list<int32_t> indexes) const {
    array::Location at =
        array::Locate(variable_, std::span<const int32_t>(indexes.begin(), indexes.size()));
    if (at.error) RaiseRuntimeError(at.error);
    return at.element;
  }
  uint8_t* address(std::initializer_list<int32_t> indexes) const {
    size_t element = locate(indexes);
    return array::Elements(variable_) + element * sizeof(T);
  }
  void freeElements(size_t from) {
    if constexpr (kOwnsBlocks<T>) {
      if (!variable_) return;
      const uint8_t* e = array::Elements(static_cast<const void*>(variable_));
      for (size_t i = from, n = count(); i < n; ++i) {
        T p;
        std::memcpy(&p, e + i * sizeof(T), sizeof(T));
        RuntimeFreeDeleter()(p);
      }
    }
  }

  void*& variable_;
};

}  // namespace runtime
