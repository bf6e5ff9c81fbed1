#include "production/effects/EffectResources.h"

#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/ShaderCache.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataAnimationPool.h"
#include "demosys/resources/DataEffectPool.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/script/ParameterGroup.h"

namespace {

template <class Pool>
Pool* pool(const std::string& name) {
  if (QNVDemosys::data == nullptr) return nullptr;
  return static_cast<Pool*>(QNVDemosys::data->getData(name));
}

std::vector<EffectResources::Lookup>* recording = nullptr;

Shader* findShader(const std::string& name) {
  DataShaderPool* shaders = pool<DataShaderPool>("shaderPool");
  return shaders != nullptr && shaders->exists(name) ? shaders->getShader(name) : nullptr;
}

}  // namespace

EffectResources::EffectResources(Effect& effect) : effect(effect) {}

template <class T>
T* EffectResources::need(T* found, const std::string& what, const std::string& name) {
  if (found == nullptr) missing += " " + what + " \"" + name + "\"";
  return found;
}

std::string EffectResources::parameter(const std::string& key) const {
  const ParameterGroup* group = effect.getParameters();
  return group != nullptr ? group->getParameter(key) : "NULL";
}

void EffectResources::recordInto(std::vector<Lookup>* sink) { recording = sink; }

const std::string& EffectResources::noted(const char* kind, const std::string& name, const std::string& key,
                                          bool optional) {
  if (recording != nullptr) recording->push_back({kind, name, key, optional});
  return name;
}

Shader* EffectResources::namedShader(const std::string& name, const std::string& key) {
  return need(findShader(noted("shader", name, key, false)), "shader", name);
}

FrameBufferObject* EffectResources::namedFbo(const std::string& name, const std::string& key) {
  DataFBOPool* fbos = pool<DataFBOPool>("fboPool");
  noted("framebuffer", name, key, false);
  return need(fbos != nullptr && fbos->exists(name) ? fbos->getFBO(name) : nullptr, "framebuffer", name);
}

Texture* EffectResources::namedTexture(const std::string& name, const std::string& key) {
  DataTexturePool* textures = pool<DataTexturePool>("texturePool");
  noted("texture", name, key, false);
  return need(textures != nullptr ? textures->getTexture(name) : nullptr, "texture", name);
}

Shader* EffectResources::shader(const std::string& name) { return namedShader(name, ""); }

QNVScene* EffectResources::namedScene(const std::string& name, const std::string& key) {
  DataObjectPool* scenes = pool<DataObjectPool>("objectPool");
  noted("scene", name, key, false);
  return need(scenes != nullptr ? scenes->getObject(name) : nullptr, "scene", name);
}

QNVScene* EffectResources::scene(const std::string& name) { return namedScene(name, ""); }

QNVScene* EffectResources::sceneOf(const std::string& key) { return namedScene(parameter(key), key); }

Animation* EffectResources::animation(const std::string& alias) {
  DataAnimationPool* animations = pool<DataAnimationPool>("animationPool");
  noted("camera path", alias, "", false);
  return need(animations != nullptr ? animations->getAnimation(alias) : nullptr, "camera path", alias);
}

Effect* EffectResources::optionalEffect(const std::string& name) {
  DataEffectPool* effects = pool<DataEffectPool>("effectPool");
  noted("effect", name, "", true);
  return effects != nullptr ? effects->getEffect(name) : nullptr;
}

ShaderInstance* EffectResources::shaderInstance(const std::string& name) {
  ShaderCache* cache = QNVDemosys::shaderCache;
  noted("shader instance", name, "", false);
  return need(cache != nullptr ? cache->getShaderInstance(name) : nullptr, "shader instance", name);
}

FrameBufferObject* EffectResources::fbo(const std::string& name) { return namedFbo(name, ""); }

Texture* EffectResources::texture(const std::string& name) { return namedTexture(name, ""); }

Shader* EffectResources::shaderOf(const std::string& key) { return namedShader(parameter(key), key); }

FrameBufferObject* EffectResources::fboOf(const std::string& key) { return namedFbo(parameter(key), key); }

Texture* EffectResources::textureOf(const std::string& key) { return namedTexture(parameter(key), key); }

Shader* EffectResources::optionalShaderOf(const std::string& key) {
  return findShader(noted("shader", parameter(key), key, true));
}

TrackInterpolate* EffectResources::track(const std::string& name) {
  return need(effect.getTrack(noted("track", name, "", false)), "track", name);
}

bool EffectResources::complete() const {
  if (missing.empty()) return true;
  const ParameterGroup* group = effect.getParameters();
  std::cout << "Effect " << (group != nullptr ? group->getGroupName() : std::string("?"))
            << " draws nothing, missing:" << missing << std::endl;
  return false;
}
