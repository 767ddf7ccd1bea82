#include "app/player.h"

#include "framework/window/startup.h"

namespace player {

// The application's own start routine does nothing.
int AppStartRoutine() { return 0; }

void InitializeGlobals() {}

void ExitRoutine() {}

void FrameworkInitialization() { framework::InitializeFramework(); }

// The start window has been created.
runtime::HandlerResult MainWindowCreated(std::span<const int32_t>) { return {}; }

// The page window has been created.
runtime::HandlerResult PageWindowCreated(std::span<const int32_t>) { return {}; }

}  // namespace player
