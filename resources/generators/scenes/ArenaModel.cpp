#include "resources/generators/scenes/ArenaModel.h"

#include <cmath>
#include <string>

#include "resources/generators/scenes/MeshShapes.h"
#include "resources/generators/scenes/ModelParts.h"
#include "resources/generators/scenes/ZeppelinModel.h"

namespace {

constexpr float walkway = 2.0f;  // between two tiers
constexpr float fascia = 2.5f;   // the wall from a walkway up to the next tier
constexpr float frontWall = 3.0f;
constexpr float tierDepth = ArenaModel::rowsPerTier * ArenaModel::rowDepth;
constexpr float tierRise = ArenaModel::rowsPerTier * ArenaModel::rowRise;

float tierY(int k) { return ArenaModel::standFrontY + k * (tierDepth + walkway); }
float tierZ(int k) { return frontWall + k * (tierRise + fascia); }

ModelMesh block(const Vector3f& low, const Vector3f& high) {
  ModelMesh part;
  ModelParts::add(part, MeshShapes::box(high - low), {(low + high) * 0.5f, {}});
  return part;
}

// One tier of seat rows for the +y side, from its front edge at the origin: each row a riser
// facing the field and a tread. A row's spectators are one texel row of the crowd's intensity
// map: the riser holds the lower part of the cell, the tread the upper part.
ModelMesh tier(const UVRect& cells) {
  const float L = ArenaModel::standLength, d = ArenaModel::rowDepth, h = ArenaModel::rowRise;
  const int rows = ArenaModel::rowsPerTier;
  const float cell = (cells.t1 - cells.t0) / rows;
  ModelMesh mesh;
  for (int r = 0; r < rows; ++r) {
    const float t = cells.t0 + r * cell;
    ModelParts::quad(mesh, {-L / 2, r * d, r * h}, {L, 0, 0}, {0, 0, h}, {cells.s0, t, cells.s1, t + 0.65f * cell});
    ModelParts::quad(mesh, {-L / 2, r * d, (r + 1) * h}, {L, 0, 0}, {0, d, 0},
                     {cells.s0, t + 0.65f * cell, cells.s1, t + cell});
    // The ends: the column under this row's tread.
    const UVRect blank{cells.s0, cells.t0, cells.s0, cells.t0};
    ModelParts::quad(mesh, {-L / 2, r * d, 0}, {0, 0, (r + 1) * h}, {0, d, 0}, blank);
    ModelParts::quad(mesh, {L / 2, r * d, 0}, {0, d, 0}, {0, 0, (r + 1) * h}, blank);
  }
  return mesh;
}

// Everything of one long side that is not seats: the front wall, the blocks the tiers sit on,
// the walkways and fascias between them, the back wall and the roof.
ModelMesh standStructure() {
  const float half = ArenaModel::standLength / 2;
  ModelMesh mesh;
  mesh.append(block({-half, ArenaModel::standFrontY - 1, 0}, {half, ArenaModel::standFrontY, frontWall}));
  for (int k = 0; k < ArenaModel::tiers; ++k) {
    mesh.append(block({-half, tierY(k), 0}, {half, tierY(k) + tierDepth, tierZ(k)}));
    const float walkwayEnd = k + 1 < ArenaModel::tiers ? tierY(k + 1) : tierY(k) + tierDepth + 1.0f;
    mesh.append(block({-half, tierY(k) + tierDepth, 0}, {half, walkwayEnd, tierZ(k) + tierRise}));
  }
  const float back = tierY(ArenaModel::tiers - 1) + tierDepth + 1.0f;
  const float top = tierZ(ArenaModel::tiers - 1) + tierRise;
  mesh.append(block({-half - 2, back, 0}, {half + 2, back + 1.5f, top + 9}));
  // The roof: a slab over the top tier, held by columns in front.
  ModelParts::add(mesh, MeshShapes::box({ArenaModel::standLength + 6, 20, 0.8f}), {{0, back - 9, top + 9}, {-6, 0, 0}});
  for (int i = 0; i <= 8; ++i) {
    mesh.append(block({-half + i * 20 - 0.4f, back - 17, top - 0.5f}, {-half + i * 20 + 0.4f, back - 16.2f, top + 8}));
  }
  return mesh;
}

// Thin glowing strips along the fascias' tops and the roof's front edge.
ModelMesh glowStrips() {
  const float half = ArenaModel::standLength / 2;
  ModelMesh mesh;
  for (int k = 1; k < ArenaModel::tiers; ++k) {
    mesh.append(block({-half, tierY(k) - 0.15f, tierZ(k) - 0.5f}, {half, tierY(k) + 0.05f, tierZ(k) - 0.2f}));
  }
  mesh.append(block({-half, ArenaModel::standFrontY - 1.15f, frontWall - 0.35f}, {half, ArenaModel::standFrontY - 0.95f, frontWall - 0.1f}));
  return mesh;
}

}  // namespace

