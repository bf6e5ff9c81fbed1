// The flight past the two flags: the camera follows the camera path "flaganim" (Catmull-Rom),
// the night sky (the script's "skybox" effect) turns and rises behind, and two cloth flags on
// poles wave by CPU noise under the flag shader with the logo texture.
// Depends on: Effect, EffectResources, Flag, AnimationCameraController, QNVMaterial, Shader,
// Texture, TrackInterpolate, OpenGL.
#pragma once

#include <memory>

#include "demosys/camera/AnimationCameraController.h"
#include "demosys/effect/Effect.h"
#include "demosys/scene/QNVMaterial.h"
#include "production/effects/Flag.h"

class Shader;
class Texture;

class FlagEffect : public Effect {
 public:
  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  void musicEvent() override {}
  Effect* getInstance() override;

  Flag* getFlag(int index) const { return index == 0 ? first.get() : second.get(); }

 private:
  void drawSky(unsigned time);
  void drawFlags(unsigned time);

  Effect* skybox = nullptr;
  Texture* logo = nullptr;
  Shader* shader = nullptr;
  std::unique_ptr<Flag> first;
  std::unique_ptr<Flag> second;
  QNVMaterial material;
  AnimationCameraController camera;
  TrackInterpolate* cameraTrack = nullptr;
  TrackInterpolate* waveTrack = nullptr;
  TrackInterpolate* skyRotation = nullptr;
  TrackInterpolate* skyHeight = nullptr;
  bool ready = false;
};
