// Demo: construction, the load/init/dispose phases and the template registry.
#include "demosys/core/Demo.h"

#include <GL/glew.h>

#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/SdlTickSource.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/resources/ResourceLoader.h"

Demo::Demo(int, char* argv[]) {
  if (argv != nullptr && argv[0] != nullptr && argv[1] != nullptr && argv[1][0] != '\0') scriptFile = argv[1];
  SdlTickSource::install();
  loader = new ResourceLoader(scriptPath + scriptFile);
  invalid = !loader->createDataPools();
}

Demo::~Demo() { delete loader; }

void Demo::addEffect(const std::string& name, Effect* effect) {
  QNVDemosys::effectTemplatePool->addEffect(name, effect);
}

bool Demo::load(ScreenMetrics* metrics, int resourceType) {
  QNVIO::init(resourceType);
  if (invalid) return false;
  invalid = !loader->parseConfig();
  loaderMessage = loader->getErrorMessage();
  if (invalid) {
    QNVIO::destroy();
    return false;
  }
  invalid = !loader->initScreen(metrics, windowTitle);
  loaderMessage = loader->getErrorMessage();
  if (invalid) {
    QNVIO::destroy();
    return false;
  }
  GLenum status = glewInit();
  if (status != GLEW_OK) {
    loaderMessage =
        std::string("Error initializing glew\n") + reinterpret_cast<const char*>(glewGetErrorString(status));
    invalid = true;
  } else if (!GLEW_VERSION_2_0) {
    loaderMessage = "No OpenGL 2.0 support found!";
    invalid = true;
  } else {
    invalid = !loadSteps();
  }
  QNVIO::destroy();
  return invalid;
}

// The track step's text is copied as well: a damaged track pack then reads at shut-down.
bool Demo::loadSteps() {
  bool (ResourceLoader::*const steps[])() = {&ResourceLoader::loadDataFiles,
                                             &ResourceLoader::createEffectObjects,
                                             &ResourceLoader::createTrackData, &ResourceLoader::loadSound};
  for (auto step : steps) {
    bool ok = (loader->*step)();
    loaderMessage = loader->getErrorMessage();
    if (!ok) return false;
  }
  return true;
}

void Demo::init() {
  if (invalid) return;
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
}

bool Demo::dispose() {
  disposeContent();
  closeWindow();
  return true;
}

void Demo::disposeContent() {
  std::cout << "[Shutting Down]" << std::endl;
  if (!loader->isValid() || invalid) {
    std::cout << "Message from demosys :" << std::endl << QNVDemosys::getMessage() << std::endl;
    std::cout << "Message from resourceloader" << std::endl << loaderMessage << std::endl;
  }
  if (debugMode) loader->print();
  loader->dispose();
}

void Demo::closeWindow() {
  std::cout << "QNVDemosys::shutdown()" << std::endl;
  QNVDemosys::shutDown();
  std::cout << "[Application End]" << std::endl;
}