void ArenaModel::build(SceneBuilder& b) {
  buildFloorAndStands(b);
  buildWestEnd(b);
  buildEastGate(b);
  buildFloodlights(b);
  buildMeters(b);
  buildHoverscreen(b);
  buildTank(b, "", 1.0f);
  buildTank(b, "2", -1.0f);
  buildJets(b);
  ZeppelinModel::build(b, SceneBuilder::root);
  buildLightsAndCameras(b);
}

void ArenaModel::buildFloorAndStands(SceneBuilder& b) {
  ModelMesh floor;
  ModelParts::quad(floor, {-100, -56, 0}, {200, 0, 0}, {0, 112, 0});
  b.object("Floor", ModelParts::finish(b, "floor", floor, 0), b.material("FloorSurface", {0.42f, 0.43f, 0.48f}, "floor.png"), SceneBuilder::root);

  const int concrete = b.material("Concrete", {0.42f, 0.42f, 0.47f}, "hull.png");
  const int glow = b.material("RedGlow", {1.0f, 0.1f, 0.05f});
  // The crowd shader draws the spectators from its own atlas; the seats' colour stands in elsewhere.
  const int seats = b.material("TribuneSeats", {0.5f, 0.42f, 0.42f});
  const int structure = ModelParts::finish(b, "stand structure", standStructure(), 30);
  const int strips = ModelParts::finish(b, "glow strips", glowStrips(), 30);
  const char* tierNames[tiers] = {"Bottom", "Middle", "Top"};
  const char* sideNames[2] = {"Left", "Right"};
  for (int side = 0; side < 2; ++side) {
    // The right side is the left one turned half a turn, so both face the floor.
    const Pose facing{{}, {0, 0, side == 0 ? 0.0f : 180.0f}};
    const int stand = b.group(std::string("Stand") + sideNames[side], SceneBuilder::root, facing);
    b.object(std::string("StandStructure") + sideNames[side], structure, concrete, stand);
    b.object(std::string("StandGlow") + sideNames[side], strips, glow, stand);
    for (int k = 0; k < tiers; ++k) {
      // The whole crowd is one picture: left stands the map's left half, tiers bottom to top.
      const UVRect cells{side * 0.5f, static_cast<float>(k) / tiers, side * 0.5f + 0.5f, static_cast<float>(k + 1) / tiers};
      const std::string name = std::string("Tribune") + tierNames[k] + sideNames[side];
      b.object(name, ModelParts::finish(b, name, tier(cells), 0), seats, stand, {{0, tierY(k), tierZ(k)}, {}});
    }
  }
  ModelMesh banners;
  for (float side : {1.0f, -1.0f}) {
    const float y = side * (standFrontY - 1.02f);
    ModelParts::quad(banners, {-side * standLength / 2, y, 0.4f}, {side * standLength, 0, 0}, {0, 0, 2.2f}, {0, 0, 10, 1});
  }
  b.object("Banner", ModelParts::finish(b, "banner", banners, 0), b.material("BannerCloth", {1, 1, 1}, "banner.png"), SceneBuilder::root);
}

