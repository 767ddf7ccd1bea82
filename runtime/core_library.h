// The core runtime library as a support library: its record, data types and commands.
#pragma once

#include "program_image.h"

namespace runtime {

// The command table, in table order; application code passes these to CallCoreCommand.
#define TARVO_CORE_COMMANDS(X)                                                               \
  X(WindowHandleOf) X(AppDirectory) X(ReadFileBytes) X(BitOr) X(LoadWindow) X(MoveUnit)      \
  X(ToBytes) X(ToText) X(ToInt) X(BitAnd) X(ShiftRight) X(FloorToInt) X(ShiftLeft)           \
  X(ReadBytesValue) X(ZeroBytes) X(TextLength) X(BytesLength) X(ReadEnvironment)             \
  X(FileExists) X(WriteFileBytes) X(RunCommand) X(BytesFromAddress) X(SeedRandom)            \
  X(RandomInt) X(IntDivide) X(Remainder) X(ColorValue) X(BitNot) X(SpaceText) X(Snapshot)    \
  X(Abs) X(BytesMid) X(BytesRight) X(Sin) X(Cos)

enum CoreCommand : int {
#define TARVO_CORE_COMMAND_ENUM(name) k##name,
  TARVO_CORE_COMMANDS(TARVO_CORE_COMMAND_ENUM)
#undef TARVO_CORE_COMMAND_ENUM
  kCoreCommandCount
};
static_assert(kCoreCommandCount == 35);

extern const CommandFn kCoreCommands[kCoreCommandCount];

// Interface function of the core window component (data type 0x00010001).
void* WindowComponentInterface(int code);

const SupportLibraryInfo& CoreLibrary();

inline constexpr uint32_t kWindowDataType = 0x00010001;

}  // namespace runtime
