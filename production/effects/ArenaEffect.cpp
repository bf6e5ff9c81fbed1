#include "production/effects/ArenaEffect.h"

#include <GL/glew.h>

#include <algorithm>
#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/ParticleSystem.h"
#include "demosys/render/ShaderColor.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FlagPrecalced.h"
#include "production/effects/FormationEffect.h"
#include "production/effects/RobotTransShader.h"

namespace {

// What each "cam.index" value shows: a keyed scene camera, or the object the camera rides on.
enum Ride { NONE, TANK, JET, DROID, BALLOON };

struct View {
  const char* camera;
  Ride rides;
};

const View views[ArenaEffect::viewCount + 1] = {
    {nullptr, NONE},         {"Camera", NONE},    {"FillerCam01", NONE}, {"FillerCam02", NONE},
    {"CamCrowd", NONE},      {"CamCrowd2", NONE}, {"CamAbove", NONE},    {"CamTopToDroids", NONE},
    {"CamFollowPlanes", NONE}, {"CamFlag", NONE}, {"CamRLogo", NONE},    {nullptr, TANK},
    {nullptr, JET},          {nullptr, DROID},    {"CamDroid1", NONE},   {"CamDroid2", NONE},
    {"CamDroid3", NONE},     {nullptr, BALLOON},  {"GroundToSkyCam", NONE}};

// The droid of the formation view 13 rides on: the first of the front row.
constexpr int riddenDroid = 0;
constexpr int screenDesignWidth = 1680;

}  // namespace

ArenaEffect::ArenaEffect() = default;
ArenaEffect::~ArenaEffect() = default;

Effect* ArenaEffect::getInstance() { return new ArenaEffect(); }

int ArenaEffect::sps(float n, int screenWidth) {
  const double size = static_cast<double>(n) * screenWidth / screenDesignWidth;
  return size > -1e9 && size < 1e9 ? static_cast<int>(size) : 0;
}

int ArenaEffect::viewOf(float index) {
  return index >= 1.0f && index < static_cast<float>(viewCount + 1) ? static_cast<int>(index) : 0;
}

void ArenaEffect::registerTracks() {
  for (const char* name : {"cam.anim", "zepp.anim", "cam.index", "flags.wave", "hover.anim", "jet.anim", "jet.psize",
                           "jet.alpha", "cam_p_x", "cam_p_y", "cam_p_z", "cam_r_x", "cam_r_y", "cam_r_z"}) {
    addTrackName(name);
  }
}

void ArenaEffect::init() {
  EffectResources look(*this);
  arena = look.scene("arena_scene");
  zeppelin = look.scene("zeppelin_scene");
  particle = look.texture("Particle.png");
  flagTexture = look.texture("flag");
  streamShader = look.shader("particlesprite_stream");
  flagShader = look.shader("flag");
  redGlow = dynamic_cast<ShaderColor*>(look.shaderInstance("red_glow_instance"));
  meterLeft = dynamic_cast<ShaderColor*>(look.shaderInstance("volumenter_instance_left"));
  meterRight = dynamic_cast<ShaderColor*>(look.shaderInstance("volumenter_instance_right"));
  wheels = dynamic_cast<RobotTransShader*>(look.shaderInstance("wheel_rotate_shader_instance"));
  hoverScreen = dynamic_cast<RobotTransShader*>(look.shaderInstance("hover_screen_anim"));
  skybox = look.optionalEffect("skybox");
  formations = look.optionalEffect("formations");
  robotbomber = look.optionalEffect("robotbomber");
  camAnim = look.track("cam.anim");
  zeppAnim = look.track("zepp.anim");
  camIndex = look.track("cam.index");
  flagsWave = look.track("flags.wave");
  hoverAnim = look.track("hover.anim");
  jetAnim = look.track("jet.anim");
  jetSize = look.track("jet.psize");
  jetAlpha = look.track("jet.alpha");
  const char* axes[3] = {"x", "y", "z"};
  for (int axis = 0; axis < 3; ++axis) {
    camOffset[axis] = look.track(std::string("cam_p_") + axes[axis]);
    camAngles[axis] = look.track(std::string("cam_r_") + axes[axis]);
  }
  ready = look.complete() && redGlow != nullptr && meterLeft != nullptr && meterRight != nullptr && wheels != nullptr &&
          hoverScreen != nullptr;
  if (!ready) return;
  fetchSceneObjects();
  initFlag();
  createStreamParticleSystem();
  createStreamParticleSystem2();
}

