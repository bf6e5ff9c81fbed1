// The typewriter text of the timeline: a Textwriter on the script's font, box, position and
// colour, typing its text out as the "start" track goes from 0 to 1. The text "random" selects a
// series of generated number tables instead, stepped on while the "random" track is above 0.5.
// Depends on: Effect, Textwriter, DataTexturePool (the font), TrackInterpolate, QNVUtils.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "demosys/effect/Effect.h"
#include "production/effects/Textwriter.h"

class TextwriterEffect : public Effect {
 public:
  static constexpr int randomTextCount = 100;
  static constexpr int randomTextLines = 6;

  TextwriterEffect();
  ~TextwriterEffect() override;

  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  Effect* getInstance() override;
  void registerTracks() override;

  // Replaces the generated texts with the next 100 tables, continuing the running numbers.
  void random();
  const std::vector<std::string>& getRandomTexts() const { return randomTexts; }
  // Null until init found the font.
  const Textwriter* getWriter() const { return writer.get(); }

 private:
  void configureWriter();
  void nextRandomText();
  uint32_t nextRandom();

  std::unique_ptr<Textwriter> writer;
  TrackInterpolate* startTrack = nullptr;
  TrackInterpolate* randomTrack = nullptr;
  std::vector<std::string> randomTexts;
  int32_t randomCounter = 0;
  int32_t generationCounter = 0;
  uint32_t randomState = 1;
};
