// The program image of the form engine tests: stored windows built from test components
// whose creation, messages and destruction are written to one log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core_library.h"
#include "runtime/typed_value.h"

namespace runtime::tests {

// Windows.
inline constexpr uint32_t kUnitsWindow = 0x52000001;     // seven units, containers and pages
inline constexpr uint32_t kSelfClosingWindow = 0x52000002;  // destroys itself in event 0
inline constexpr uint32_t kFailingUnitWindow = 0x52000003;  // a unit whose create fails
inline constexpr uint32_t kNoisyWindow = 0x52000004;     // a unit raises an event while created
inline constexpr uint32_t kModalWindow = 0x52000005;
inline constexpr uint32_t kStyledWindow = 0x52000006;    // sizing frame, boxes, topmost, no close
inline constexpr uint32_t kBadBlockWindow = 0x52000007;  // version 7 property block
inline constexpr uint32_t kUnknownTypeWindow = 0x52000008;
inline constexpr uint32_t kHiddenOwnerWindow = 0x52000009;  // not in the taskbar
inline constexpr uint32_t kOwnClassWindow = 0x5200000A;  // class name stored
inline constexpr uint32_t kBorderlessWindow = 0x5200000B;  // border style 0, like the player's
inline constexpr uint32_t kIconWindow = 0x5200000C;  // a stored 32 x 32 icon
inline constexpr uint32_t kBadIconWindow = 0x5200000D;  // an icon block that is no icon
// Like the player: the main window's event 0 loads the page window with itself as parent and
// moves it, both through the core commands.
inline constexpr uint32_t kMainWindow = 0x5200000E;
inline constexpr uint32_t kMainWindowOwn = 0x060000E1;
inline constexpr uint32_t kPageWindow = 0x5200000F;
inline constexpr uint32_t kPageWindowOwn = 0x060000F1;
inline constexpr uint32_t kWindowlessTypeWindow = 0x52000010;  // a unit of a 0x8000 type
inline constexpr uint32_t kWindowlessUnit = 0x16000101;
inline constexpr uint32_t kMissingWindow = 0x520000FF;

// Units of kUnitsWindow.
inline constexpr uint32_t kUnitsWindowOwn = 0x06000001;
inline constexpr uint32_t kUnitA = 0x16000002;  // visible
inline constexpr uint32_t kUnitB = 0x16000003;  // container: C on page 1, D on page 2
inline constexpr uint32_t kUnitC = 0x16000004;
inline constexpr uint32_t kUnitD = 0x16000005;
inline constexpr uint32_t kUnitE = 0x16000006;  // not visible, disabled
inline constexpr uint32_t kUnitF = 0x16000007;  // shares the events of A
inline constexpr uint32_t kNoisyUnit = 0x16000010;

inline constexpr char kStyledClass[] = "TarvoStoredClass";

// What happened, in order: "create <unit>", "notice <message> <unit or window>",
// "event <n> <window>", "destroyed <unit>", "args <a> <b>".
std::vector<std::string>& Log();
std::string Hex(uint32_t value);

// Typed arguments for the core commands, and a call of one of them.
TypedValue UnitValue(uint32_t windowId, uint32_t unitId);
TypedValue IntValue(int32_t value);
TypedValue CoreCall(CoreCommand command, std::vector<TypedValue> args);

}  // namespace runtime::tests
