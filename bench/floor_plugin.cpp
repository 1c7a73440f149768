// A plug-in that does only what zorvel.dll must do as it loads: make the common controls and COM
// ready. Loaded by zv_hello_plugin, it is the floor under quenda's start-up for a library that
// is loaded at run time rather than linked into the program.
#include <windows.h>
#include <commctrl.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    InitCommonControls();
    CoInitialize(nullptr);
  }
  return TRUE;
}
