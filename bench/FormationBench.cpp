// FormationEffect::draw for its 224 droid clones (each with one part): the blend of two formations,
// the bobbing, the clones' global matrices and the instanced draw calls, into a 1 x 1 render
// target so the rasteriser's work stays out of the figure; and the allocations per frame. With
// argument 0 the droid has no meshes, so nothing reaches the GL driver and the figure is the
// effect's own CPU work; with 1 it includes 448 draw calls into the driver. Needs the shared GL
// window (BenchWindow).
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

// A droid of a hull and a visor (cubes, or empty nodes), in the object pool as "droid"; tracks
// blending the two blocks.
struct FormationStage {
  explicit FormationStage(bool meshes) : group("formation"), tracks("formation") {
    SceneDescription description;
    description.meshes.push_back(sampleCube(1, "hull"));
    const int type = meshes ? SCENE_NODE_MESH : SCENE_NODE_EMPTY;
    description.nodes.push_back(sampleNode(10, type, -1, 1, "Droid", Vector3f(0, 0, 0)));
    description.nodes.push_back(sampleNode(11, type, 10, 1, "Visor", Vector3f(0, 1, 0)));
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
  auto stage = std::make_unique<FormationStage>(state.range(0) != 0);
  FrameBufferObject target(1, 1, true, false);
  target.bind();
  // The first frame sets the tracks' lookup caches up; the frames after it are the steady state.
  stage->effect.draw(1000, 16);
  unsigned time = 1016;
  // Counted around the draw alone: the benchmark's own bookkeeping between batches allocates.
  std::size_t allocations = 0;
  for (auto _ : state) {
    const std::size_t before = AllocationCounter::allocations();
    stage->effect.draw(time, 16);
    allocations += AllocationCounter::allocations() - before;
    time += 16;
  }
  glFinish();
  target.release();
  state.counters["allocs/frame"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FormationEffectDraw224Droids)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
