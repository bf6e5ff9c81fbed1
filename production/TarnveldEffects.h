// Registers Tarnveld's effect templates with a demo, one per class of TarnveldEffectList, in
// order. Shared by the tarnveld program and the tools that load its scripts (render, pack).
// Depends on: Demo, TarnveldEffectList.
#pragma once

class Demo;

void registerTarnveldEffects(Demo& demo);
