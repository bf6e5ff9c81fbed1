// TarnveldEntry: choices into the metrics, building and running the production's demo.
// Resources come from "resources.7z" when the working directory holds it, otherwise from the
// directory tree (a production in the making has no archive yet).
#include "production/TarnveldEntry.h"

#include <iostream>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/QNVIO.h"
#include "production/QNVGui.h"
#include "production/TarnveldEffects.h"
#include "production/TarnveldProgressBar.h"
#include "production/TarnveldShaderCache.h"
#include "qnvutils/File.h"

void transferLauncherChoices(ScreenMetrics& metrics) {
  metrics.setResolution(QNVGui::getScreenWidth(), QNVGui::getScreenHeight());
  metrics.setFullscreen(QNVGui::getFullscreen());
  metrics.setFullscreenOverride(true);
  // The viewer's vertical-sync choice outranks the script's "vsync" key in fullscreen too.
  metrics.setVSync(QNVGui::getVSync());
  metrics.setVSyncOverride(true);
  metrics.setFSAASamples(QNVGui::getAntialiasing());
}

std::unique_ptr<Demo> createTarnveldDemo(int argc, char* argv[]) {
  auto demo = std::make_unique<Demo>(argc, argv);
  QNVDemosys::setProgressBar(new TarnveldProgressBar());
  QNVDemosys::shaderCache = new TarnveldShaderCache();
  registerTarnveldEffects(*demo);
  demo->setWindowTitle("Tarnveld");
  return demo;
}

int runTarnveld(int argc, char* argv[], ScreenMetrics& metrics) {
  std::cout << "Run demo" << std::endl;
  std::unique_ptr<Demo> demo = createTarnveldDemo(argc, argv);
  demo->load(&metrics, File::exists("resources.7z") ? QNVIO::QNV_RESOURCES_7Z : QNVIO::QNV_RESOURCES_FLAT);
  demo->init();
  demo->run();
  demo->dispose();
  return 0;
}
