// ResourceLoader: pools, script parsing, screen set-up, run start, report and shut-down.
#include "demosys/resources/ResourceLoader.h"

#include <SDL/SDL.h>

#include <iostream>

#include "demosys/core/ProgressBar.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/GLExtensions.h"
#include "demosys/render/ShaderCache.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataAnimationPool.h"
#include "demosys/resources/DataBinaryPool.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/script/DemoScriptParser.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/timeline/Time.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystem.h"
#include "qnvutils/QNVUtils.h"

ResourceLoader::ResourceLoader(const std::string& path)
    : scriptPath(path), shaderLoader(errorMessage, valid, verbose) {}

ResourceLoader::~ResourceLoader() { delete parser; }

bool ResourceLoader::fail(const std::string& message) {
  errorMessage = message;
  valid = false;
  return false;
}

ParameterGroup* ResourceLoader::systemGroup(const std::string& name) {
  return QNVDemosys::parameters != nullptr ? QNVDemosys::parameters->getGroup(name) : nullptr;
}

std::string ResourceLoader::systemValue(const std::string& group, const std::string& key) {
  ParameterGroup* found = systemGroup(group);
  return (found != nullptr && found->exist(key)) ? found->getParameter(key) : "";
}

void ResourceLoader::tickProgress() {
  if (QNVDemosys::pBar != nullptr) QNVDemosys::pBar->tick();
}

bool ResourceLoader::createDataPools() {
  std::cout << "[Creating DataPools]" << std::endl;
  QNVDemosys::data = new Data();
  QNVDemosys::objectPool = new DataObjectPool();
  QNVDemosys::texturePool = new DataTexturePool();
  QNVDemosys::animationPool = new DataAnimationPool();
  QNVDemosys::effectTemplatePool = new DataEffectPool();
  QNVDemosys::effectPool = new DataEffectPool();
  QNVDemosys::binaryPool = new DataBinaryPool();
  QNVDemosys::shaderPool = new DataShaderPool();
  QNVDemosys::fboPool = new DataFBOPool();
  std::cout << "[Creating Pool objects]" << std::endl;
  QNVDemosys::data->addData("objectPool", QNVDemosys::objectPool);
  QNVDemosys::data->addData("texturePool", QNVDemosys::texturePool);
  QNVDemosys::data->addData("animationPool", QNVDemosys::animationPool);
  QNVDemosys::data->addData("effectTemplatePool", QNVDemosys::effectTemplatePool);
  QNVDemosys::data->addData("effectPool", QNVDemosys::effectPool);
  QNVDemosys::data->addData("binaryPool", QNVDemosys::binaryPool);
  QNVDemosys::data->addData("shaderPool", QNVDemosys::shaderPool);
  QNVDemosys::data->addData("fboPool", QNVDemosys::fboPool);
  return true;
}

bool ResourceLoader::parseConfig() {
  std::cout << "[Creating DemoScriptParser]" << std::endl;
  parser = new DemoScriptParser(scriptPath);
  std::cout << "[Parsing defaults]" << std::endl;
  parser->parseDefaults(true);
  std::cout << "[Parsing demoscript]" << std::endl;
  parser->parse();
  if (!parser->isValid()) return failedParse();
  QNVDemosys::parameters = parser->getParameterGroup("system_parameters");
  QNVDemosys::effects = parser->getParameterGroup("effect_parameters");

  int total = 1 + 2;
  for (const char* group : {"objects", "graphics", "animation", "binary", "framebuffers", "video"}) {
    ParameterGroup* found = systemGroup(group);
    if (found != nullptr) total += found->size();
  }
  if (QNVDemosys::pBar != nullptr) {
    QNVDemosys::pBar->setTicks(total);
  } else {
    QNVDemosys::setProgressBar(new ProgressBar(0.09f, 1.2f, 0.0f, total));
  }
  return true;
}

// The collections go to QNVDemosys only after a successful parse, so a failed one leaves them here.
bool ResourceLoader::failedParse() {
  delete parser->getParameterGroup("system_parameters");
  delete parser->getParameterGroup("effect_parameters");
  return fail(parser->getErrorMessage());
}

void ResourceLoader::readScreenGroup(ScreenMetrics& metrics) {
  ParameterGroup* screen = systemGroup("screen");
  if (screen == nullptr) return;
  if (!metrics.getFullScreenOverride() && screen->exist("fullscreen")) {
    metrics.setFullscreen(QNVUtils::string2Int(screen->getParameter("fullscreen")) != 0);
  }
  if (screen->exist("near")) metrics.setNear(QNVUtils::string2Float(screen->getParameter("near")));
  if (screen->exist("far")) metrics.setFar(QNVUtils::string2Float(screen->getParameter("far")));
  if (metrics.getWidth() == 0 || metrics.getHeight() == 0) {
    std::cout << "No screen mode set. Attempting to read from demoscript" << std::endl;
    if (screen->exist("width") && screen->exist("height")) {
      metrics.setResolution(QNVUtils::string2Int(screen->getParameter("width")),
                            QNVUtils::string2Int(screen->getParameter("height")));
    } else {
      std::cout << "No screen mode defined in demoscript. Doing fallback screenmode." << std::endl;
      metrics.setResolution(640, 480);
    }
  }
  if (metrics.getFSAASamples() == 0 && screen->exist("fsaa")) {
    metrics.setFSAASamples(QNVUtils::string2Int(screen->getParameter("fsaa")));
  }
  std::cout << "FSAASamples : " << metrics.getFSAASamples() << std::endl;
}

