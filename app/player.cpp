#include "app/player.h"

#include "framework/window/startup.h"

namespace player {

// The application's own start routine does nothing.
int AppStartRoutine() { return 0; }

void InitializeGlobals() {}

void ExitRoutine() {}

void FrameworkInitialization() { framework::InitializeFramework(); }

}  // namespace player
