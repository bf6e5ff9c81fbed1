// TarnveldEffectList: the one table of effect classes.
#include "production/TarnveldEffectList.h"

#include "demosys/effect/Effect.h"
#include "production/effects/ArenaEffect.h"
#include "production/effects/BlendEffect.h"
#include "production/effects/CameraLensEffect.h"
#include "production/effects/CrossfadeEffect.h"
#include "production/effects/CrowdVUEffect.h"
#include "production/effects/DisplayTexture.h"
#include "production/effects/DistortEffect.h"
#include "production/effects/FadeEffect.h"
#include "production/effects/FlagEffect.h"
#include "production/effects/FormationEffect.h"
#include "production/effects/GlowEffect.h"
#include "production/effects/HUDEffect.h"
#include "production/effects/LaplacianEffect.h"
#include "production/effects/LensEffect.h"
#include "production/effects/MasterDroidEffect.h"
#include "production/effects/OverlayEffect.h"
#include "production/effects/ParticleBombEffect.h"
#include "production/effects/ParticleFormation.h"
#include "production/effects/ParticleSystemEffect.h"
#include "production/effects/PixelateEffect.h"
#include "production/effects/RadialBlurEffect.h"
#include "production/effects/SkyboxEffect.h"
#include "production/effects/TextwriterEffect.h"
#include "production/effects/VolumMetersEffect.h"
#include "production/effects/ZeppelinEffect.h"

namespace {

using EffectFactory = Effect* (*)();

template <class T>
Effect* makeTemplate() {
  return new T();
}

struct EffectClass {
  const char* name;
  EffectFactory factory;
};

// Registration order; every class appears here exactly once.
const EffectClass effectClasses[] = {
    {"BlendEffect", makeTemplate<BlendEffect>},
    {"GlowEffect", makeTemplate<GlowEffect>},
    {"ParticleSystemEffect", makeTemplate<ParticleSystemEffect>},
    {"ArenaEffect", makeTemplate<ArenaEffect>},
    {"SkyboxEffect", makeTemplate<SkyboxEffect>},
    {"ParticleFormation", makeTemplate<ParticleFormation>},
    {"OverlayEffect", makeTemplate<OverlayEffect>},
    {"DistortEffect", makeTemplate<DistortEffect>},
    {"FlagEffect", makeTemplate<FlagEffect>},
    {"FadeEffect", makeTemplate<FadeEffect>},
    {"TextwriterEffect", makeTemplate<TextwriterEffect>},
    {"DisplayTexture", makeTemplate<DisplayTexture>},
    {"LaplacianEffect", makeTemplate<LaplacianEffect>},
    {"LensEffect", makeTemplate<LensEffect>},
    {"CrowdVUEffect", makeTemplate<CrowdVUEffect>},
    {"VolumMetersEffect", makeTemplate<VolumMetersEffect>},
    {"CameraLensEffect", makeTemplate<CameraLensEffect>},
    {"ParticleBombEffect", makeTemplate<ParticleBombEffect>},
    {"HUDEffect", makeTemplate<HUDEffect>},
    {"FormationEffect", makeTemplate<FormationEffect>},
    {"MasterDroidEffect", makeTemplate<MasterDroidEffect>},
    {"RadialBlurEffect", makeTemplate<RadialBlurEffect>},
    {"PixelateEffect", makeTemplate<PixelateEffect>},
    {"ZeppelinEffect", makeTemplate<ZeppelinEffect>},
    {"CrossfadeEffect", makeTemplate<CrossfadeEffect>},
};

}  // namespace

namespace TarnveldEffectList {

const std::vector<std::string>& names() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> all;
    for (const EffectClass& entry : effectClasses) all.push_back(entry.name);
    return all;
  }();
  return list;
}

Effect* newTemplate(const std::string& name) {
  for (const EffectClass& entry : effectClasses) {
    if (name == entry.name) return entry.factory();
  }
  return nullptr;
}

}  // namespace TarnveldEffectList
