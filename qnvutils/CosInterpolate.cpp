#include "qnvutils/CosInterpolate.h"

#include <cmath>

namespace {
constexpr double pi = 3.14159265358979323846;
}

CosInterpolate::CosInterpolate() = default;

CosInterpolate::CosInterpolate(double from, double to, double steps) { reset(from, to, steps); }

void CosInterpolate::reset(double from, double to, double steps) {
  this->from = from;
  this->to = to;
  this->steps = steps;
  weight = 0.0;
  angleRadians = 0.0;
  angleDegrees = 0.0;
  stepDegrees = steps != 0.0 ? 180.0 / steps : 0.0;
}

double CosInterpolate::step() {
  angleRadians = pi * angleDegrees / 180.0;
  angleDegrees += stepDegrees;
  weight = (1.0 - std::cos(angleRadians)) * 0.5;
  return (1.0 - weight) * from + weight * to;
}
