// The master droid alone in the dark, turning slowly, its red parts glowing: the droid is drawn
// lit into the render target "masterdroid"; its glowing parts alone go into "masterdroid_glow",
// are smeared outwards by "num_passes" radial zoom passes of "zoom_factor" each into
// "masterdroid_blur" and softened by the two blur passes; on screen the glow is added over the
// droid, whose empty background lets the picture beneath show. "zpos" moves the droid towards
// (positive) or away from the viewer. The targets are flagged for clearing after each frame.
// Depends on: Effect, EffectResources, QNVScene, QNVObject, VBO, ShaderInstance, Shader,
// FrameBufferObject, Texture, FullScreenQuad, QNVUtils, OpenGL.
#pragma once

#include "demosys/effect/Effect.h"
#include "demosys/math/Vector.h"

class FrameBufferObject;
class QNVObject;
class QNVScene;
class Shader;
class ShaderInstance;
class Texture;

class MasterDroidEffect : public Effect {
 public:
  static constexpr int mostPasses = 16;

  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

 private:
  void drawDroid(float seconds, float z);
  void drawGlowingParts();
  void spreadGlow(int passes);
  void blur(Shader* shader, FrameBufferObject* from, FrameBufferObject* to, float size);

  QNVScene* scene = nullptr;
  QNVObject* glowing = nullptr;
  ShaderInstance* redGlow = nullptr;
  Shader* zoomBlend = nullptr;
  Shader* blurX = nullptr;
  Shader* blurY = nullptr;
  Texture* kernel = nullptr;
  FrameBufferObject* droidTarget = nullptr;
  FrameBufferObject* glowTarget = nullptr;
  FrameBufferObject* blurTarget = nullptr;
  TrackInterpolate* zpos = nullptr;
  TrackInterpolate* numPasses = nullptr;
  float zoomFactor = 1.0f;
  Vector3f centre;
  float distance = 10.0f;
  bool ready = false;
};
