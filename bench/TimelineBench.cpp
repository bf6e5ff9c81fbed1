// Timeline speed: TrackInterpolate::getValue on a long track as playback
// reads it (time advancing frame by frame) and at random times, and one
// frame of TrackSystem::processSystem for a production-sized timeline with
// the heap allocations per frame counted.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackSystem.h"

namespace {

const int KEY_COUNT = 10000;
const unsigned ROWS_PER_KEY = 4;
const unsigned FRAME_MS = 17;

// 10,000 keys, 4 rows apart, cycling through the five shapes; row rate 20 (50 ms per row).
std::unique_ptr<TrackInterpolate> longTrack() {
  std::unique_ptr<TrackInterpolate> track(new TrackInterpolate("value"));
  std::mt19937 rng(1);
  for (int i = 0; i < KEY_COUNT; ++i) {
    track->addKeyframe(
        new TrackKeyFrameInterpolate(i * ROWS_PER_KEY, i % 5, static_cast<float>(rng() % 1000)));
  }
  return track;
}

unsigned trackLengthMs() { return KEY_COUNT * ROWS_PER_KEY * 1000 / TrackSystem::DEFAULT_ROW_RATE; }

void BM_GetValue_FrameByFrame(benchmark::State& state) {
  std::unique_ptr<TrackInterpolate> track = longTrack();
  const unsigned end = trackLengthMs();
  unsigned time = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(track->getValue(time));
    time += FRAME_MS;
    if (time > end) time = 0;
  }
}
BENCHMARK(BM_GetValue_FrameByFrame);

void BM_GetValue_RandomTimes(benchmark::State& state) {
  std::unique_ptr<TrackInterpolate> track = longTrack();
  std::mt19937 rng(2);
  std::vector<unsigned> times(1 << 16);
  for (unsigned& t : times) t = rng() % trackLengthMs();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(track->getValue(times[i]));
    i = (i + 1) & (times.size() - 1);
  }
}
BENCHMARK(BM_GetValue_RandomTimes);

class IdleEffect : public Effect {
 public:
  void predraw(unsigned time) override { benchmark::DoNotOptimize(time); }
  void draw(unsigned time, unsigned) override { benchmark::DoNotOptimize(time); }
  void postdraw(unsigned time) override { benchmark::DoNotOptimize(time); }
};

class IdleTarget : public FrameBufferObject {
 public:
  void bind() override {}
  void release() override {}
  void setClearFlag(bool) override {}
};

// 200 groups of 40 intervals each; the even groups play during the measured rows (a quarter of them
// into a framebuffer), the odd ones only later.
struct Timeline {
  static const int GROUPS = 200;
  static const unsigned ROWS = 4000;

  Timeline() {
    for (int g = 0; g < GROUPS; ++g) {
      effects.emplace_back(new IdleEffect());
      TrackGroup* group = new TrackGroup("effect" + std::to_string(g));
      TrackStartStop* startStop = new TrackStartStop(GROUPS - g);
      unsigned offset = g % 2 == 0 ? 0 : ROWS;
      for (unsigned row = 0; row < ROWS; row += ROWS / 40) {
        TrackStartStopKeyFrame* start = new TrackStartStopKeyFrame(offset + row, TrackKeyFrame::START);
        if (g % 4 == 0) start->renderTarget = &target;
        startStop->insertInterval(start, new TrackStartStopKeyFrame(offset + row + ROWS / 40 - 1, 0));
      }
      group->setStartStopTrack(startStop);
      group->setEffect(effects.back().get());
      system.addTrackGroup(group);
    }
    system.createPrioritySystem();
    system.prioritySanityCheck();
  }

  IdleTarget target;
  std::vector<std::unique_ptr<Effect>> effects;
  TrackSystem system;
};

void BM_ProcessSystem_200Groups(benchmark::State& state) {
  Timeline timeline;
  QNVDemosys::tracks = &timeline.system;
  unsigned time = 0;
  timeline.system.processSystem(0, 0, 0);  // grows the active list once
  std::size_t before = AllocationCounter::allocations();
  for (auto _ : state) {
    unsigned row = time / 50;
    timeline.system.processSystem(time, row, FRAME_MS);
    time = row >= Timeline::ROWS - 1 ? 0 : time + FRAME_MS;
  }
  double made = static_cast<double>(AllocationCounter::allocations() - before);
  state.counters["allocs_per_frame"] = made / static_cast<double>(state.iterations());
  state.counters["active_groups"] = timeline.system.getActiveTrackGroupCount();
  QNVDemosys::tracks = nullptr;
}
BENCHMARK(BM_ProcessSystem_200Groups);

}  // namespace
