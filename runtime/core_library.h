// The core runtime library as a support library: its record, data types and commands.
#pragma once

#include "program_image.h"

namespace runtime {

// The command table, in table order; application code passes these to CallCoreCommand.
enum CoreCommand : int {
  kWindowHandleOf, kAppDirectory, kReadFileBytes, kBitOr, kLoadWindow, kMoveUnit, kToBytes,
  kToText, kToInt, kBitAnd, kShiftRight, kFloorToInt, kShiftLeft, kReadBytesValue, kZeroBytes,
  kTextLength, kBytesLength, kReadEnvironment, kFileExists, kWriteFileBytes, kRunCommand,
  kBytesFromAddress, kSeedRandom, kRandomInt, kIntDivide, kRemainder, kColorValue, kBitNot,
  kSpaceText, kSnapshot, kAbs, kBytesMid, kBytesRight, kSin, kCos,
  kCoreCommandCount
};
static_assert(kCoreCommandCount == 35);

extern const CommandFn kCoreCommands[kCoreCommandCount];

// Interface function of the core window component (data type 0x00010001).
void* WindowComponentInterface(int code);

const SupportLibraryInfo& CoreLibrary();

inline constexpr uint32_t kWindowDataType = 0x00010001;

}  // namespace runtime
