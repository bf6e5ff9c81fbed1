// The arena: the hub of the 3D section. It poses the arena scene (the balloon, the jets and the
// hovering screen on clocks the tracks "zepp.anim", "jet.anim" and "hover.anim" set), chooses
// the view by "cam.index" (one of the scene's keyed cameras at time "cam.anim", or a camera
// riding on a tank, a jet, a droid of the formation or the balloon, offset by "cam_p_*" and
// turned by "cam_r_*"; 0 and values above 18 leave the view as it is), and under that view draws
// the sky, the lit arena, both flags at their poles waving by "flags.wave", the zeppelin on its
// path, the jets' exhaust streams ("jet.psize", "jet.alpha") and the script's "formations" and
// "robotbomber" effects. The glowing parts and side meters pulse with the music's low band,
// tracks and screens scroll with time. Every GL state it changes is restored.
// Depends on: Effect, EffectResources, QNVScene, QNVObject, QNVCamera, QNVAnimTimer,
// FlagPrecalced, ParticleSystem, FormationEffect, ShaderColor, RobotTransShader, Shader,
// Texture, Timer, QNVDemosys (screen metrics), OpenGL.
#pragma once

#include <array>
#include <memory>

#include "demosys/effect/Effect.h"
#include "demosys/math/Vector.h"
#include "demosys/scene/QNVAnimTimer.h"

class FlagPrecalced;
class QNVCamera;
class ParticleSystem;
class QNVObject;
class QNVScene;
class RobotTransShader;
class Shader;
class ShaderColor;
class Texture;

class ArenaEffect : public Effect {
 public:
  static constexpr int viewCount = 18;
  static constexpr int jetCount = 5;
  static constexpr int spectrumLength = 64;

  ArenaEffect();
  ~ArenaEffect() override;

  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

  // Point sizes drawn for a screen 1680 pixels wide, at the width the screen has: n x width /
  // 1680, truncated.
  static int sps(float n, int screenWidth);
  // The view a "cam.index" value selects: its integer part, 0 (no view) outside 1 to 18.
  static int viewOf(float index);

 private:
  struct Pole {
    QNVObject* pole = nullptr;
    std::unique_ptr<FlagPrecalced> cloth;
  };

  void fetchSceneObjects();
  void fetchShaderInstances();
  void initFlag();
  void createStreamParticleSystem();
  void createStreamParticleSystem2();
  void fillStream(ParticleSystem& stream);
  void updateTimers(unsigned time);
  void animateInstances(unsigned time);
  // Sets up the chosen view on the model-view matrix; false when the view is left alone.
  bool useView(int view, unsigned time);
  QNVObject* riddenObject(int view) const;
  void drawSky(unsigned time, unsigned frameDelta);
  void drawFlag(unsigned time);
  void drawJets(unsigned time);
  float musicLevel();

  QNVScene* arena = nullptr;
  QNVScene* zeppelin = nullptr;
  std::array<QNVCamera*, viewCount + 1> cameras{};
  QNVObject* balloon = nullptr;
  QNVObject* tank = nullptr;
  std::array<QNVObject*, jetCount> jets{};
  QNVAnimTimer zeppelinClock;
  QNVAnimTimer jetClock;
  QNVAnimTimer hoverClock;
  Texture* particle = nullptr;
  Texture* flagTexture = nullptr;
  Shader* streamShader = nullptr;
  Shader* flagShader = nullptr;
  ShaderColor* redGlow = nullptr;
  ShaderColor* meterLeft = nullptr;
  ShaderColor* meterRight = nullptr;
  RobotTransShader* wheels = nullptr;
  RobotTransShader* hoverScreen = nullptr;
  Effect* skybox = nullptr;
  Effect* formations = nullptr;
  Effect* robotbomber = nullptr;
  std::array<Pole, 2> flags;
  Vector3f decal;
  std::unique_ptr<ParticleSystem> stream;
  std::unique_ptr<ParticleSystem> stream2;
  std::array<float, spectrumLength> spectrum{};
  float loudest = 0.00001f;
  TrackInterpolate* camAnim = nullptr;
  TrackInterpolate* zeppAnim = nullptr;
  TrackInterpolate* camIndex = nullptr;
  TrackInterpolate* flagsWave = nullptr;
  TrackInterpolate* hoverAnim = nullptr;
  TrackInterpolate* jetAnim = nullptr;
  TrackInterpolate* jetSize = nullptr;
  TrackInterpolate* jetAlpha = nullptr;
  std::array<TrackInterpolate*, 3> camOffset{};
  std::array<TrackInterpolate*, 3> camAngles{};
  bool ready = false;
};
