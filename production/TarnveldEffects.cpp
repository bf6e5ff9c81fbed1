// TarnveldEffects: the template registration.
#include "production/TarnveldEffects.h"

#include <map>
#include <string>

#include "demosys/core/Demo.h"
#include "demosys/effect/Effect.h"
#include "production/TarnveldEffectList.h"
#include "production/effects/BlendEffect.h"
#include "production/effects/CameraLensEffect.h"
#include "production/effects/CrossfadeEffect.h"
#include "production/effects/DisplayTexture.h"
#include "production/effects/DistortEffect.h"
#include "production/effects/FadeEffect.h"
#include "production/effects/GlowEffect.h"
#include "production/effects/LaplacianEffect.h"
#include "production/effects/LensEffect.h"
#include "production/effects/OverlayEffect.h"
#include "production/effects/PixelateEffect.h"
#include "production/effects/RadialBlurEffect.h"
#include "production/effects/TextwriterEffect.h"

namespace {

using EffectFactory = Effect* (*)();

template <class T>
Effect* makeTemplate() {
  return new T();
}

// The effect classes written so far, by class name.
const std::map<std::string, EffectFactory>& factories() {
  static const std::map<std::string, EffectFactory> table = {
      {"BlendEffect", makeTemplate<BlendEffect>},
      {"CameraLensEffect", makeTemplate<CameraLensEffect>},
      {"CrossfadeEffect", makeTemplate<CrossfadeEffect>},
      {"DisplayTexture", makeTemplate<DisplayTexture>},
      {"DistortEffect", makeTemplate<DistortEffect>},
      {"FadeEffect", makeTemplate<FadeEffect>},
      {"GlowEffect", makeTemplate<GlowEffect>},
      {"LaplacianEffect", makeTemplate<LaplacianEffect>},
      {"LensEffect", makeTemplate<LensEffect>},
      {"OverlayEffect", makeTemplate<OverlayEffect>},
      {"PixelateEffect", makeTemplate<PixelateEffect>},
      {"RadialBlurEffect", makeTemplate<RadialBlurEffect>},
      {"TextwriterEffect", makeTemplate<TextwriterEffect>},
  };
  return table;
}

}  // namespace

// Effect classes not written yet stand in as plain effects, so scripts naming them still load.
void registerTarnveldEffects(Demo& demo) {
  const std::map<std::string, EffectFactory>& table = factories();
  for (const std::string& name : TarnveldEffectList::names()) {
    auto factory = table.find(name);
    demo.addEffect(name, factory != table.end() ? factory->second() : new Effect());
  }
}
