// Keyframed translation and rotation curves of a scene object, camera or light, with linear or
// uniform Catmull-Rom interpolation. Key times are milliseconds; lookups take seconds.
// Depends on: Vector.
#pragma once

#include <map>

#include "demosys/math/Vector.h"

class QNVAnimation {
 public:
  enum InterpolationType { LINEAR = 0, CATMULL_ROM = 1 };
  using KeyMap = std::map<unsigned, Vector3f>;

  // A key at an existing time replaces the old value.
  void addTranslation(unsigned timeMs, const Vector3f& value) { translations[timeMs] = value; }
  void addRotation(unsigned timeMs, const Vector3f& degrees) { rotations[timeMs] = degrees; }
  // Start 0 and end at the last translation key, when there are translation keys.
  void init();
  bool hasTranslationCurve() const { return !translations.empty(); }
  bool hadRotationCurve() const { return !rotations.empty(); }
  void setInterpolationType(unsigned type) { interpolation = type; }
  unsigned getInterpolationType() const { return interpolation; }

  // t in seconds; an unknown interpolation type gives (0, 0, 0).
  Vector3f getTranslation(float t) const { return evaluate(translations, t); }
  Vector3f getRotation(float t) const { return evaluate(rotations, t); }

  static Vector3f linear(const KeyMap& keys, unsigned ms);
  static Vector3f catmull(const KeyMap& keys, unsigned ms);

  const KeyMap& getTranslationKeys() const { return translations; }
  const KeyMap& getRotationKeys() const { return rotations; }
  unsigned getStartTime() const { return startTime; }
  unsigned getEndTime() const { return endTime; }

 private:
  Vector3f evaluate(const KeyMap& keys, float t) const;

  KeyMap translations;
  KeyMap rotations;
  unsigned interpolation = CATMULL_ROM;
  unsigned startTime = 0;
  unsigned endTime = 0;
};
