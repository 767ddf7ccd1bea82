// The core library's command table, in table order.
#include "runtime/commands.h"

namespace runtime {

const CommandFn kCoreCommands[kCoreCommandCount] = {
#define TARVO_CORE_COMMAND_ENTRY(name) commands::name,
    TARVO_CORE_COMMANDS(TARVO_CORE_COMMAND_ENTRY)
#undef TARVO_CORE_COMMAND_ENTRY
};

}  // namespace runtime
