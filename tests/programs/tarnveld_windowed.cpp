// The tarnveld program without its launcher dialog, as the fixtures run it: the choices of a
// viewer who picked a 1280 x 720 window, then the program's own steps.
#include "demosys/core/ScreenMetrics.h"
#include "production/TarnveldEntry.h"

int main(int argc, char* argv[]) {
  ScreenMetrics metrics;
  metrics.setResolution(1280, 720);
  metrics.setFullscreen(false);
  metrics.setFullscreenOverride(true);
  return runTarnveld(argc, argv, metrics);
}
