// What an effect class needs, learnt from the class itself rather than written down beside it:
// the tracks it registers (a fresh instance's registerTracks) and the resources its init() looks
// up (init run against empty pools while EffectResources records every lookup; with no pools
// nothing is found, so no effect reaches its GL set-up). Used by `effects` and `check`.
// Depends on: Effect, EffectResources, TarnveldEffectList, ParameterGroup.
#pragma once

#include <string>
#include <vector>

#include "production/effects/EffectResources.h"

class ParameterGroup;

struct EffectNeeds {
  std::vector<std::string> tracks;
  std::vector<EffectResources::Lookup> lookups;  // tracks excluded
};

// The needs of className for an instance with these parameters; false when no class of that
// name is registered. Whatever init() prints is discarded.
bool learnEffectNeeds(const std::string& className, ParameterGroup& parameters, EffectNeeds& needs);
