#include "app/player.h"

namespace player {

// The application's own start routine does nothing.
int AppStartRoutine() { return 0; }

void InitializeGlobals() {}

void ExitRoutine() {}

void FrameworkInitialization() {}

}  // namespace player
