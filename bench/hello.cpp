// The bare program that quenda's start-up is measured against: it starts and prints one line.
#include <cstdio>

int main() {
  std::puts("C:\\");
  return 0;
}
