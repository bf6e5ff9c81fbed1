// Scene graph costs on synthetic scenes. calcGlobalData over a tree of 2,000 objects, half of them animated (target:
// under 100 microseconds); the instanced path drawing 224 objects that share one 5,000-triangle
// mesh at 1280 x 720, as the call's own CPU time and as the whole frame (driver finished); both
// report their heap allocations per frame (target: none). Loading a 50 MB scene file, as one mesh
// and as twelve: the time, and the most heap memory the load held beside the file's own bytes,
// set against the vertex data's size (the GL buffers are the driver's and not counted). The GL
// benchmarks need the benchmarks' window (BenchWindow).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "bench/BenchWindow.h"
#include "demosys/render/VBO.h"
#include "demosys/scene/QNVAnimation.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "demosys/scene/SceneWriter.h"
#include "qnvutils/File.h"

namespace {

void reportAllocations(benchmark::State& state, std::size_t before) {
  state.counters["allocs/frame"] = benchmark::Counter(static_cast<double>(AllocationCounter::allocations() - before),
                                                      benchmark::Counter::kAvgIterations);
}

// Object i hangs under object (i - 1) / 4; every other object moves through three keys.
std::unique_ptr<QNVScene> objectTree(int count) {
  auto scene = std::make_unique<QNVScene>();
  std::vector<QNVObject*> objects;
  for (int i = 0; i < count; ++i) {
    auto* object = new QNVObject();
    object->setName("object" + std::to_string(i));
    object->setLocalTranslation(Vector3f(1.0f, 0.5f, 0.0f));
    if (i > 0) {
      object->setParent(objects[static_cast<std::size_t>((i - 1) / 4)]);
      object->getParent()->addChild(object);
    }
    if (i % 2 == 1) {
      auto* animation = new QNVAnimation();
      for (unsigned key = 0; key < 3; ++key) {
        animation->addTranslation(key * 1000, Vector3f(static_cast<float>(key), 1.0f, 0.0f));
        animation->addRotation(key * 1000, Vector3f(10.0f * key, 20.0f, 30.0f * key));
      }
      animation->init();
      object->setAnimation(animation);
      scene->adoptAnimation(animation);
    }
    objects.push_back(object);
    scene->AddObject(object);
  }
  return scene;
}

void BM_SceneGraphCalcGlobalData2000(benchmark::State& state) {
  std::unique_ptr<QNVScene> scene = objectTree(2000);
  float t = 0.0f;
  const std::size_t before = AllocationCounter::allocations();
  for (auto _ : state) {
    scene->calcGlobalData(t);
    benchmark::DoNotOptimize(scene->getObject(1999)->getGlobalMatrix().data());
    t = t > 2.0f ? 0.0f : t + 0.001f;
  }
  reportAllocations(state, before);
}
BENCHMARK(BM_SceneGraphCalcGlobalData2000)->Unit(benchmark::kMicrosecond);

// A sphere of 50 segments by 50 rings: 5,000 triangles as position and normal per corner.
std::vector<float> sphereCorners() {
  const int segments = 50;
  const int rings = 50;
  auto point = [&](int s, int r, std::vector<float>& out) {
    const float theta = 3.14159265f * static_cast<float>(r) / rings;
    const float phi = 2.0f * 3.14159265f * static_cast<float>(s) / segments;
    const float p[3] = {std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
    out.insert(out.end(), p, p + 3);
    out.insert(out.end(), p, p + 3);
  };
  std::vector<float> corners;
  for (int r = 0; r < rings; ++r) {
    for (int s = 0; s < segments; ++s) {
      const int quad[6][2] = {{s, r}, {s + 1, r}, {s + 1, r + 1}, {s, r}, {s + 1, r + 1}, {s, r + 1}};
      for (const auto& corner : quad) point(corner[0], corner[1], corners);
    }
  }
  return corners;
}

// 224 objects on a 16 x 14 grid facing the camera, all sharing one mesh, lit by the fixed pipeline.
void BM_SceneGraphDrawInstanced224(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  ScreenMetrics& metrics = BenchWindow::get().metrics;
  auto scene = std::make_unique<QNVScene>();
  auto* mesh = new VBO();
  const std::vector<float> corners = sphereCorners();
  mesh->setVertexBuffer(static_cast<int>(corners.size() / 6), 3, 3, 0, corners.data());
  scene->adoptMesh(mesh);
  for (int i = 0; i < 224; ++i) {
    auto* object = new QNVObject();
    object->setVBO(mesh);
    object->setLocalTranslation(Vector3f(2.2f * (i % 16 - 7.5f), 2.2f * (i / 16 - 6.5f), 0.0f));
    scene->AddObject(object);
  }
  scene->buildSmartDrawList();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  double callSeconds = 0.0;
  auto frame = [&] {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    metrics.setView();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -40.0f);
    scene->calcGlobalData(0.0f);
    const auto start = std::chrono::steady_clock::now();
    scene->drawInstanced();
    callSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    BenchWindow::present();
  };
  // The driver builds its programs for this state in the first frames.
  for (int warmUp = 0; warmUp < 3; ++warmUp) frame();
  callSeconds = 0.0;
  const std::size_t before = AllocationCounter::allocations();
  for (auto _ : state) frame();
  reportAllocations(state, before);
  state.counters["call_ms"] = benchmark::Counter(callSeconds * 1000.0, benchmark::Counter::kAvgIterations);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
}
BENCHMARK(BM_SceneGraphDrawInstanced224)->Unit(benchmark::kMillisecond)->UseRealTime();

// About 50 MB of scene file: the given number of meshes with positions, normals and texture
// coordinates, each tuple indexing its own vertex. Returns the vertex data's size in bytes as the
// engine's buffers hold it.
std::size_t writeLargeScene(const std::string& path, int meshCount) {
  const int vertices = 1190000 / meshCount;
  SceneDescription description;
  for (int m = 0; m < meshCount; ++m) {
    SceneMesh mesh;
    mesh.id = m;
    mesh.name = "mesh" + std::to_string(m);
    for (int v = 0; v < vertices; ++v) {
      const float f = static_cast<float>(v) * 0.001f;
      mesh.positions.push_back(Vector3f(f, std::sin(f), std::cos(f)));
      mesh.normals.push_back(Vector3f(0.0f, 1.0f, 0.0f));
      mesh.texCoords.push_back(Vector2f(f, 1.0f - f));
      mesh.addTuple(v, v, v);
    }
    mesh.computeBBox();
    description.meshes.push_back(mesh);
  }
  std::string error;
  if (!SceneWriter::writeFiles(description, path, error)) std::fprintf(stderr, "%s\n", error.c_str());
  return static_cast<std::size_t>(vertices) * meshCount * 8 * sizeof(float);
}

void BM_SceneGraphLoad50MB(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  const std::string path = "/tmp/demosys_bench_scene_" + std::to_string(state.range(0)) + ".bin";
  const std::size_t vertexBytes = writeLargeScene(path, static_cast<int>(state.range(0)));
  std::size_t fileBytes = 0;
  std::size_t peak = 0;
  for (auto _ : state) {
    File file(path, File::MODE_READ);
    fileBytes = file.getFileSize();
    const std::size_t base = AllocationCounter::liveBytes();
    AllocationCounter::resetPeak();
    QNVSceneLoader loader(path);
    std::unique_ptr<QNVScene> scene(loader.loadScene(file, nullptr));
    if (scene == nullptr) state.SkipWithError(loader.getErrorMessage().c_str());
    peak = std::max(peak, AllocationCounter::peakBytes() - base);
  }
  std::remove(path.c_str());
  state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
  state.counters["vertex_MB"] = static_cast<double>(vertexBytes) / 1e6;
  state.counters["peak_beside_file_MB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_SceneGraphLoad50MB)->Arg(1)->Arg(12)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
