#include "resources/generators/song/SongRenderer.h"

#include <algorithm>

#include "resources/generators/song/Mixer.h"
#include "resources/generators/song/Sequencer.h"
#include "resources/generators/song/SongClock.h"

SongRenderer::SongRenderer(const SongArrangement& arrangement) : arrangement(arrangement) {}

std::vector<float> SongRenderer::renderSong() const {
  return renderFrames(0, static_cast<std::size_t>(arrangement.getFrames()));
}

std::vector<float> SongRenderer::renderBars(int firstBar, int bars) const {
  int first = std::clamp(firstBar, 0, arrangement.getBars());
  int end = std::clamp(firstBar + bars, first, arrangement.getBars());
  int64_t firstFrame = SongClock::frameOfBar(first);
  return renderFrames(firstFrame, static_cast<std::size_t>(SongClock::frameOfBar(end) - firstFrame));
}

std::vector<float> SongRenderer::renderFrames(int64_t firstFrame, std::size_t frames) const {
  const auto& parts = arrangement.getParts();
  std::vector<std::vector<float>> tracks(parts.size());
  std::vector<Mixer::Input> inputs;
  Sequencer sequencer;
  for (std::size_t p = 0; p < parts.size(); ++p) {
    sequencer.render(*parts[p], firstFrame, frames, tracks[p]);
    inputs.push_back({tracks[p].data(), parts[p]->getSettings()});
  }
  std::vector<float> stereo;
  Mixer().mix(inputs, frames, stereo);
  applyMaster(firstFrame, stereo);
  return stereo;
}

void SongRenderer::applyMaster(int64_t firstFrame, std::vector<float>& stereo) const {
  for (std::size_t i = 0; i < stereo.size() / 2; ++i) {
    double seconds = static_cast<double>(firstFrame + static_cast<int64_t>(i)) / SongClock::SAMPLE_RATE;
    float gain = arrangement.master().valueAt(seconds);
    stereo[2 * i] *= gain;
    stereo[2 * i + 1] *= gain;
  }
}
