// Tarnveld: entry point of the production. The engine's lifecycle is wired
// in as it lands; until then the program announces itself and ends.
#include <cstdio>

int main(int, char**) {
  std::printf("Run demo\n");
  std::printf("Tarnveld: the demo engine is not assembled yet, nothing to play\n");
  return 0;
}
