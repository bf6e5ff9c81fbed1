// Lights the spectators on the tribunes: fills the crowd shader's intensity map, at most every
// 50 ms, by the mode the track "Type" chooses: 1 random flashes, 2 a picture of the music's
// spectrum drawn into the crowd buffer, 3 the card-stunt table scrolled through the crowd buffer,
// 4 a lit row and a lit column moving across, 5 full light. It draws no geometry of its own: the
// arena scene draws the tribunes through the crowd shader instance.
// Depends on: Effect, EffectResources, CrowdShader, FrameBufferObject, Shader, Texture,
// FullScreenQuad, Timer (the spectrum through QNVDemosys::timer), TrackInterpolate, OpenGL.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "demosys/effect/Effect.h"

class CrowdShader;
class FrameBufferObject;
class Shader;
class Texture;

class CrowdVUEffect : public Effect {
 public:
  static constexpr int spectrumLength = 64;
  static constexpr unsigned updateInterval = 50;

  CrowdVUEffect();
  ~CrowdVUEffect() override;

  void registerTracks() override;
  void init() override;
  void draw(unsigned time, unsigned frameDelta) override;
  void reset() override {}
  Effect* getInstance() override;

  const std::vector<uint8_t>& getIntensityBytes() const { return intensityBytes; }
  const std::vector<uint8_t>& getVUImage() const { return vuImage; }
  Texture* getIntensityTexture() const { return intensity.get(); }

 private:
  void update(int mode, unsigned time, unsigned frameDelta);
  void flashes();
  void spectrumPicture();
  void tableEffect(unsigned time, unsigned frameDelta);
  void movingLines();
  void fullLight();
  void fillVUImage();
  void uploadIntensity();

  CrowdShader* crowd = nullptr;
  int width = 0;
  int height = 0;
  std::unique_ptr<Texture> intensity;
  std::vector<uint8_t> intensityBytes;
  FrameBufferObject* crowdBuffer = nullptr;
  Shader* vuShader = nullptr;
  std::vector<float> values;
  std::vector<float> peaks;
  std::vector<uint8_t> vuImage;
  std::unique_ptr<Texture> vuTexture;
  Shader* tableShader = nullptr;
  Texture* tableTexture = nullptr;
  float scroll = 0.0f;
  unsigned lastUpdate = 0;
  unsigned rowCounter = 0;
  unsigned columnCounter = 0;
  TrackInterpolate* type = nullptr;
  TrackInterpolate* fxparam1 = nullptr;
  TrackInterpolate* fxparam2 = nullptr;
  bool ready = false;
};
