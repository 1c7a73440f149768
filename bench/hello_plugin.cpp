// The bare program plus the floor plug-in (zv_floor.dll), loaded as quenda loads zorvel.dll.
#include <windows.h>

#include <cstdio>

int main() {
  HMODULE plugin = LoadLibraryA("zv_floor.dll");
  std::puts("C:\\");
  if (plugin) FreeLibrary(plugin);
  return plugin ? 0 : 1;
}
