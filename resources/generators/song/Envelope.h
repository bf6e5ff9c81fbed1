// Attack-decay-sustain-release amplitude curve evaluated at a time since the note began.
// Every segment runs between exact end points, so a note starts and ends at exactly 0 and
// never clicks. `curve` bends decay and release (1 linear, larger falls faster at first).
// No dependencies.
#pragma once

class Envelope {
 public:
  Envelope(double attack, double decay, double sustain, double release, double curve = 1.0);

  // Level in [0, 1] at `time` seconds into a note whose key is held for `gate` seconds.
  double level(double time, double gate) const;
  // How long a note held for `gate` seconds sounds, release included.
  double length(double gate) const;

 private:
  double heldLevel(double time) const;
  double falling(double progress) const;

  double attack;
  double decay;
  double sustain;
  double release;
  double curve;
};
