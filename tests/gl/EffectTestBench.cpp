// EffectTestBench: pools, instances, tracks and frames for effect tests.
#include "tests/gl/EffectTestBench.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/DataShaderPool.h"
#include "demosys/resources/DataTexturePool.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "demosys/timeline/TrackKeyFrameInterpolate.h"

const char* const EffectTestBench::passThroughVertex =
    "void main() { gl_Position = ftransform(); gl_TexCoord[0] = gl_MultiTexCoord0; }\n";

struct EffectTestBench::Saved {
  Data* data = QNVDemosys::data;
  DataShaderPool* shaderPool = QNVDemosys::shaderPool;
  DataFBOPool* fboPool = QNVDemosys::fboPool;
  DataTexturePool* texturePool = QNVDemosys::texturePool;
  Timer* timer = QNVDemosys::timer;
};

EffectTestBench::EffectTestBench()
    : saved(std::make_unique<Saved>()),
      data(std::make_unique<Data>()),
      shaders(new DataShaderPool()),
      fbos(new DataFBOPool()),
      textures(new DataTexturePool()) {
  data->addData("shaderPool", shaders);
  data->addData("fboPool", fbos);
  data->addData("texturePool", textures);
  QNVDemosys::data = data.get();
  QNVDemosys::shaderPool = shaders;
  QNVDemosys::fboPool = fbos;
  QNVDemosys::texturePool = textures;
}

EffectTestBench::~EffectTestBench() {
  effects.clear();
  QNVDemosys::data = saved->data;
  QNVDemosys::shaderPool = saved->shaderPool;
  QNVDemosys::fboPool = saved->fboPool;
  QNVDemosys::texturePool = saved->texturePool;
  QNVDemosys::timer = saved->timer;
}

FrameBufferObject* EffectTestBench::addFBO(const std::string& name, int width, int height, bool depth) {
  auto* target = new FrameBufferObject(width, height, depth, false);
  EXPECT_TRUE(target->isValid()) << name << ": " << target->getStatusMessage();
  fbos->addFBO(name, target);
  fill(name, 0.0f, 0.0f, 0.0f, 0.0f);
  return target;
}

FrameBufferObject* EffectTestBench::fbo(const std::string& name) const { return fbos->getFBO(name); }

void EffectTestBench::fill(const std::string& name, float r, float g, float b, float a) {
  GLfloat previous[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, previous);
  FrameBufferObject* target = fbo(name);
  target->bind();
  glClearColor(r, g, b, a);
  glClear(GL_COLOR_BUFFER_BIT);
  target->release();
  glClearColor(previous[0], previous[1], previous[2], previous[3]);
}

Texture* EffectTestBench::addTexture(const std::string& name, int width, int height,
                                     const std::vector<uint8_t>& rgba) {
  EXPECT_EQ(rgba.size(), static_cast<size_t>(width * height * 4)) << name;
  auto* texture = new Texture(width, height, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, rgba.data());
  texture->setInterpolation(GL_NEAREST);
  textures->addTexture(name, texture);
  return texture;
}

Texture* EffectTestBench::addSolidTexture(const std::string& name, uint8_t r, uint8_t g, uint8_t b,
                                          uint8_t a) {
  std::vector<uint8_t> rgba;
  for (int i = 0; i < 4; ++i) rgba.insert(rgba.end(), {r, g, b, a});
  return addTexture(name, 2, 2, rgba);
}

Shader* EffectTestBench::addShader(const std::string& name, const std::string& fragmentSource,
                                   const std::string& vertexSource) {
  auto* shader = new Shader();
  EXPECT_TRUE(shader->setVertexSource(vertexSource)) << name << ": " << shader->getErrorMessage();
  EXPECT_TRUE(shader->setFragmentSource(fragmentSource)) << name << ": " << shader->getErrorMessage();
  EXPECT_TRUE(shader->link()) << name << ": " << shader->getErrorMessage();
  shaders->addShader(name, shader);
  return shader;
}

Effect& EffectTestBench::create(Effect& prototype, const std::string& className,
                                const std::map<std::string, std::string>& parameters) {
  auto group = std::make_unique<ParameterGroup>(className + "_instance");
  group->addParameter("class", className);
  for (const auto& entry : parameters) group->addParameter(entry.first, entry.second);
  std::unique_ptr<Effect> effect(prototype.getInstance());
  effect->setParameters(group.get());
  effect->registerTracks();
  auto tracks = std::make_unique<TrackGroup>(group->getGroupName());
  for (int i = 0; i < effect->getTrackCount(); ++i) {
    tracks->addInterpolateTrack(new TrackInterpolate(effect->getTrackName(i)));
  }
  tracks->setEffect(effect.get());
  effect->setTrackGroup(tracks.get());
  effect->init();
  groups.push_back(std::move(group));
  trackGroups.push_back(std::move(tracks));
  effects.push_back(std::move(effect));
  return *effects.back();
}

TrackInterpolate* EffectTestBench::track(Effect& effect, const std::string& name) {
  TrackInterpolate* found = effect.getTrackGroup()->getInterpolateTrackByName(name);
  EXPECT_NE(found, nullptr) << "no track " << name;
  return found;
}

// One keyframe at row 0 in place of whatever the track held.
void EffectTestBench::setTrack(Effect& effect, const std::string& name, float value) {
  TrackInterpolate* target = track(effect, name);
  if (target == nullptr) return;
  while (target->getKeyframeCount() > 0) {
    std::vector<TrackKeyFrame*> all;
    target->fetchKeyFrameVector(all);
    target->deleteKeyframe(all.front()->row);
  }
  target->addKeyframe(new TrackKeyFrameInterpolate(0, TrackKeyFrameInterpolate::LINEAR, value));
}

void EffectTestBench::setTimer(std::unique_ptr<Timer> newTimer) {
  timer = std::move(newTimer);
  QNVDemosys::timer = timer.get();
}

void EffectTestBench::drawFrame(Effect& effect, unsigned time, unsigned frameDelta,
                                FrameBufferObject* target) {
  effect.predraw(time);
  if (target != nullptr) target->bind();
  effect.draw(time, frameDelta);
  if (target != nullptr) target->release();
  effect.postdraw(time);
}

void EffectTest::TearDown() {
  EXPECT_TRUE(FrameBufferObject::fboStack.empty()) << "a render target is still bound";
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  GLTestFixture::TearDown();
}
