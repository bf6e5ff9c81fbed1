#include "production/effects/CrowdVUEffect.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Shader.h"
#include "demosys/render/Texture.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/CrowdShader.h"
#include "production/effects/EffectResources.h"
#include "production/effects/FullScreenQuad.h"

namespace {

constexpr int vuSize = 64;
// Larger maps than this are refused; the production's is 256 x 24.
constexpr int largestMapSide = 4096;

void upload(Texture& texture, int width, int height, GLenum format, const uint8_t* bytes) {
  glBindTexture(GL_TEXTURE_2D, texture.getID());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, bytes);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glBindTexture(GL_TEXTURE_2D, 0);
}

// The mode as an integer, without overflowing the conversion for any track value.
int modeOf(float value) { return value >= 0.0f && value < 100.0f ? static_cast<int>(value) : 0; }

}  // namespace

CrowdVUEffect::CrowdVUEffect() = default;
CrowdVUEffect::~CrowdVUEffect() = default;

Effect* CrowdVUEffect::getInstance() { return new CrowdVUEffect(); }

void CrowdVUEffect::registerTracks() {
  for (const char* name : {"Type", "fxparam1", "fxparam2"}) addTrackName(name);
}

void CrowdVUEffect::init() {
  EffectResources look(*this);
  crowd = dynamic_cast<CrowdShader*>(look.shaderInstance("crowd_shader_instance"));
  crowdBuffer = look.fbo("crowd_buffer");
  vuShader = look.shader("crowd_vu");
  tableShader = look.shader("tablefx");
  tableTexture = look.texture("tabletex");
  type = look.track("Type");
  fxparam1 = look.track("fxparam1");
  fxparam2 = look.track("fxparam2");
  ready = look.complete() && crowd != nullptr;
  if (!ready) return;
  width = crowd->getWidth();
  height = crowd->getHeight();
  if (width < 1 || height < 1 || width > largestMapSide || height > largestMapSide) {
    std::cout << "CrowdVUEffect: the crowd's intensity map of " << width << " x " << height
              << " cells is refused" << std::endl;
    ready = false;
    return;
  }
  tableTexture->setTextureWrap(GL_REPEAT);
  intensityBytes.assign(static_cast<size_t>(width) * height * 4, 0);
  intensity = std::make_unique<Texture>(width, height, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, intensityBytes.data());
  intensity->setInterpolation(GL_NEAREST);
  values.assign(spectrumLength, 0.0f);
  peaks.assign(spectrumLength, 0.00001f);
  vuImage.assign(vuSize * vuSize * 3, 0);
  vuTexture = std::make_unique<Texture>(vuSize, vuSize, GL_TEXTURE_2D, GL_RGB, GL_RGB, vuImage.data());
  vuTexture->setInterpolation(GL_NEAREST);
  crowd->setIntensityTexture(intensity.get());
}

// Between updates nothing changes, culling included. A time before the last update (the demo
// was sought back) updates at once instead of waiting for the old time to come round again.
void CrowdVUEffect::draw(unsigned time, unsigned frameDelta) {
  if (!ready) return;
  const float mode = type->getValue(time);
  if (time >= lastUpdate && time - lastUpdate < updateInterval) return;
  glDisable(GL_CULL_FACE);
  lastUpdate = time;
  update(modeOf(mode), time, frameDelta);
  glEnable(GL_CULL_FACE);
  QNVDemosys::glErrPrint("CrowdVUEffect:end");
}

void CrowdVUEffect::update(int mode, unsigned time, unsigned frameDelta) {
  switch (mode) {
    case 1:
      flashes();
      break;
    case 2:
      spectrumPicture();
      break;
    case 3:
      tableEffect(time, frameDelta);
      break;
    case 4:
      movingLines();
      break;
    case 5:
      fullLight();
      break;
    default:
      break;
  }
}

void CrowdVUEffect::uploadIntensity() {
  crowd->setIntensityTexture(intensity.get());
  upload(*intensity, width, height, GL_RGBA, intensityBytes.data());
}

void CrowdVUEffect::flashes() {
  for (uint8_t& byte : intensityBytes) byte = rand() % 255 > 240 ? 255 : 0;
  uploadIntensity();
}

void CrowdVUEffect::spectrumPicture() {
  crowd->setIntensityTexture(crowdBuffer->getColorBuffer());
  if (QNVDemosys::timer != nullptr) QNVDemosys::timer->GetDirectSoundData(Timer::LEFT, spectrumLength, values.data());
  for (int i = 0; i < spectrumLength; ++i) peaks[i] = std::max(peaks[i], values[i]);
  fillVUImage();
  upload(*vuTexture, vuSize, vuSize, GL_RGB, vuImage.data());
  crowdBuffer->bind();
  vuShader->use();
  vuShader->setTextureUnit0("vu_values", vuTexture.get());
  vuShader->setUniform1f("num_values", 16.0f);
  vuShader->setUniform1f("multiplier", 16.0f);
  FullScreenQuad::draw();
  vuShader->release();
  crowdBuffer->release();
}

// Every row alike, red only: the odd bands from the top down on the left half, the even bands
// upwards on the right, so the picture mirrors about its middle. Peaks never fall, so a band
// shows its share of the loudest it has been, 32 at most.
void CrowdVUEffect::fillVUImage() {
  for (int x = 0; x < vuSize; ++x) {
    const int band = x < vuSize / 2 ? spectrumLength - 1 - 2 * x : 2 * (x - vuSize / 2);
    const float share = values[band] / peaks[band] * 32.0f;
    const auto red = static_cast<uint8_t>(std::clamp(share, 0.0f, 255.0f));
    for (int y = 0; y < vuSize; ++y) vuImage[static_cast<size_t>(3 * (y * vuSize + x))] = red;
  }
}

void CrowdVUEffect::tableEffect(unsigned time, unsigned frameDelta) {
  crowd->setIntensityTexture(crowdBuffer->getColorBuffer());
  crowdBuffer->bind();
  tableShader->use();
  tableShader->setTextureUnit0("tex", tableTexture);
  tableShader->setUniform1f("scroll", scroll);
  tableShader->setUniform1f("fxparam1", fxparam1->getValue(time));
  tableShader->setUniform1f("fxparam2", fxparam2->getValue(time));
  FullScreenQuad::draw();
  tableShader->release();
  crowdBuffer->release();
  scroll += static_cast<float>(frameDelta) / 10.0f * 0.0025f;
}

// One whole row lit, and one byte in every row.
void CrowdVUEffect::movingLines() {
  std::fill(intensityBytes.begin(), intensityBytes.end(), 0);
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  const size_t litRow = rowCounter % static_cast<unsigned>(height);
  std::fill_n(intensityBytes.begin() + static_cast<long>(litRow * rowBytes), rowBytes, 255);
  const size_t litByte = columnCounter % static_cast<unsigned>(width);
  for (int row = 0; row < height; ++row) intensityBytes[row * rowBytes + litByte] = 255;
  uploadIntensity();
  ++rowCounter;
  ++columnCounter;
  QNVDemosys::glErrPrint("CrowdVUEffect");
}

void CrowdVUEffect::fullLight() {
  std::fill(intensityBytes.begin(), intensityBytes.end(), 255);
  uploadIntensity();
}
