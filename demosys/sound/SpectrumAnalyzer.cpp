#include "demosys/sound/SpectrumAnalyzer.h"

#include <kiss_fftr.h>

#include <cmath>

#include "demosys/sound/SoundApi.h"

static_assert(sizeof(kiss_fft_cpx) == 2 * sizeof(float), "bins are stored as float pairs");

SpectrumAnalyzer::SpectrumAnalyzer()
    : input(2 * SND_SPECTRUM_MAX_BINS), output(2 * (SND_SPECTRUM_MAX_BINS + 1)) {
  for (int bins = SND_SPECTRUM_MIN_BINS; bins <= SND_SPECTRUM_MAX_BINS; bins *= 2)
    plans.push_back(makePlan(bins));
}

SpectrumAnalyzer::~SpectrumAnalyzer() {
  for (Plan& plan : plans) kiss_fftr_free(plan.fft);
}

const SpectrumAnalyzer::Plan& SpectrumAnalyzer::planFor(int count) const {
  std::size_t index = 0;
  while (plans[index].bins < count) ++index;
  return plans[index];
}

SpectrumAnalyzer::Plan SpectrumAnalyzer::makePlan(int bins) {
  const int size = 2 * bins;
  Plan plan;
  plan.bins = bins;
  plan.fft = kiss_fftr_alloc(size, 0, nullptr, nullptr);
  plan.window.resize(size);
  double sum = 0.0;
  for (int n = 0; n < size; ++n) {
    plan.window[n] = static_cast<float>(0.54 - 0.46 * std::cos(2.0 * M_PI * n / (size - 1)));
    sum += plan.window[n];
  }
  plan.scale = static_cast<float>(2.0 / sum);
  return plan;
}

void SpectrumAnalyzer::analyze(const float* samples, uint32_t endFrame, int side, int count, float* out) {
  const Plan& plan = planFor(count);
  gatherWindowed(plan, samples, endFrame, side);
  auto* spectrum = reinterpret_cast<kiss_fft_cpx*>(output.data());
  kiss_fftr(plan.fft, input.data(), spectrum);
  for (int k = 0; k < count; ++k) {
    out[k] = std::sqrt(spectrum[k].r * spectrum[k].r + spectrum[k].i * spectrum[k].i) * plan.scale;
  }
}

void SpectrumAnalyzer::gatherWindowed(const Plan& plan, const float* samples, uint32_t endFrame, int side) {
  const int64_t size = static_cast<int64_t>(plan.window.size());
  const int64_t first = static_cast<int64_t>(endFrame) - size;
  for (int64_t n = 0; n < size; ++n) {
    int64_t frame = first + n;
    float sample = frame < 0 ? 0.0f : samples[frame * 2 + side];
    input[n] = sample * plan.window[n];
  }
}
