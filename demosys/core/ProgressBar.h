// The engine's plain loading progress bar: a white outline, a black inside and a white fill drawn
// across the bottom of the screen and presented at once on every tick. Productions derive their
// own display; the files a display loads for itself are listed for the packing script.
// Depends on: OpenGL (fixed function), SDL 1.2 (buffer swap).
#pragma once

#include <string>
#include <vector>

class ProgressBar {
 public:
  ProgressBar();
  explicit ProgressBar(int ticks);
  ProgressBar(float height, float width, float y, int ticks);
  virtual ~ProgressBar() = default;

  virtual void draw();
  virtual void loadData() {}

  void setTicks(int ticks) { totalTicks = ticks; }
  // Advances one step and redraws; ticks past the total are ignored.
  void tick();
  int getResourceCount() const { return static_cast<int>(resources.size()); }
  // "" when index is out of range.
  std::string getResource(int index) const;
  float getProgress() const { return progress; }
  int getCurrentTick() const { return currentTick; }
  int getTotalTicks() const { return totalTicks; }

 protected:
  float barHeight = 0.125f;
  float barWidth = 1.8f;
  float barY = -0.9f;
  float progress = 0.0f;
  int totalTicks = 1;
  int currentTick = 0;
  std::vector<std::string> resources;

 private:
  static void quad(float left, float right, float bottom, float top);
};
