// The DLL entry point of every plug-in: nothing to set up or tear down, so it
// reports success for attach and detach, of the process and of threads.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD /*reason*/, LPVOID /*reserved*/) {
  return TRUE;
}
