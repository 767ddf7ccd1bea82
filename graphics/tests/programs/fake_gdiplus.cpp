// An older GDI+ for the binding test: it starts, and has none of the flat functions.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI GdiplusStartup(ULONG_PTR* token, const void*, void*) {
  if (token) *token = 1;
  return 0;
}
