// The arena at night: a floor between two long stands of three tiers (the crowd shader paints
// the spectators onto the tiers from a 256 x 24 intensity map), a big screen with the shield
// decal and two flag poles at the west end, a gate for the droids at the east end, floodlight
// masts, volume-meter bars and four meter columns, banners, a hovering screen, two tanks, five
// jets and the zeppelin, four lights and the fourteen cameras the arena effect cuts between.
//
// Modelling axes: z up, the floor at z = 0 from x -90 to 90 and y -55 to 55. "Left" stands are
// on +y, "right" on -y. The droid formations (drawn from their own scene) stand in the middle
// and march in through the east gate, so the floor and the gate leave room for them.
// Depends on: SceneBuilder, ModelParts, MeshShapes, ZeppelinModel.
#pragma once

#include "resources/generators/scenes/SceneBuilder.h"

class ArenaModel {
 public:
  static constexpr int crowdRows = 24;  // of the 256 x 24 intensity map the crowd shader reads
  static constexpr int tiers = 3;
  static constexpr int rowsPerTier = crowdRows / tiers;
  static constexpr int meterBars = 22;

  static void build(SceneBuilder& builder);

  // Where the stands are, for the cameras.
  static constexpr float standFrontY = 57.0f;
  static constexpr float rowDepth = 1.6f;
  static constexpr float rowRise = 1.1f;
  static constexpr float standLength = 160.0f;

 private:
  static void buildFloorAndStands(SceneBuilder& b);
  static void buildWestEnd(SceneBuilder& b);
  static void buildEastGate(SceneBuilder& b);
  static void buildFloodlights(SceneBuilder& b);
  static void buildMeters(SceneBuilder& b);
  static void buildHoverscreen(SceneBuilder& b);
  static void buildTank(SceneBuilder& b, const char* suffix, float side);
  static void buildJets(SceneBuilder& b);
  static void buildLightsAndCameras(SceneBuilder& b);
};
