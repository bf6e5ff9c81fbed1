// TextwriterEffect: script set-up, the generated texts and the per-frame typing.
#include "production/effects/TextwriterEffect.h"

#include <GL/glew.h>

#include <algorithm>
#include <iostream>

#include "demosys/render/Texture.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "production/effects/EffectResources.h"
#include "qnvutils/QNVUtils.h"

namespace {

float valueOf(const TrackInterpolate* track, unsigned time) { return track ? track->getValue(time) : 0.0f; }

}  // namespace

TextwriterEffect::TextwriterEffect() = default;

TextwriterEffect::~TextwriterEffect() = default;

Effect* TextwriterEffect::getInstance() { return new TextwriterEffect(); }

void TextwriterEffect::registerTracks() {
  addTrackName("start");
  addTrackName("random");
}

void TextwriterEffect::init() {
  EffectResources look(*this);
  std::string fontName = look.parameter("font");
  Texture* font = look.textureOf("font");
  if (font == nullptr) {
    std::cout << "TextwriterEffect: no texture '" << fontName << "', the text stays hidden" << std::endl;
  } else {
    font->setTextureEnv(GL_MODULATE);
    writer = std::make_unique<Textwriter>(font);
    configureWriter();
  }
  startTrack = getTrack("start");
  randomTrack = getTrack("random");
}

void TextwriterEffect::configureWriter() {
  auto number = [this](const char* key) { return QNVUtils::string2Float(parameters->getParameter(key)); };
  writer->background(false);
  writer->setBoxSize(number("boxsize_x"), number("boxsize_y"));
  writer->setGridSize(32, 13);
  writer->setPosition(number("position_x"), number("position_y"));
  writer->setColor(number("color_r"), number("color_g"), number("color_b"));
  writer->setBorderSize(0.05f);
  writer->ghostWriter(true);
  writer->setBlinkSpeed(100);

  std::string text = parameters->getParameter("text");
  if (text != "random") {
    writer->setText(text);
    return;
  }
  random();
  std::size_t longest = 0;
  for (const std::string& t : randomTexts) longest = std::max(longest, t.size());
  writer->reserveText(longest);
  // Until the track first asks for the next table, the first one is shown.
  writer->setText(randomTexts[0]);
}

void TextwriterEffect::draw(unsigned time, unsigned) {
  if (!writer) return;
  writer->write(valueOf(startTrack, time), time);
  if (valueOf(randomTrack, time) > 0.5f) nextRandomText();
}

// Only the "random" text has tables to step through; a fixed text stays as it is.
void TextwriterEffect::nextRandomText() {
  if (randomTexts.empty()) return;
  if (randomCounter < static_cast<int32_t>(randomTexts.size())) {
    writer->setText(randomTexts[randomCounter]);
    ++randomCounter;
  } else {
    randomCounter = 0;
  }
}

// The Park-Miller generator: the same tables on every run and every platform.
uint32_t TextwriterEffect::nextRandom() {
  randomState = static_cast<uint32_t>(static_cast<uint64_t>(randomState) * 48271u % 2147483647u);
  return randomState;
}

void TextwriterEffect::random() {
  if (generationCounter > 1000000) generationCounter = 0;
  randomTexts.clear();
  for (int t = 0; t < randomTextCount; ++t) {
    std::string text;
    for (int line = 0; line < randomTextLines; ++line) {
      generationCounter += 1 + static_cast<int32_t>(nextRandom() % 997);
      text += QNVUtils::float2string(static_cast<float>(generationCounter)) + "......" +
              QNVUtils::float2string(static_cast<float>(nextRandom() % 100000)) + "|";
    }
    randomTexts.push_back(text);
  }
}
