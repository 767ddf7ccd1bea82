// The core library's command implementations and what they share. Runtime code only;
// application code calls commands through CallCoreCommand (see CallCore in values.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/core_library.h"
#include "runtime/values.h"

namespace runtime::commands {

#define TARVO_CORE_COMMAND_DECLARATION(name) \
  void name(TypedValue* result, int count, TypedValue* args);
TARVO_CORE_COMMANDS(TARVO_CORE_COMMAND_DECLARATION)
#undef TARVO_CORE_COMMAND_DECLARATION

// The runtime's service entry as the core library stored it at start-up; 0 without one.
intptr_t CoreService(int code, intptr_t param1 = 0, intptr_t param2 = 0);
// A command's fatal error: through the service entry (code 2027), which ends the process.
[[noreturn]] void CommandFatal(const char* message);

// The argument records of one call. Missing and omitted arguments read as the fallback.
class Args {
 public:
  Args(int count, const TypedValue* values) : count_(count > 0 && values ? count : 0), values_(values) {}
  int count() const { return count_; }
  bool given(int i) const { return i >= 0 && i < count_ && values_[i].type != kTypeNone; }
  const TypedValue& operator[](int i) const { return values_[i]; }
  // Any value as an integer, by ToInt's rules.
  int32_t integer(int i, int32_t fallback = 0) const;
  double number(int i, double fallback = 0) const;
  std::string_view text(int i) const;
  std::span<const uint8_t> bytes(int i) const;
  // An address or handle passed as an integer (or, in the 64-bit build, a long integer).
  void* address(int i) const;

 private:
  int count_;
  const TypedValue* values_;
};

void SetInt(TypedValue* result, int32_t value);
void SetBool(TypedValue* result, bool value);
void SetDouble(TypedValue* result, double value);
void SetText(TypedValue* result, std::string_view text);           // null when empty
void SetBytes(TypedValue* result, std::span<const uint8_t> bytes);  // null when empty
void SetBytesBlock(TypedValue* result, ByteArray* owned);

// ToInt of one value.
int32_t ToInt32(const TypedValue& value);
// Converts full-width forms of ASCII characters (GBK A3A1..A3FE, and the ideographic space
// A1A1) to ASCII.
std::string HalfWidth(std::string_view gbk);
// C atoi, saturating instead of overflowing.
int32_t ParseLeadingInt(std::string_view text);
// The text ToText gives for an OLE date.
std::string DateTimeText(double oleDate);

// MoveUnit's work on a live window: the given parts of the rectangle replace the current.
void MoveInstance(HWND window, std::optional<int> left, std::optional<int> top,
                  std::optional<int> width, std::optional<int> height);
// RunCommand's show modes 1..6 (clamped) as ShowWindow values.
WORD ShowModeOf(int mode);
// Snapshot's scaling of one captured dimension.
int ScaledSize(int captured, int requested);

}  // namespace runtime::commands
