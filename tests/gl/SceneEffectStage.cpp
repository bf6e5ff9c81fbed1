// SceneEffectStage: pools, cache, production shaders and the scripted spectrum for 3D effect tests.
#include "tests/gl/SceneEffectStage.h"

#include <gtest/gtest.h>

#include <memory>

#include "demosys/camera/AnimationParser.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/render/Shader.h"
#include "demosys/render/ShaderCache.h"
#include "demosys/render/ShaderLoader.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataAnimationPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/support/SceneSamples.h"

void ScriptedSpectrumTimer::GetDirectSoundData(SoundChannel which, int count, float* out) {
  const std::vector<float>& bands = which == RIGHT ? right : left;
  for (int i = 0; i < count; ++i) out[i] = static_cast<size_t>(i) < bands.size() ? bands[static_cast<size_t>(i)] : 0.0f;
}

SceneEffectStage::SceneEffectStage(EffectTestBench& bench)
    : savedCache(QNVDemosys::shaderCache),
      cache(new ShaderCache()),
      scenes(new DataObjectPool()),
      paths(new DataAnimationPool()),
      spectrum(new ScriptedSpectrumTimer()) {
  QNVDemosys::data->addData("objectPool", scenes);
  QNVDemosys::data->addData("animationPool", paths);
  QNVDemosys::shaderCache = cache;
  bench.setTimer(std::unique_ptr<Timer>(spectrum));
}

SceneEffectStage::~SceneEffectStage() {
  QNVDemosys::shaderCache = savedCache;
  delete cache;
}

QNVScene* SceneEffectStage::addScene(const std::string& name, const SceneDescription& description) {
  QNVSceneLoader loader(name);
  QNVScene* scene = loader.loadScene(*sceneFile(description), keyframeFile(description).get());
  EXPECT_TRUE(loader.isValid()) << loader.getErrorMessage();
  if (scene != nullptr) scenes->addObject(name, scene);
  return scene;
}

void SceneEffectStage::addCameraPath(const std::string& alias, const std::string& text) {
  AnimationParser parser(alias);
  paths->addAnimation(alias, parser.parseText(text));
  EXPECT_TRUE(parser.isValid()) << parser.getErrorMessage();
}

void SceneEffectStage::addShaderInstance(const std::string& name, ShaderInstance* instance) {
  cache->addShaderInstance(name, instance);
}

Shader* SceneEffectStage::addProductionShader(const std::string& name) { return addProductionShader(name, {name}); }

Shader* SceneEffectStage::addProductionShader(const std::string& name, const std::vector<std::string>& items) {
  QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  std::string errorMessage;
  bool valid = true;
  const bool verbose = false;
  ShaderLoader loader(errorMessage, valid, verbose);
  auto* shader = new Shader();
  EXPECT_TRUE(loader.loadShader(shader, items.at(0), DEMOSYS_SOURCE_DIR "/resources/shaders/", items)) << errorMessage;
  QNVDemosys::shaderPool->addShader(name, shader);
  return shader;
}
