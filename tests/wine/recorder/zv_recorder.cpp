// A program of the tests' own for the launching tests: it writes the command line it was given,
// the directory it started in and then the arguments as the C runtime split them, one per line,
// to the file that the environment variable ZV_RECORD names, and exits. Only the C runtime: it must
// not depend on what it helps to test.
#include <cstdio>
#include <cstdlib>

#include <corecrt_startup.h>  // _acmdln, after the headers that define _CRTIMP
#include <direct.h>

int main(int argc, char** argv) {
  const char* target = std::getenv("ZV_RECORD");
  if (!target || !*target) return 2;
  char directory[4096];
  if (!_getcwd(directory, sizeof directory)) directory[0] = 0;
  // Written under another name first, so a reader never sees half a record.
  char partial[4096];
  std::snprintf(partial, sizeof partial, "%s.part", target);
  std::FILE* out = std::fopen(partial, "wb");
  if (!out) return 3;
  std::fprintf(out, "%s\n%s\n", _acmdln ? _acmdln : "", directory);
  for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  std::fclose(out);
  std::remove(target);
  return std::rename(partial, target) == 0 ? 0 : 4;
}
