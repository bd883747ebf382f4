// Entry point of MorvaCommonU.dll. The library keeps no per-process state that
// needs setting up here: shared objects are created on first use.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD /*reason*/, LPVOID /*reserved*/)
{
    return TRUE;
}
