// "droid": the hovering droid the formations clone 224 times, so it is kept to about two hundred
// triangles: a plated body on a thruster, a head with glowing eyes and an antenna, a chest plate
// ("TorsoFrontSurface") and two arms, all under the object "Droid" at the droid's centre (it
// hovers 3.5 above the floor). It faces +y in the modelling axes (-z in the engine's). The parts'
// nodes sit at the droid's origin: the formations set one matrix on a clone and all its parts.
// Depends on: SceneBuilder, ModelParts, MeshShapes.
#pragma once

#include "resources/generators/scenes/SceneBuilder.h"

class DroidModel {
 public:
  static void build(SceneBuilder& b);
  // Three views of a model of about `size` at the origin, and a key and a fill light; for the
  // scenes that hold a single model.
  static void addPreviewRig(SceneBuilder& b, float size);
};
