// The smallest Windows program of a build tree: it prints which target it
// was built for and the ANSI code page it runs under. `make test` runs the
// i686 one to learn whether this machine can run the 32-bit build at all.
#include <windows.h>

#include <cstdio>

int main() {
#if defined(__x86_64__)
  const char* target = "x86_64";
#else
  const char* target = "i686";
#endif
  std::printf("target check: %s, code page %u\n", target, GetACP());
  return 0;
}
