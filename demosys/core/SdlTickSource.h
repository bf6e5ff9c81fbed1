// Wires the timeline's clock to SDL's millisecond tick counter. The timeline
// itself stays free of SDL so that it can be tested with a hand-set clock.
// Depends on: Timer, SDL 1.2.
#pragma once

class SdlTickSource {
 public:
  // Makes every Timer read SDL_GetTicks.
  static void install();
  static unsigned ticks();
};
