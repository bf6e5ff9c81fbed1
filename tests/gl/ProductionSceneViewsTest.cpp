// The production's scenes seen through their own cameras, as the engine loads and poses them:
// every camera keeps some of its subject ahead and near the middle of its view at each of its keys, and
// every camera's preview (`demosys scene render`) shows the scene rather than the background.
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
#include "qnvutils/Image.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/support/BuildTree.h"
#include "tests/support/ToolRun.h"

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
      {"zeppelin.scn", "PreviewSide", "Ballong"}, {"droid.scn", "PreviewFront", "Droid"},
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

// The preview's clear colour is (0.1, 0.1, 0.12): darker than any lit surface of ours.
TEST_F(ProductionSceneViews, EveryCameraPreviewShowsTheScene) {
  TempDir dir;
  for (const char* file : {"arena.scn", "zeppelin.scn", "droid.scn", "master_droid.scn"}) {
    std::unique_ptr<QNVScene> scene = load(file);
    ASSERT_NE(scene, nullptr) << file;
    ASSERT_GE(scene->getCameras().size(), 3u) << file;
    for (const auto& camera : scene->getCameras()) {
      const std::string png = dir.file(camera.first + ".png");
      const ToolRun run = ToolRun::of("scene render " + builtScene(file) + " --camera " + camera.first +
                                      " --at 0 --size 160x90 --instanced --out " + png);
      ASSERT_EQ(run.status, 0) << run.out;
      Image image(png);
      ASSERT_NE(image.getData(), nullptr) << png;
      int shown = 0;
      const int pixels = image.getWidth() * image.getHeight();
      for (int i = 0; i < pixels; ++i) {
        const unsigned char* p = image.getData() + i * image.getPixelSize();
        if (std::abs(p[0] - 26) + std::abs(p[1] - 26) + std::abs(p[2] - 31) > 12) ++shown;
      }
      EXPECT_GT(shown, pixels / 20) << file << " " << camera.first << ": " << shown << " of " << pixels;
    }
  }
}

}  // namespace
