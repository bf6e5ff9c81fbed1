#include "resources/generators/song/Envelope.h"

#include <algorithm>
#include <cmath>

Envelope::Envelope(double attack, double decay, double sustain, double release, double curve)
    : attack(attack), decay(decay), sustain(sustain), release(release), curve(curve) {}

double Envelope::level(double time, double gate) const {
  if (time <= 0.0) return 0.0;
  if (time < gate) return heldLevel(time);
  if (release <= 0.0) return 0.0;
  double progress = (time - gate) / release;
  return progress >= 1.0 ? 0.0 : heldLevel(gate) * falling(progress);
}

double Envelope::length(double gate) const { return std::max(gate, 0.0) + release; }

double Envelope::heldLevel(double time) const {
  if (time < attack) return time / attack;
  double sinceAttack = time - attack;
  if (sinceAttack >= decay) return sustain;
  return sustain + (1.0 - sustain) * falling(sinceAttack / decay);
}

// 1 at progress 0 down to 0 at progress 1.
double Envelope::falling(double progress) const { return std::pow(1.0 - progress, curve); }
