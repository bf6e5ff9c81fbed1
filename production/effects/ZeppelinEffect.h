// The zeppelin close up: the night sky (the script's "skybox" effect) turned by "skyrot" about
// the vertical, and the arena's balloon with its fins, gondola and LED display posed by the
// tracks "pos_*" (in the current view's axes) and "rot_*" (degrees, in the convention of the scene's keyframes) under
// the arena's lights; "ledscroll" moves the display's text along its panels.
// Depends on: Effect, EffectResources, QNVScene, QNVObject, RobotTransShader, TrackInterpolate,
// OpenGL.
#pragma once

#include "demosys/effect/Effect.h"

class QNVObject;
class QNVScene;
class RobotTransShader;

class ZeppelinEffect : public Effect {
 public:
  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

 private:
  void drawSky(unsigned time);
  void drawBalloon(unsigned time);

  QNVScene* scene = nullptr;
  QNVObject* balloon = nullptr;
  Effect* skybox = nullptr;
  RobotTransShader* led = nullptr;
  TrackInterpolate* position[3] = {};
  TrackInterpolate* rotation[3] = {};
  TrackInterpolate* skyrot = nullptr;
  TrackInterpolate* ledscroll = nullptr;
  bool ready = false;
};
