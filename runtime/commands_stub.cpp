// Placeholder command table.
#include "core_library.h"

namespace runtime {
const CommandFn kCoreCommands[kCoreCommandCount] = {};
}
