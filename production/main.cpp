// Tarnveld: entry point of the production. Builds the demo, installs the loading display,
// registers the effect templates under their class names and drives the demo through load, init,
// run and dispose; the exit status is always 0.
// Until the launcher dialog lands the demo opens a 1280 x 720 window, and the script's
// "fullscreen" key is overridden so that it stays a window. Resources come from "resources.7z"
// when the working directory holds it, otherwise from the directory tree (a production in the
// making has no archive yet).
// Depends on: Demo, QNVDemosys, ScreenMetrics, QNVIO, File, TarnveldEffects, TarnveldProgressBar.
#include <iostream>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/QNVIO.h"
#include "production/TarnveldEffects.h"
#include "production/TarnveldProgressBar.h"
#include "qnvutils/File.h"

int main(int argc, char* argv[]) {
  ScreenMetrics metrics;
  metrics.setResolution(1280, 720);
  metrics.setFullscreen(false);
  metrics.setFullscreenOverride(true);
  std::cout << "Run demo" << std::endl;
  Demo demo(argc, argv);
  QNVDemosys::setProgressBar(new TarnveldProgressBar());
  registerTarnveldEffects(demo);
  demo.setWindowTitle("Tarnveld");
  demo.load(&metrics, File::exists("resources.7z") ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT);
  demo.init();
  demo.run();
  demo.dispose();
  return 0;
}