void ArenaModel::buildWestEnd(SceneBuilder& b) {
  const int concrete = b.material("Concrete", {});
  ModelMesh wall = block({-104, -56, 0}, {-92, 56, 16});
  wall.append(block({-96, -24, 16}, {-93, 24, 42}));     // the screen's frame
  wall.append(block({-90, -8, 0}, {-87.5f, 8, 16}));      // the plinth the shield hangs on
  // The zeppelin effect finds the west end by this name.
  b.object("box_west", ModelParts::finish(b, "west wall", wall, 30), concrete, SceneBuilder::root);

  ModelMesh screen;
  ModelParts::quad(screen, {0, -20, -10}, {0, 40, 0}, {0, 0, 20});
  b.object("Screen", ModelParts::finish(b, "screen", screen, 0), b.material("ScreenSurface", {0.9f, 0.9f, 1}, "screen.png", 1.0f),
           SceneBuilder::root, {{-92.9f, 0, 30}, {}});
  // The frame's face around the screen, lit like a droid's chest plate.
  ModelMesh bezel;
  ModelParts::quad(bezel, {-92.95f, -24, 17}, {0, 48, 0}, {0, 0, 3});
  ModelParts::quad(bezel, {-92.95f, -24, 40}, {0, 48, 0}, {0, 0, 2});
  b.object("ScreenBezel", ModelParts::finish(b, "screen bezel", bezel, 0), b.material("TorsoFrontSurface", {0.6f, 0.62f, 0.7f}, "robot.png"),
           SceneBuilder::root);

  ModelMesh shield;
  ModelParts::quad(shield, {0, -6, -6.75f}, {0, 12, 0}, {0, 0, 13.5f});
  b.object("ShieldDecal", ModelParts::finish(b, "shield decal", shield, 0), b.material("ShieldSurface", {0.8f, 0.15f, 0.12f}, "shield.png", 1.0f),
           SceneBuilder::root, {{-87.45f, 0, 8.75f}, {}});

  // Flag poles: the object sits at the pole's top, where the cloth hangs from.
  ModelMesh pole;
  ModelParts::add(pole, MeshShapes::cylinder(0.35f, 48, 12), {{0, 0, -48}, {}});
  ModelParts::add(pole, MeshShapes::sphere(0.8f, 12, 6), {{0, 0, 0.6f}, {}});
  ModelParts::add(pole, MeshShapes::cylinder(1.6f, 1.0f, 12), {{0, 0, -48}, {}});
  const int poleMesh = ModelParts::finish(b, "flag pole", pole, 40);
  const int metal = b.material("PoleMetal", {0.75f, 0.72f, 0.6f});
  b.object("FlagPole1", poleMesh, metal, SceneBuilder::root, {{-85, 12, 48}, {}});
  b.object("FlagPole2", poleMesh, metal, SceneBuilder::root, {{-85, -12, 48}, {}});

}

void ArenaModel::buildEastGate(SceneBuilder& b) {
  ModelMesh gate;
  for (float side : {1.0f, -1.0f}) {
    gate.append(block({90, side > 0 ? 22.0f : -30.0f, 0}, {99, side > 0 ? 30.0f : -22.0f, 28}));
    gate.append(block({99, side > 0 ? 21.0f : -22.0f, 0}, {176, side > 0 ? 22.0f : -21.0f, 9}));  // tunnel walls
    gate.append(block({90, side > 0 ? 30.0f : -56.0f, 0}, {94, side > 0 ? 56.0f : -30.0f, 10}));  // walls to the stands
  }
  gate.append(block({90, -30, 22}, {99, 30, 30}));   // lintel
  gate.append(block({99, -22, 8}, {176, 22, 9}));     // tunnel roof
  gate.append(block({99, -22, -0.5f}, {176, 22, 0}));  // tunnel floor
  b.object("EastGate", ModelParts::finish(b, "east gate", gate, 30), b.material("Concrete", {}), SceneBuilder::root);
  ModelMesh lamps = block({89.7f, -20, 21}, {90, 20, 21.6f});
  b.object("GateGlow", ModelParts::finish(b, "gate glow", lamps, 30), b.material("RedGlow", {}), SceneBuilder::root);
}

void ArenaModel::buildFloodlights(SceneBuilder& b) {
  // Four masts behind the stands' corners, each a lattice of lamps tilted towards the floor.
  ModelMesh mast;
  ModelParts::add(mast, MeshShapes::cylinder(0.8f, 62, 8), {});
  ModelParts::add(mast, MeshShapes::box({10, 1.2f, 6}, 0.2f), {{0, 0, 64}, {}});
  const int mastMesh = ModelParts::finish(b, "floodlight mast", mast, 40);
  ModelMesh lamps;
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 4; ++column) {
      ModelParts::add(lamps, MeshShapes::box({1.8f, 0.4f, 1.8f}, 0.1f), {{-3.3f + column * 2.2f, -0.7f, 62.7f + row * 2.4f}, {}});
    }
  }
  const int lampMesh = ModelParts::finish(b, "floodlight lamps", lamps, 30);
  const int steel = b.material("PoleMetal", {});
  const int lit = b.material("FloodLamp", {1.0f, 0.95f, 0.75f}, "", 1.0f);
  int index = 0;
  for (float x : {-84.0f, 84.0f}) {
    for (float y : {-104.0f, 104.0f}) {
      // Facing the middle of the floor: the lamps' face (-y) turned towards the origin.
      const float heading = std::atan2(-y, -x) * SceneBuilder::degreesPerRadian + 90.0f;
      const std::string name = "Floodlight" + std::to_string(index++);
      const int node = b.object(name, mastMesh, steel, SceneBuilder::root, {{x, y, 0}, {0, 0, heading}});
      b.object(name + "Lamps", lampMesh, lit, node);
    }
  }
}

