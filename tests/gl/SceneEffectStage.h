// Test helper: what 3D effects look up beyond EffectTestBench's pools, in the bench's registry for
// its lifetime: scenes loaded from descriptions, camera paths from text, a shader cache, the
// production's shaders as the demo loads them, and a timer playing the spectrum a test writes.
// Depends on: EffectTestBench, QNVDemosys, pools, ShaderCache, ShaderLoader, QNVSceneLoader, Timer.
#pragma once

#include <string>
#include <vector>

#include "demosys/timeline/Timer.h"

class DataAnimationPool;
class DataObjectPool;
class EffectTestBench;
class QNVScene;
class Shader;
class ShaderCache;
class ShaderInstance;
struct SceneDescription;

// Band i of the left or right spectrum reads left[i] or right[i] (0 past their ends).
class ScriptedSpectrumTimer : public Timer {
 public:
  ScriptedSpectrumTimer() : Timer(20) {}
  void GetDirectSoundData(SoundChannel which, int count, float* out) override;
  std::vector<float> left;
  std::vector<float> right;
};

class SceneEffectStage {
 public:
  explicit SceneEffectStage(EffectTestBench& bench);
  ~SceneEffectStage();
  SceneEffectStage(const SceneEffectStage&) = delete;
  SceneEffectStage& operator=(const SceneEffectStage&) = delete;

  // A failure to load fails the test and returns null.
  QNVScene* addScene(const std::string& name, const SceneDescription& description);
  void addCameraPath(const std::string& alias, const std::string& text);
  // The cache owns the instance.
  void addShaderInstance(const std::string& name, ShaderInstance* instance);
  // resources/shaders/NAME.vert and .frag, includes expanded, into the shader pool under NAME; or
  // the pair FILE with the definitions, as a script entry "NAME = FILE, DEFINITIONS" loads it.
  Shader* addProductionShader(const std::string& name);
  Shader* addProductionShader(const std::string& name, const std::vector<std::string>& items);

  ScriptedSpectrumTimer& timer() { return *spectrum; }

 private:
  ShaderCache* savedCache;
  ShaderCache* cache;
  DataObjectPool* scenes;
  DataAnimationPool* paths;
  ScriptedSpectrumTimer* spectrum;
};