// A window that is already open is kept: content rebuilt under it keeps the GL context, and with
// it every GL object that outlives the content (the player's overlay).
bool ResourceLoader::openDisplay(ScreenMetrics* metrics, const std::string& title) {
  if (QNVDemosys::screen != nullptr) {
    QNVDemosys::screenMetrics = metrics;
    return true;
  }
  if (metrics->isFullscreen()) return QNVDemosys::screenOpen(metrics);
  return QNVDemosys::windowOpen(metrics, title, nullptr);
}

bool ResourceLoader::initScreen(ScreenMetrics* metrics, const std::string& title) {
  readScreenGroup(*metrics);
  if (!openDisplay(metrics, title)) {
    return fail("Failed to open screen : " + std::to_string(metrics->getWidth()) + "x" +
                std::to_string(metrics->getHeight()) + QNVDemosys::getMessage());
  }
  metrics->initView();
  metrics->setView();
  QNVDemosys::pBar->loadData();
  std::cout << "[Supported OpenGL Extensions]" << std::endl;
  QNVDemosys::glExtensions = new GLExtensions();
  std::cout << QNVDemosys::glExtensions->toString();
  QNVDemosys::pBar->draw();
  return true;
}

bool ResourceLoader::initDemo() {
  if (verbose) std::cout << "[Getting Startpos]" << std::endl;
  Time start(systemValue("system", "start"));
  if (verbose) std::cout << "startpos = " << start.toString() << std::endl;
  QNVDemosys::timer->setTime(start.getTicks());
  tickProgress();
  std::cout << "[Demo Init]" << std::endl;
  if (systemGroup("sound") != nullptr) {
    if (systemValue("sound", "play") == "1") QNVDemosys::timer->play();
    SDL_ShowCursor(SDL_DISABLE);
  }
  if (verbose) std::cout << "[Demo Init END]" << std::endl;
  return true;
}

void ResourceLoader::resetAllEffects() {
  if (QNVDemosys::effects == nullptr || QNVDemosys::data == nullptr) return;
  auto* pool = static_cast<DataEffectPool*>(QNVDemosys::data->getData("effectPool"));
  if (pool == nullptr) return;
  for (int i = 0; i < QNVDemosys::effects->size(); ++i) {
    Effect* effect = pool->getEffect(QNVDemosys::effects->getKey(i));
    if (effect != nullptr) effect->reset();
  }
}

void ResourceLoader::print() {
  const std::string rule(64, '#');
  std::cout << rule << "\n"
            << "# Resources                                                    #\n"
            << rule << "\n"
            << "--------------------- System parameters ------------------------\n"
            << (QNVDemosys::parameters != nullptr ? QNVDemosys::parameters->toString() : "No Data") << "\n"
            << "--------------------- DataPools --------------------------------\n"
            << (QNVDemosys::data != nullptr ? QNVDemosys::data->toString() : "No Data") << "\n"
            << rule << std::endl;
}

// Pools go through the registry, so the pool statics are only forgotten here.
static void forgetPools() {
  QNVDemosys::objectPool = nullptr;
  QNVDemosys::texturePool = nullptr;
  QNVDemosys::animationPool = nullptr;
  QNVDemosys::effectTemplatePool = nullptr;
  QNVDemosys::effectPool = nullptr;
  QNVDemosys::binaryPool = nullptr;
  QNVDemosys::shaderPool = nullptr;
  QNVDemosys::fboPool = nullptr;
}

bool ResourceLoader::dispose() {
  delete parser;
  parser = nullptr;
  delete QNVDemosys::pBar;
  QNVDemosys::pBar = nullptr;
  std::cout << "[Deleting Pools]" << std::endl;
  std::cout << "delete QNVDemosys::parameters" << std::endl;
  delete QNVDemosys::parameters;
  QNVDemosys::parameters = nullptr;
  std::cout << "delete QNVDemosys::effects" << std::endl;
  delete QNVDemosys::effects;
  QNVDemosys::effects = nullptr;
  std::cout << "delete QNVDemosys::data" << std::endl;
  delete QNVDemosys::data;
  QNVDemosys::data = nullptr;
  forgetPools();
  if (QNVDemosys::glExtensions != nullptr) {
    std::cout << "delete QNVDemosys::glExtensions" << std::endl;
    delete QNVDemosys::glExtensions;
    QNVDemosys::glExtensions = nullptr;
  }
  std::cout << "delete QNVDemosys::tracks" << std::endl;
  delete QNVDemosys::tracks;
  QNVDemosys::tracks = nullptr;
  std::cout << "delete QNVDemosys::timer" << std::endl;
  delete QNVDemosys::timer;
  QNVDemosys::timer = nullptr;
  // Its instances belong to the cache, whoever installed it; nothing uses them past this point.
  delete QNVDemosys::shaderCache;
  QNVDemosys::shaderCache = nullptr;
  return true;
}
