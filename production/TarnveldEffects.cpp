// TarnveldEffects: the template registration.
#include "production/TarnveldEffects.h"

#include "demosys/core/Demo.h"
#include "production/TarnveldEffectList.h"

void registerTarnveldEffects(Demo& demo) {
  for (const std::string& name : TarnveldEffectList::names())
    demo.addEffect(name, TarnveldEffectList::newTemplate(name));
}
