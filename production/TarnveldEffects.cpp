// TarnveldEffects: the template registration.
#include "production/TarnveldEffects.h"

#include "demosys/core/Demo.h"
#include "demosys/effect/Effect.h"
#include "production/TarnveldEffectList.h"

// Effect classes not written yet stand in as plain effects, so scripts naming them still load.
void registerTarnveldEffects(Demo& demo) {
  for (const std::string& name : TarnveldEffectList::names()) demo.addEffect(name, new Effect());
}
