// FormationEffect::draw for its 224 droid clones (each with one part) on the CPU: the blend of two
// formations, the bobbing, the clones' global matrices and the instanced draw calls, into a
// 1 x 1 render target so the rasteriser's work stays out of the figure; and the allocations per
// frame. Needs the shared GL window (BenchWindow).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/AllocationCounter.h"
#include "bench/BenchWindow.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/resources/Data.h"
#include "demosys/resources/DataObjectPool.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "demosys/timeline/TrackKeyFrameInterpolate.h"
#include "production/effects/FormationEffect.h"
#include "tests/support/SceneSamples.h"

namespace {

// A droid of a hull and a visor, in the object pool as "droid"; tracks blending the two blocks.
struct FormationStage {
  FormationStage() : group("formation"), tracks("formation") {
    SceneDescription description;
    description.meshes.push_back(sampleCube(1, "hull"));
    description.nodes.push_back(sampleNode(10, SCENE_NODE_MESH, -1, 1, "Droid", Vector3f(0, 0, 0)));
    description.nodes.push_back(sampleNode(11, SCENE_NODE_MESH, 10, 1, "Visor", Vector3f(0, 1, 0)));
    QNVSceneLoader loader("droid");
    auto* scenes = new DataObjectPool();
    scenes->addObject("droid", loader.loadScene(*sceneFile(description), keyframeFile(description).get()));
    data.addData("objectPool", scenes);
    QNVDemosys::data = &data;
    group.addParameter("class", "FormationEffect");
    group.addParameter("droid", "droid");
    effect.setParameters(&group);
    effect.registerTracks();
    const float values[] = {0.0f, 1.0f, 0.4f, 15.0f};
    for (int i = 0; i < effect.getTrackCount(); ++i) {
      auto* track = new TrackInterpolate(effect.getTrackName(i));
      track->addKeyframe(new TrackKeyFrameInterpolate(0, TrackKeyFrameInterpolate::LINEAR, values[i]));
      tracks.addInterpolateTrack(track);
    }
    effect.setTrackGroup(&tracks);
    effect.init();
  }
  ~FormationStage() { QNVDemosys::data = nullptr; }

  Data data;
  ParameterGroup group;
  TrackGroup tracks;
  FormationEffect effect;
};

void BM_FormationEffectDraw224Droids(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  auto stage = std::make_unique<FormationStage>();
  FrameBufferObject target(1, 1, true, false);
  target.bind();
  unsigned time = 1000;
  const std::size_t before = AllocationCounter::allocations();
  for (auto _ : state) {
    stage->effect.draw(time, 16);
    time += 16;
  }
  const std::size_t allocations = AllocationCounter::allocations() - before;
  glFinish();
  target.release();
  state.counters["allocs/frame"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FormationEffectDraw224Droids)->Unit(benchmark::kMicrosecond);

}  // namespace
