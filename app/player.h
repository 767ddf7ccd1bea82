// The player application: its start routine, global objects and window handlers.
#pragma once

#include <cstdint>
#include <span>

#include "app/form_data.h"
#include "runtime/program_image.h"

namespace player {

int AppStartRoutine();
void InitializeGlobals();
void ExitRoutine();
void FrameworkInitialization();

// Event 0 of the start window and of the page window.
runtime::HandlerResult MainWindowCreated(std::span<const int32_t> arguments);
runtime::HandlerResult PageWindowCreated(std::span<const int32_t> arguments);

}  // namespace player
