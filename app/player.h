// The player application: its start routine, global objects and window handlers.
#pragma once

#include <cstdint>

namespace player {

inline constexpr uint32_t kStartWindowId = 0x52010001;

int AppStartRoutine();
void InitializeGlobals();
void ExitRoutine();
void FrameworkInitialization();

}  // namespace player
