// The arena's lights (a cold moon, two floodlights, a red stage glow: the four the engine uses)
// and the fourteen cameras the arena effect cuts between, each keyed in whole seconds along a
// move that keeps its subject in view.
#include <cmath>
#include <string>
#include <vector>

#include "resources/generators/scenes/ArenaModel.h"

namespace {

constexpr float degrees = SceneBuilder::degreesPerRadian;

struct Shot {
  const char* name;
  std::vector<CameraKey> keys;
};

// A ring of keys every `step` seconds around centre at radius and height, looking at target.
std::vector<CameraKey> orbit(const Vector3f& centre, float radius, float height, const Vector3f& target, float fromDegrees,
                             float toDegrees, unsigned seconds, unsigned step) {
  std::vector<CameraKey> keys;
  for (unsigned s = 0; s <= seconds; s += step) {
    const float a = (fromDegrees + (toDegrees - fromDegrees) * s / seconds) / degrees;
    keys.push_back({s, centre + Vector3f(radius * std::cos(a), radius * std::sin(a), height), target});
  }
  return keys;
}

// A straight move from eye0 to eye1 while the look slides from target0 to target1.
std::vector<CameraKey> dolly(const Vector3f& eye0, const Vector3f& eye1, const Vector3f& target0, const Vector3f& target1,
                             unsigned seconds) {
  std::vector<CameraKey> keys;
  for (unsigned s = 0; s <= seconds; s += seconds / 4) {
    const float f = static_cast<float>(s) / seconds;
    keys.push_back({s, eye0 + (eye1 - eye0) * f, target0 + (target1 - target0) * f});
  }
  return keys;
}

// Behind and above the lead jet of the formation (which circles at radius 78, height 55, a turn
// in 36 seconds), looking at it.
std::vector<CameraKey> chase() {
  std::vector<CameraKey> keys;
  for (unsigned k = 0; k <= 12; ++k) {
    const float a = k * 30.0f / degrees, behind = a - 0.32f;
    keys.push_back({k * 3, {84.0f * std::cos(behind), 84.0f * std::sin(behind), 63.0f},
                    {78.0f * std::cos(a), 78.0f * std::sin(a), 55.0f}});
  }
  return keys;
}

}  // namespace

void ArenaModel::buildLightsAndCameras(SceneBuilder& b) {
  b.light("Moon", {0.35f, 0.4f, 0.6f}, {-0.3f, 0.4f, 1.0f});
  b.light("FloodLeft", {0.85f, 0.8f, 0.7f}, {0.4f, 1.0f, 1.4f});
  b.light("FloodRight", {0.6f, 0.55f, 0.5f}, {-0.5f, -1.0f, 1.1f});
  b.light("StageRed", {0.35f, 0.05f, 0.04f}, {1.0f, 0.0f, 0.3f});

  const Vector3f centre(0, 0, 0), droids(0, 0, 3);
  const float crowdY = standFrontY + 12.0f, crowdZ = 12.0f;
  const Shot shots[] = {
      {"Camera", orbit(centre, 80, 52, {0, 0, 6}, -90, 270, 40, 5)},
      {"FillerCam01", dolly({-60, 20, 10}, {60, 20, 10}, {-40, crowdY, crowdZ}, {75, crowdY, crowdZ}, 20)},
      {"FillerCam02", dolly({60, -22, 7}, {-60, -22, 7}, {40, -crowdY, 9}, {-82, -40, 8}, 20)},
      {"CamCrowd", dolly({-25, 35, 8}, {25, 35, 8}, {-45, crowdY, crowdZ + 4}, {45, crowdY, crowdZ + 4}, 16)},
      {"CamCrowd2", dolly({20, -30, 4}, {-20, -30, 4}, {40, -crowdY, crowdZ}, {-40, -crowdY, crowdZ + 6}, 16)},
      {"CamAbove", orbit(centre, 12, 88, centre, 0, 90, 20, 5)},
      {"CamTopToDroids", dolly({-10, -30, 85}, {-4, -45, 9}, droids, droids, 20)},
      {"CamFollowPlanes", chase()},
      {"CamFlag", dolly({-55, 30, 36}, {-60, -30, 40}, {-85, 12, 44}, {-85, -12, 44}, 16)},
      {"CamRLogo", dolly({-30, 8, 14}, {-60, -4, 18}, {-90, 0, 24}, {-90, 0, 14}, 16)},
      {"CamDroid1", dolly({-22, -28, 4}, {22, -28, 5}, {-10, 0, 3}, {10, 0, 3}, 20)},
      {"CamDroid2", orbit(centre, 55, 12, droids, 20, 110, 20, 5)},
      {"CamDroid3", orbit(centre, 30, 25, droids, 200, 290, 20, 5)},
      {"GroundToSkyCam", dolly({-14, -10, 1.5f}, {-14, -10, 1.5f}, {0, 0, 22}, {4, 3, 75}, 20)},
  };
  for (const Shot& shot : shots) b.camera(shot.name, shot.keys);
}
