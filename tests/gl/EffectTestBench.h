// A stage for effects on the GL test window: private pools and a timer installed as the process-wide
// ones, effect instances built the way the loader builds them, tracks set to constants, and frames
// drawn into a target or the window; what it installed is taken out again when it is destroyed.
// Depends on: QNVDemosys, the data pools, Shader, FrameBufferObject, Texture, Effect, tracks, Timer.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/gl/GLTestFixture.h"

class Data;
class DataFBOPool;
class DataShaderPool;
class DataTexturePool;
class Effect;
class FrameBufferObject;
class ParameterGroup;
class Shader;
class Texture;
class Timer;
class TrackGroup;
class TrackInterpolate;

class EffectTestBench {
 public:
  // Vertex stage for test shaders: the fixed-function transform and unit 0's texture coordinates.
  static const char* const passThroughVertex;

  EffectTestBench();
  ~EffectTestBench();
  EffectTestBench(const EffectTestBench&) = delete;
  EffectTestBench& operator=(const EffectTestBench&) = delete;

  // A render target in the framebuffer pool, cleared to transparent black.
  FrameBufferObject* addFBO(const std::string& name, int width, int height, bool depth = false);
  FrameBufferObject* fbo(const std::string& name) const;
  // Clears a pool framebuffer to one colour (components 0 to 1); the clear colour is restored.
  void fill(const std::string& name, float r, float g, float b, float a = 1.0f);

  // An RGBA texture in the texture pool; rows bottom-up (t = 0 first), nearest-texel sampling so
  // tests can tell texels apart.
  Texture* addTexture(const std::string& name, int width, int height, const std::vector<uint8_t>& rgba);
  Texture* addSolidTexture(const std::string& name, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);

  // A linked program in the shader pool; a compile or link failure fails the test.
  Shader* addShader(const std::string& name, const std::string& fragmentSource,
                    const std::string& vertexSource = passThroughVertex);

  // An instance of the class as the loader makes it: getInstance() of a template, the parameters
  // (plus "class"), registerTracks(), a group with one empty track per declared name, then init().
  // Tracks not set afterwards read 0.
  template <class T>
  T& create(const std::string& className, const std::map<std::string, std::string>& parameters) {
    T prototype;
    return static_cast<T&>(create(prototype, className, parameters));
  }
  Effect& create(Effect& prototype, const std::string& className,
                 const std::map<std::string, std::string>& parameters);

  // Replaces a declared track's keyframes with one constant value. A name the effect did not
  // declare fails the test.
  void setTrack(Effect& effect, const std::string& name, float value);

  // The timer effects read the music through (QNVDemosys::timer); the bench owns it.
  void setTimer(std::unique_ptr<Timer> timer);

  // One frame of the effect as the track system runs it: predraw, draw with the target bound (the
  // window when null), postdraw.
  void drawFrame(Effect& effect, unsigned time, unsigned frameDelta, FrameBufferObject* target = nullptr);

 private:
  struct Saved;
  TrackInterpolate* track(Effect& effect, const std::string& name);

  std::unique_ptr<Saved> saved;
  std::unique_ptr<Data> data;
  DataShaderPool* shaders;
  DataFBOPool* fbos;
  DataTexturePool* textures;
  std::unique_ptr<Timer> timer;
  std::vector<std::unique_ptr<ParameterGroup>> groups;
  std::vector<std::unique_ptr<TrackGroup>> trackGroups;
  std::vector<std::unique_ptr<Effect>> effects;
};

// An effect test on the GL window: a bench and a render target "target" in its pool (32 x 32
// unless SetUp is given another size). Effects must leave no render target bound; the cull and
// depth tests some leave on are switched off after each test.
class EffectTest : public GLTestFixture {
 protected:
  void SetUp() override { SetUp(32); }
  void SetUp(int targetSize) {
    GLTestFixture::SetUp();
    target = bench.addFBO("target", targetSize, targetSize);
  }
  void TearDown() override;
  Rgba at(int x, int y) const { return readFBO(*target, x, y); }

  EffectTestBench bench;
  FrameBufferObject* target = nullptr;
};
