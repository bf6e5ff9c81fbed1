// TarnveldEffects: the template registration.
#include "production/TarnveldEffects.h"

#include <map>
#include <string>

#include "demosys/core/Demo.h"
#include "demosys/effect/Effect.h"
#include "production/TarnveldEffectList.h"
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
