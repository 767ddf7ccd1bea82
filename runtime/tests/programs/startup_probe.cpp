// Started by RunCommand tests: after an optional pause it writes how it was asked to show
// its window to a file.
//   startup_probe <report file> [pause ms]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 1;
  if (__argc > 2) Sleep(DWORD(std::atoi(__argv[2])));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  if (FILE* f = std::fopen(__argv[1], "wb")) {
    std::fprintf(f, "%lu %u", startup.dwFlags & STARTF_USESHOWWINDOW, unsigned(startup.wShowWindow));
    std::fclose(f);
  }
  return 0;
}