void ArenaModel::buildMeters(SceneBuilder& b) {
  // Bars grow from their base: the meter shader scales them along the engine's y (our z).
  ModelMesh barMesh;
  ModelParts::add(barMesh, MeshShapes::box({1.8f, 1.8f, 1.5f}, 0.15f), {{0, 0, 0.75f}, {}});
  const int bar = ModelParts::finish(b, "meter bar", barMesh, 30);
  const int barMaterial = b.material("MeterBar", {1.0f, 0.45f, 0.1f}, "", 0.6f);
  const int bars = b.group("Volumeters", SceneBuilder::root, {{-86, 0, 0}, {}});
  for (int i = 0; i < meterBars; ++i) {
    const float y = i < meterBars / 2 ? -42.0f + i * 2.6f : 16.0f + (i - meterBars / 2) * 2.6f;
    b.object("V" + std::to_string(i), bar, barMaterial, bars, {{0, y, 0}, {}});
  }
  // Columns of twelve lamp segments on a plinth at the floor's corners.
  ModelMesh column = block({-2, -2, 0}, {2, 2, 1.5f});
  for (int s = 0; s < 12; ++s) ModelParts::add(column, MeshShapes::box({2.6f, 2.6f, 1.2f}, 0.2f), {{0, 0, 2.4f + s * 1.6f}, {}});
  const int columnMesh = ModelParts::finish(b, "meter column", column, 30);
  const int columnMaterial = b.material("MeterColumn", {0.9f, 0.2f, 0.1f}, "", 0.6f);
  const struct {
    const char* name;
    float x, y;
  } columns[] = {{"VolumMeterL1", -80, 50}, {"VolumMeterL2", 80, 50}, {"VolumMeterR1", -80, -50}, {"VolumMeterR2", 80, -50}};
  for (const auto& c : columns) b.object(c.name, columnMesh, columnMaterial, SceneBuilder::root, {{c.x, c.y, 0}, {}});
}

void ArenaModel::buildHoverscreen(SceneBuilder& b) {
  const float half = 6.0f, height = 7.0f;
  ModelMesh screens;
  for (int face = 0; face < 4; ++face) {
    ModelMesh side;
    ModelParts::quad(side, {-half, -half - 0.01f, -height / 2}, {2 * half, 0, 0}, {0, 0, height});
    ModelParts::add(screens, side, {{}, {0, 0, face * 90.0f}});
  }
  const int screen = b.object("Hoverscreen", ModelParts::finish(b, "hoverscreen", screens, 0),
                              b.material("HoverScreenSurface", {1, 1, 1}, "hoverscreen.png", 1.0f), SceneBuilder::root);
  ModelMesh frame = MeshShapes::box({2 * half - 0.1f, 2 * half - 0.1f, height + 0.8f}, 0.3f);
  ModelParts::add(frame, MeshShapes::cylinder(0.15f, 30, 6), {{0, 0, height / 2}, {}});  // the cable it hangs from
  b.object("HoverscreenFrame", ModelParts::finish(b, "hoverscreen frame", frame, 30), b.material("PoleMetal", {}), screen);
  // Glowing bars along the four bottom edges.
  ModelMesh rims;
  ModelMesh bar = MeshShapes::box({2 * half + 0.2f, 0.3f, 0.3f});
  for (int face = 0; face < 4; ++face) {
    ModelMesh edge;
    ModelParts::add(edge, bar, {{0, -half - 0.05f, -height / 2 - 0.35f}, {}});
    ModelParts::add(rims, edge, {{}, {0, 0, face * 90.0f}});
  }
  b.object("HoverscreenGlow", ModelParts::finish(b, "hoverscreen glow", rims, 30), b.material("RedGlow", {}), screen);
  // Turns once in 40 seconds, bobbing; the arena effect runs it on its own clock.
  std::vector<PoseKey> keys;
  for (unsigned s = 0; s <= 40; s += 5) keys.push_back({s, {{0, 0, (s / 5) % 2 == 0 ? 44.0f : 46.0f}, {0, 0, s * 9.0f}}});
  b.animate(screen, keys);
}
