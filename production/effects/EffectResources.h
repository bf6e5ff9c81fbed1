// What an effect looks up once in init(): shaders, framebuffers, textures, scenes, camera paths and
// other effect instances from the data pools, shader instances from the shader cache, by the name
// one of its parameters holds or by a fixed name, and its tracks. It remembers every
// lookup that found nothing, so that an effect whose script names a resource that was never loaded
// reports it once and draws nothing instead of dereferencing null.
// Depends on: Effect (parameters, tracks), QNVDemosys / Data and the shader, framebuffer, texture,
// object, animation and effect pools, ShaderCache.
#pragma once

#include <string>
#include <vector>

class Animation;
class Effect;
class FrameBufferObject;
class QNVScene;
class Shader;
class ShaderInstance;
class Texture;
class TrackInterpolate;

class EffectResources {
 public:
  explicit EffectResources(Effect& effect);

  // By the pool name the parameter key holds.
  Shader* shaderOf(const std::string& key);
  FrameBufferObject* fboOf(const std::string& key);
  Texture* textureOf(const std::string& key);
  // By pool name.
  Shader* shader(const std::string& name);
  FrameBufferObject* fbo(const std::string& name);
  Texture* texture(const std::string& name);
  QNVScene* scene(const std::string& name);
  QNVScene* sceneOf(const std::string& key);
  Animation* animation(const std::string& alias);
  // An effect instance of the script, by instance name; null, and no complaint, when there is none.
  Effect* optionalEffect(const std::string& name);
  ShaderInstance* shaderInstance(const std::string& name);
  // A shader the effect can do without: null, and no complaint, when the pool lacks it.
  Shader* optionalShaderOf(const std::string& key);
  TrackInterpolate* track(const std::string& name);

  // The parameter's value ("NULL" when absent).
  std::string parameter(const std::string& key) const;

  // True when every lookup found something; otherwise prints one line naming what was missing.
  bool complete() const;

  // One thing an effect's init() asked for: kind ("shader", "framebuffer", "texture", "scene",
  // "camera path", "effect", "shader instance", "track"), the name looked up, and the parameter
  // key that held it ("" for a fixed name).
  struct Lookup {
    std::string kind;
    std::string name;
    std::string parameterKey;
    bool optional;
  };
  // While a sink is set, every lookup is appended to it: the tools learn what an effect needs by
  // running its init() against empty pools. Null stops recording.
  static void recordInto(std::vector<Lookup>* sink);

 private:
  template <class T>
  T* need(T* found, const std::string& what, const std::string& name);
  const std::string& noted(const char* kind, const std::string& name, const std::string& key, bool optional);
  Shader* namedShader(const std::string& name, const std::string& key);
  FrameBufferObject* namedFbo(const std::string& name, const std::string& key);
  Texture* namedTexture(const std::string& name, const std::string& key);
  QNVScene* namedScene(const std::string& name, const std::string& key);

  Effect& effect;
  std::string missing;
};
