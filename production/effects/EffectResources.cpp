#include "production/effects/EffectResources.h"

#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/script/ParameterGroup.h"

namespace {

template <class Pool>
Pool* pool(const std::string& name) {
  if (QNVDemosys::data == nullptr) return nullptr;
  return static_cast<Pool*>(QNVDemosys::data->getData(name));
}

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

Shader* EffectResources::shader(const std::string& name) { return need(findShader(name), "shader", name); }

FrameBufferObject* EffectResources::fbo(const std::string& name) {
  DataFBOPool* fbos = pool<DataFBOPool>("fboPool");
  return need(fbos != nullptr && fbos->exists(name) ? fbos->getFBO(name) : nullptr, "framebuffer", name);
}

Texture* EffectResources::texture(const std::string& name) {
  DataTexturePool* textures = pool<DataTexturePool>("texturePool");
  return need(textures != nullptr ? textures->getTexture(name) : nullptr, "texture", name);
}

Shader* EffectResources::shaderOf(const std::string& key) { return shader(parameter(key)); }

FrameBufferObject* EffectResources::fboOf(const std::string& key) { return fbo(parameter(key)); }

Texture* EffectResources::textureOf(const std::string& key) { return texture(parameter(key)); }

Shader* EffectResources::optionalShaderOf(const std::string& key) { return findShader(parameter(key)); }

TrackInterpolate* EffectResources::track(const std::string& name) {
  return need(effect.getTrack(name), "track", name);
}

bool EffectResources::complete() const {
  if (missing.empty()) return true;
  const ParameterGroup* group = effect.getParameters();
  std::cout << "Effect " << (group != nullptr ? group->getGroupName() : std::string("?"))
            << " draws nothing, missing:" << missing << std::endl;
  return false;
}
