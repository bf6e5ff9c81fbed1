// Droids and the formations they move between: each update places every droid on the straight
// blend from its place in one formation to its place in another, shifted by a common centre.
// The controller owns its droids and formations.
// Depends on: Robot, RobotFormation, Vector.
#pragma once

#include <vector>

#include "production/effects/Robot.h"
#include "production/effects/RobotFormation.h"

class RobotController {
 public:
  RobotController(int robots, int formations);

  Robot& getRobot(int i) { return robots[static_cast<size_t>(i)]; }
  RobotFormation& getFormation(int i) { return formations[static_cast<size_t>(i)]; }
  int getNumRobots() const { return static_cast<int>(robots.size()); }
  int getNumFormations() const { return static_cast<int>(formations.size()); }
  const Vector3f& getCenter() const { return center; }
  void setCenter(float x, float y, float z) { center = Vector3f(x, y, z); }

  // Position = from + (to - from) * t + centre, rotation = from + (to - from) * t. Formation
  // numbers outside the stored ones are taken as the nearest stored one.
  void updatePositions(int from, int to, float t);

 private:
  const RobotFormation& formationNear(int i) const;

  std::vector<Robot> robots;
  std::vector<RobotFormation> formations;
  Vector3f center;
};
