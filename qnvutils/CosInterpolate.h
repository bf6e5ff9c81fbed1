// Steps along half a cosine from one value to another in a fixed number of steps: the
// cloth flag's falloff from the free edge towards the pole. Double precision throughout.
// Depends on: nothing.
#pragma once

class CosInterpolate {
 public:
  CosInterpolate();
  CosInterpolate(double from, double to, double steps);

  // A steps value of 0 gives no step width, so the value stays at `from`.
  void reset(double from, double to, double steps);
  // The value at the current step, then advances: `from` on the first call, `to` on call
  // steps + 1.
  double step();

  double getWeight() const { return weight; }
  double getSteps() const { return steps; }
  double getFrom() const { return from; }
  double getTo() const { return to; }

 private:
  double weight = 0.0;
  double angleRadians = 0.0;
  double angleDegrees = 0.0;
  double steps = 0.0;
  double stepDegrees = 0.0;
  double from = 0.0;
  double to = 0.0;
};