// Missing names are reported once here; their views and parts are then left out.
void ArenaEffect::fetchSceneObjects() {
  for (int view = 1; view <= viewCount; ++view) {
    if (views[view].camera == nullptr) continue;
    cameras[view] = arena->GetCamera(views[view].camera);
    if (cameras[view] == nullptr) std::cout << "ArenaEffect: no camera \"" << views[view].camera << "\"" << std::endl;
  }
  auto object = [this](const std::string& name) {
    QNVObject* found = arena->getObjectByName(name);
    if (found == nullptr) std::cout << "ArenaEffect: no object \"" << name << "\"" << std::endl;
    return found;
  };
  balloon = object("Ballong");
  tank = object("TankBody");
  for (int j = 0; j < jetCount; ++j) jets[j] = object("Jet" + std::to_string(j + 1));
  // The five jets fly in one formation, so all of them keep to the jets' clock.
  arena->ApplyTimer("Ballong", &zeppelinClock);
  arena->ApplyTimer("Hoverscreen", &hoverClock);
  for (int j = 0; j < jetCount; ++j) arena->ApplyTimer("Jet" + std::to_string(j + 1), &jetClock);
}

void ArenaEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT |
               GL_POINT_BIT | GL_POLYGON_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  // The bomber's clocks pose the tanks, so they are set before the scene is posed.
  if (robotbomber != nullptr) robotbomber->predraw(time);
  updateTimers(time);
  arena->calcGlobalData(0.0f);
  animateInstances(time);
  useView(viewOf(camIndex->getValue(time)), time);
  drawSky(time, frameDelta);
  arena->enableLights();
  arena->drawInstanced();
  drawFlag(time);
  zeppelin->draw(zeppAnim->getValue(time), true, false);
  arena->disableLights();
  drawJets(time);
  if (formations != nullptr) formations->draw(time, frameDelta);
  if (robotbomber != nullptr) robotbomber->draw(time, frameDelta);
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

// The sky first: it is drawn without depth, behind everything else, about the eye (the view's
// turn without its move), so no camera ever reaches its faces.
void ArenaEffect::drawSky(unsigned time, unsigned frameDelta) {
  if (skybox == nullptr) return;
  GLfloat view[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, view);
  view[12] = view[13] = view[14] = 0.0f;
  glPushMatrix();
  glLoadMatrixf(view);
  skybox->draw(time, frameDelta);
  glPopMatrix();
}

void ArenaEffect::updateTimers(unsigned time) {
  zeppelinClock.updateTime(zeppAnim->getValue(time));
  hoverClock.updateTime(hoverAnim->getValue(time));
  jetClock.updateTime(jetAnim->getValue(time));
}

// Tracks turn and screens scroll with time; the red glow and the side meters brighten with the
// low band, measured against the loudest the song has been lately.
void ArenaEffect::animateInstances(unsigned time) {
  const float seconds = time * 0.001f;
  wheels->setTranslate(seconds * 0.6f, 0.0f);
  hoverScreen->setTranslate(seconds * 0.05f, 0.0f);
  const float level = musicLevel();
  const float glow = 0.55f + 0.45f * level;
  redGlow->setColor(glow, 0.12f * glow, 0.06f * glow, 1.0f);
  const float meter = 0.5f + 0.5f * level;
  meterLeft->setColor(meter, 0.45f * meter, 0.1f * meter, 1.0f);
  meterRight->setColor(0.15f * meter, 0.6f * meter, meter, 1.0f);
}

float ArenaEffect::musicLevel() {
  if (QNVDemosys::timer == nullptr) return 0.0f;
  QNVDemosys::timer->GetDirectSoundData(Timer::LEFT, spectrumLength, spectrum.data());
  float low = 0.0f;
  for (int band = 0; band < 8; ++band) low += spectrum[band];
  loudest = std::max(loudest * 0.999f, low);
  return std::clamp(low / loudest, 0.0f, 1.0f);
}

bool ArenaEffect::useView(int view, unsigned time) {
  if (view == 0) return false;
  if (cameras[view] != nullptr) {
    glLoadIdentity();
    cameras[view]->use(camAnim->getValue(time));
    return true;
  }
  QNVObject* object = riddenObject(view);
  if (object == nullptr) return false;
  const Vector3f offset(camOffset[0]->getValue(time), camOffset[1]->getValue(time), camOffset[2]->getValue(time));
  const Vector3f angles(camAngles[0]->getValue(time), camAngles[1]->getValue(time), camAngles[2]->getValue(time));
  glLoadIdentity();
  QNVCamera::use(*object, offset, angles);
  return true;
}

QNVObject* ArenaEffect::riddenObject(int view) const {
  switch (views[view].rides) {
    case TANK:
      return tank;
    case JET:
      return jets[0];
    case BALLOON:
      return balloon;
    case DROID: {
      auto* formation = dynamic_cast<FormationEffect*>(formations);
      return formation != nullptr && formation->getCloneCount() > riddenDroid ? formation->getClone(riddenDroid) : nullptr;
    }
    default:
      return nullptr;
  }
}
