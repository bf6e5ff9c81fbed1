// Scene drawing cost under the GL driver at 1280 x 720: the production's arena through each of its
// fourteen cameras (at the middle of each move) on the instanced path with its lights, alone and
// with the 224 droid clones of the ring formation in front of it, as the arena effect draws them.
// Reads the scenes the build generated (build tree "tarnveld/resources/objects"); needs the
// benchmarks' window (BenchWindow).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchWindow.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "qnvutils/File.h"

namespace {

const std::string objects = std::string(TARNVELD_TREE) + "/resources/objects/";

struct Stage {
  std::string error;
  std::unique_ptr<QNVScene> arena, droids;
  std::vector<QNVObject*> clones;
};

QNVScene* load(const std::string& name, std::string& error) {
  File scene(objects + name, File::MODE_READ);
  File keyframes(objects + name + ".kf", File::MODE_READ);
  QNVSceneLoader loader(name);
  QNVScene* loaded = loader.loadScene(scene, &keyframes);
  if (loaded == nullptr) error = loader.getErrorMessage();
  return loaded;
}

// The formation's four rings of 68, 60, 52 and 44 droids.
void poseRings(const std::vector<QNVObject*>& clones) {
  int w = 28, h = 8, index = 0;
  float radius = 42.0f, step = 360.0f / 68.0f;
  double angle = 0.0;
  while (index < static_cast<int>(clones.size())) {
    const int count = 2 * (w - 2) + 2 * h;
    for (int j = 0; j < count && index < static_cast<int>(clones.size()); ++j, ++index) {
      const double a = angle * 3.14159265358979 / 180.0;
      clones[index]->setGlobalRotation(Vector3f(0, 360.0f - j * step + 180.0f, 0), true);
      clones[index]->setGlobalTranslation(Vector3f(radius * std::sin(a), 3.5f, radius * std::cos(a)), true);
      angle += step;
    }
    w -= 2, h -= 2, radius -= 3.25f;
    step = 360.0f / (2 * (w - 2) + 2 * h);
  }
}

Stage& stage() {
  static Stage s;
  static bool loaded = false;
  if (loaded) return s;
  loaded = true;
  s.error = BenchWindow::get().error;
  if (!s.error.empty()) return s;
  s.arena.reset(load("arena.scn", s.error));
  s.droids.reset(load("droid.scn", s.error));
  if (!s.error.empty()) return s;
  QNVObject* droid = s.droids->getObjectByName("Droid");
  for (int i = 0; i < 224; ++i) s.clones.push_back(s.droids->cloneObjectsRecursive(droid, "clonedroid" + std::to_string(i), nullptr));
  droid->setVisible(false, true);
  s.droids->calcSceneBBox();
  s.droids->buildSmartDrawList();
  return s;
}

void drawView(Stage& s, QNVCamera& camera, float seconds, bool withDroids) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  camera.use(seconds);
  s.arena->calcGlobalData(seconds);
  s.arena->enableLights();
  s.arena->drawInstanced();
  if (withDroids) {
    s.droids->calcGlobalData(0.0f);
    poseRings(s.clones);
    s.droids->drawInstanced();
  }
  s.arena->disableLights();
  BenchWindow::present();
}

void BM_ArenaView(benchmark::State& state) {
  Stage& s = stage();
  if (!s.error.empty()) {
    state.SkipWithError(s.error.c_str());
    return;
  }
  auto camera = std::next(s.arena->getCameras().begin(), state.range(0));
  const auto& keys = camera->second->getAnimation()->getTranslationKeys();
  const float middle = std::next(keys.begin(), keys.size() / 2)->first / 1000.0f;
  BenchWindow::get().metrics.setView();
  for (auto _ : state) drawView(s, *camera->second, middle, state.range(1) != 0);
  state.SetLabel(camera->first + (state.range(1) != 0 ? " with droids" : ""));
}
BENCHMARK(BM_ArenaView)->ArgsProduct({benchmark::CreateDenseRange(0, 13, 1), {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
