#include "demosys/core/SdlTickSource.h"

#include <SDL/SDL.h>

#include "demosys/timeline/Timer.h"

void SdlTickSource::install() { Timer::setTickSource(&SdlTickSource::ticks); }

unsigned SdlTickSource::ticks() { return SDL_GetTicks(); }
