#include "production/TarnveldEffectList.h"

namespace TarnveldEffectList {

const std::vector<std::string>& names() {
  static const std::vector<std::string> list = {
      "BlendEffect",      "GlowEffect",        "ParticleSystemEffect", "ArenaEffect",
      "SkyboxEffect",     "ParticleFormation", "OverlayEffect",        "DistortEffect",
      "FlagEffect",       "FadeEffect",        "TextwriterEffect",     "DisplayTexture",
      "LaplacianEffect",  "LensEffect",        "CrowdVUEffect",        "VolumMetersEffect",
      "CameraLensEffect", "ParticleBombEffect", "HUDEffect",           "FormationEffect",
      "MasterDroidEffect", "RadialBlurEffect", "PixelateEffect",       "ZeppelinEffect",
      "CrossfadeEffect"};
  return list;
}

}  // namespace TarnveldEffectList
