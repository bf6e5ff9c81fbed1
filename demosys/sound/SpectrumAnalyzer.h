// Magnitude spectra of a decoded song at a given frame: a Hamming window over the
// 2 x bins frames that end there, a real FFT (KissFFT), and |X[k]| scaled by 2 / sum(window)
// so that a full-scale sine centred on bin k reads about 1.0 and silence reads 0. Plans,
// windows and work buffers for every bin count are made once, so analysing allocates
// nothing. Depends on: KissFFT, SoundApi (the bin limits).
#pragma once

#include <cstdint>
#include <vector>

struct kiss_fftr_state;

class SpectrumAnalyzer {
 public:
  SpectrumAnalyzer();
  ~SpectrumAnalyzer();
  SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
  SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

  // Writes the first `count` bins (1 to SND_SPECTRUM_MAX_BINS) of side `side` (0 left,
  // 1 right) of the interleaved stereo `samples`, over the frames before `endFrame`; frames
  // before the song are silent. The analysis uses the smallest power of two of at least
  // SND_SPECTRUM_MIN_BINS bins that covers `count`.
  void analyze(const float* samples, uint32_t endFrame, int side, int count, float* out);

 private:
  struct Plan {
    int bins;
    kiss_fftr_state* fft;
    std::vector<float> window;
    float scale;
  };

  static Plan makePlan(int bins);
  const Plan& planFor(int count) const;
  void gatherWindowed(const Plan& plan, const float* samples, uint32_t endFrame, int side);

  std::vector<Plan> plans;    // bins 64, 128, ... SND_SPECTRUM_MAX_BINS
  std::vector<float> input;   // windowed samples
  std::vector<float> output;  // complex bins, re and im
};
