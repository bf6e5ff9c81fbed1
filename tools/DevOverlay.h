// The development player's overlay, drawn over the finished picture in the back buffer just before
// it is shown (never into the demo's render targets): the position as m:ss:mmm and row, pause,
// speed and loop state, the effects drawn this frame in drawing order with their priorities and
// targets, a graph of the last seconds' frame times and the last message. All GL state it changes
// is restored; a frame's drawing allocates nothing.
// Depends on: OverlayFont, PlaybackControl, TrackSystem (the active groups), OpenGL.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/OverlayFont.h"

class PlaybackControl;
class TrackSystem;

class DevOverlay {
 public:
  // Frames the graph covers: four seconds at 60 frames a second.
  static constexpr int graphFrames = 240;
  // Message lines shown at most (a compile log is cut there; the console has all of it).
  static constexpr int messageLines = 12;

  DevOverlay();
  bool isValid() const { return font.isValid(); }
  const std::string& getErrorMessage() const { return font.getErrorMessage(); }

  void toggle() { visible = !visible; }
  bool isVisible() const { return visible; }
  void setMessage(const std::string& text);
  // A frame's cost in milliseconds, for the graph.
  void addFrameTime(float milliseconds);

  // Draws into the current (window) framebuffer of width x height pixels; tracks may be null.
  void draw(const PlaybackControl& control, const TrackSystem* tracks, int width, int height) const;

 private:
  void drawPanel(float x, float y, float w, float h) const;
  void drawGraph(float x, float y, float h) const;
  float drawStatus(const PlaybackControl& control, float left, float y) const;
  float drawEffects(const TrackSystem& tracks, unsigned row, float x, float y) const;
  void drawMessage(float x, float y) const;

  OverlayFont font;
  bool visible = true;
  std::vector<std::string> message;
  std::array<float, graphFrames> frameTimes{};
  int nextFrame = 0;
};
