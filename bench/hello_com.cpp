// The bare program plus what zorvel.dll must do as it loads (COM and the common controls made
// ready): the floor under quenda's start-up that the library cannot go below.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

int main() {
  HRESULT com = CoInitialize(nullptr);
  InitCommonControls();
  std::puts("C:\\");
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
