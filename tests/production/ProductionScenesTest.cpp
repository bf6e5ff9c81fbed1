// The production's scene files hold every name the effects and the shader cache look up, and two
// runs of the generator write the same bytes as the build did.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "qnvutils/File.h"
#include "resources/generators/scenes/ArenaModel.h"
#include "resources/generators/scenes/SceneSet.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"
#include "tests/support/ToolRun.h"

namespace {

std::string builtScene(const std::string& file) { return buildTreePath("tarnveld/resources/objects/" + file); }

std::vector<std::string> arenaNames() {
  std::vector<std::string> names = {
      "TribuneBottomLeft", "TribuneBottomRight", "TribuneMiddleLeft", "TribuneMiddleRight", "TribuneTopLeft",
      "TribuneTopRight", "Screen", "Banner", "Volumeters", "VolumMeterL1", "VolumMeterL2", "VolumMeterR1",
      "VolumMeterR2", "TankBody", "TankTurret", "TankBarrel", "TankBody2", "TankTurret2", "TankBarrel2",
      "FlagPole1", "FlagPole2", "ShieldDecal", "Ballong", "Display", "box_west", "Hoverscreen", "Floor",
      "RedGlow", "TankTracks", "ShieldSurface", "Wheel", "TorsoFrontSurface", "Tyre", "Camera", "FillerCam01",
      "FillerCam02", "CamCrowd", "CamCrowd2", "CamAbove", "CamTopToDroids", "CamFollowPlanes", "CamFlag",
      "CamRLogo", "CamDroid1", "CamDroid2", "CamDroid3", "GroundToSkyCam"};
  for (int i = 1; i <= 5; ++i) names.push_back("Jet" + std::to_string(i));
  for (int i = 0; i < ArenaModel::meterBars; ++i) names.push_back("V" + std::to_string(i));
  return names;
}

TEST(ProductionScenes, EachSceneListsTheNamesItsEffectsLookUp) {
  const struct {
    const char* file;
    std::vector<std::string> names;
  } scenes[] = {{"arena.scn", arenaNames()},
                {"zeppelin.scn", {"Ballong", "Display"}},
                {"droid.scn", {"Droid", "TorsoFrontSurface", "RedGlow"}},
                {"master_droid.scn", {"GlowingParts", "WireRoboCube", "TorsoFrontSurface"}}};
  for (const auto& scene : scenes) {
    const ToolRun info = ToolRun::of("scene info " + builtScene(scene.file));
    ASSERT_EQ(info.status, 0) << info.out;
    for (const std::string& name : scene.names) EXPECT_NE(info.out.find("'" + name + "'"), std::string::npos) << scene.file << ": " << name;
    // The meter effect reads three bands per meter of 64, and the engine lights four.
    EXPECT_EQ(info.out.find("'V" + std::to_string(ArenaModel::meterBars) + "'"), std::string::npos);
    int lights = -1;
    const std::size_t at = info.out.find("\nlights ");
    ASSERT_NE(at, std::string::npos);
    std::sscanf(info.out.c_str() + at, "\nlights %d", &lights);
    EXPECT_GE(lights, 1) << scene.file;
    EXPECT_LE(lights, 4) << scene.file;
  }
}

TEST(ProductionScenes, TwoRunsWriteTheBytesTheBuildWrote) {
  TempTree first, second;
  std::string error;
  ASSERT_TRUE(SceneSet::writeAll(first.path(""), error)) << error;
  ASSERT_TRUE(SceneSet::writeAll(second.path(""), error)) << error;
  for (const SceneFile& file : SceneSet::files()) {
    for (const std::string& name : {std::string(file.fileName), std::string(file.fileName) + ".kf"}) {
      const std::string bytes = first.read(name);
      EXPECT_FALSE(bytes.empty()) << name;
      EXPECT_EQ(bytes, second.read(name)) << name;
      EXPECT_EQ(bytes, File(builtScene(name), File::MODE_READ).getAsString()) << name;
    }
  }
}

}  // namespace
