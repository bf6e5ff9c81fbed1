#include "production/effects/RobotController.h"

#include <algorithm>

RobotController::RobotController(int robotCount, int formationCount)
    : robots(static_cast<size_t>(robotCount)),
      formations(static_cast<size_t>(formationCount), RobotFormation(robotCount)) {}

const RobotFormation& RobotController::formationNear(int i) const {
  return formations[static_cast<size_t>(std::clamp(i, 0, getNumFormations() - 1))];
}

void RobotController::updatePositions(int from, int to, float t) {
  if (formations.empty()) return;
  const RobotFormation& a = formationNear(from);
  const RobotFormation& b = formationNear(to);
  for (int i = 0; i < getNumRobots(); ++i) {
    Robot& robot = robots[static_cast<size_t>(i)];
    robot.setPosition(a.getPosition(i) + (b.getPosition(i) - a.getPosition(i)) * t + center);
    robot.setRotation(a.getRotation(i) + (b.getRotation(i) - a.getRotation(i)) * t);
  }
}
