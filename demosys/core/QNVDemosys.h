// Process-wide shared state of the engine: static members only.
// Depends on: ScreenMetrics, GLU (error texts).
#pragma once

#include <string>

class Data;
class DataFBOPool;
class ScreenMetrics;
class Timer;
class TrackSystem;

class QNVDemosys {
 public:
  // The window's screen mode and view; set when the display opens.
  static ScreenMetrics* screenMetrics;
  // The timeline: built from the track files while loading; its row rate serves every row/time
  // conversion.
  static TrackSystem* tracks;
  // The single clock of the demo, created by the loader's sound step.
  static Timer* timer;
  // Registry of the data pools by name ("effectTemplatePool", ...); the script parser finds the
  // registered effect classes there.
  static Data* data;
  // Framebuffers by name; start/stop keyframes resolve their targets here.
  static DataFBOPool* fboPool;

  // Prints every pending OpenGL error tagged with location; true when there was none.
  static bool glErrPrint(const std::string& location);
};
