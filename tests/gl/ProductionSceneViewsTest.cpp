// Every camera of the production's scenes, the previews' included, keeps some of its subject in
// view at each of its keys; what the cameras the demo cuts to show, the golden frames check.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "demosys/render/VBO.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "qnvutils/File.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"

namespace {

std::string builtScene(const std::string& file) { return buildTreePath("tarnveld/resources/objects/" + file); }

std::unique_ptr<QNVScene> load(const std::string& file) {
  File scene(builtScene(file), File::MODE_READ);
  File keyframes(builtScene(file) + ".kf", File::MODE_READ);
  QNVSceneLoader loader(file);
  std::unique_ptr<QNVScene> loaded(loader.loadScene(scene, &keyframes));
  EXPECT_TRUE(loader.isValid()) << loader.getErrorMessage();
  return loaded;
}

// Degrees between the view's axis and the nearest of a grid of points through the object's mesh
// box as posed at that time (a long tribune need not have its middle in view); -1 when the whole
// box is behind the camera.
float offAxis(QNVScene& scene, QNVCamera& camera, const QNVObject& subject, float seconds) {
  scene.calcGlobalData(seconds);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  camera.use(seconds);
  Matrix view;
  glGetFloatv(GL_MODELVIEW_MATRIX, &view[0]);
  const Vector3f lo = subject.getVBO()->getBBoxMin(), hi = subject.getVBO()->getBBoxMax();
  const int steps = 8;
  float best = -1.0f;
  for (int i = 0; i <= steps * steps * steps + steps * steps + steps; ++i) {
    const Vector3f f(i % (steps + 1), i / (steps + 1) % (steps + 1), i / ((steps + 1) * (steps + 1)));
    Vector3f local;
    for (int k = 0; k < 3; ++k) local[k] = lo[k] + (hi[k] - lo[k]) * f[k] / steps;
    const Vector3f p = view.transformPoint(subject.getGlobalMatrix().transformPoint(local));
    if (p[2] >= 0.0f) continue;
    const float angle = std::acos(-p[2] / p.length()) * 57.29578f;
    best = best < 0.0f ? angle : std::min(best, angle);
  }
  return best;
}

class ProductionSceneViews : public GLTestFixture {};

TEST_F(ProductionSceneViews, EveryCameraKeepsItsSubjectInView) {
  const struct {
    const char* file;
    const char* camera;
    const char* subject;
  } shots[] = {
      {"arena.scn", "Camera", "Floor"},           {"arena.scn", "FillerCam01", "TribuneMiddleLeft"},
      {"arena.scn", "FillerCam02", "TribuneBottomRight"}, {"arena.scn", "CamCrowd", "TribuneMiddleLeft"},
      {"arena.scn", "CamCrowd2", "TribuneBottomRight"},   {"arena.scn", "CamAbove", "Floor"},
      {"arena.scn", "CamTopToDroids", "Floor"},   {"arena.scn", "CamFollowPlanes", "Jet1"},
      {"arena.scn", "CamFlag", "FlagPole1"},      {"arena.scn", "CamRLogo", "ShieldDecal"},
      {"arena.scn", "CamDroid1", "Floor"},        {"arena.scn", "CamDroid2", "Floor"},
      {"arena.scn", "CamDroid3", "Floor"},        {"arena.scn", "GroundToSkyCam", "Hoverscreen"},
      {"zeppelin.scn", "PreviewFront", "Ballong"}, {"zeppelin.scn", "PreviewSide", "Ballong"},
      {"zeppelin.scn", "PreviewAbove", "Ballong"}, {"droid.scn", "PreviewFront", "Droid"},
      {"droid.scn", "PreviewSide", "Droid"},       {"droid.scn", "PreviewAbove", "Droid"},
      {"master_droid.scn", "PreviewFront", "MasterDroid"}, {"master_droid.scn", "PreviewSide", "MasterDroid"},
      {"master_droid.scn", "PreviewAbove", "MasterDroid"},
  };
  for (const auto& shot : shots) {
    std::unique_ptr<QNVScene> scene = load(shot.file);
    ASSERT_NE(scene, nullptr) << shot.file;
    QNVCamera* camera = scene->GetCamera(shot.camera);
    const QNVObject* subject = scene->getObjectByName(shot.subject);
    ASSERT_TRUE(camera != nullptr && camera->getAnimation() != nullptr && subject != nullptr) << shot.camera;
    for (const auto& key : camera->getAnimation()->getTranslationKeys()) {
      const float angle = offAxis(*scene, *camera, *subject, key.first / 1000.0f);
      EXPECT_GE(angle, 0.0f) << shot.camera << " at " << key.first << " ms: " << shot.subject << " is behind";
      EXPECT_LT(angle, 25.0f) << shot.camera << " at " << key.first << " ms";
    }
  }
}

}  // namespace
