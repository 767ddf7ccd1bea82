#pragma once

#include "runtime/program_image.h"

namespace runtime::tests {
const SupportLibraryInfo& SecondLibrary();
extern int g_secondLibraryNotices;
}  // namespace runtime::tests
