// A library with nothing a plug-in host looks for.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI NotAPluginFunction() { return 0; }
