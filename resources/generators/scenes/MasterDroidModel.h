// "master_droid": the formations' leader, seen alone and close, so larger and more detailed than
// the droid: a plated torso with a chest plate ("TorsoFrontSurface"), a domed head with a visor,
// arms jointed at shoulder, elbow and wrist, a thruster, the lights in one object "GlowingParts"
// and a wireframe cage "WireRoboCube" of edge bars and corner knobs around it.
// Depends on: SceneBuilder, ModelParts, MeshShapes, DroidModel (the preview rig).
#pragma once

#include "resources/generators/scenes/SceneBuilder.h"

class MasterDroidModel {
 public:
  static void build(SceneBuilder& b);
};
