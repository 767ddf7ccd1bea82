// A library found only beside the test programs, for the DLL-command binding tests.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI ProbeValue(int x) { return x * 3 + 1; }
