#include "production/effects/ZeppelinEffect.h"

#include <GL/glew.h>

#include <iostream>

#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "production/effects/RobotTransShader.h"

Effect* ZeppelinEffect::getInstance() { return new ZeppelinEffect(); }

void ZeppelinEffect::registerTracks() {
  for (const char* name : {"pos_x", "pos_y", "pos_z", "rot_x", "rot_y", "rot_z", "skyrot", "ledscroll"}) {
    addTrackName(name);
  }
}

void ZeppelinEffect::init() {
  EffectResources look(*this);
  scene = look.scene("arena");
  skybox = look.optionalEffect("skybox");
  led = dynamic_cast<RobotTransShader*>(look.shaderInstance("hover_screen_anim"));
  const char* axes[3] = {"x", "y", "z"};
  for (int axis = 0; axis < 3; ++axis) {
    position[axis] = look.track(std::string("pos_") + axes[axis]);
    rotation[axis] = look.track(std::string("rot_") + axes[axis]);
  }
  skyrot = look.track("skyrot");
  ledscroll = look.track("ledscroll");
  ready = look.complete() && led != nullptr;
  if (!ready) return;
  balloon = scene->getObjectByName("Ballong");
  if (balloon == nullptr) std::cout << "ZeppelinEffect: no object \"Ballong\"" << std::endl;
  ready = balloon != nullptr;
}

void ZeppelinEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
  glMatrixMode(GL_MODELVIEW);
  if (skybox != nullptr) {
    glPushMatrix();
    glRotatef(skyrot->getValue(time), 0.0f, 1.0f, 0.0f);
    skybox->draw(time, frameDelta);
    glPopMatrix();
  }
  drawBalloon(time);
  glPopAttrib();
}

// The balloon is hidden in the arena, so its subtree is drawn whatever its visibility; its own
// keyframed pose is replaced by the tracks' pose (angles as its keyframes hold them: z turns it
// about the vertical), its parts keep theirs relative to it.
void ZeppelinEffect::drawBalloon(unsigned time) {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  scene->enableLights();
  led->setTranslate(ledscroll->getValue(time), 0.0f);
  glPushMatrix();
  Matrix pose = QNVObject::poseRotation(
      Vector3f(rotation[0]->getValue(time), rotation[1]->getValue(time), rotation[2]->getValue(time)));
  pose.setTranslation(Vector3f(position[0]->getValue(time), position[1]->getValue(time), position[2]->getValue(time)));
  glMultMatrixf(pose.data());
  balloon->draw(0, false);
  for (int i = 0; i < balloon->countChildren(); ++i) balloon->getChild(i)->drawRecursive(0.0f, true, 0, false);
  glPopMatrix();
  scene->disableLights();
}
