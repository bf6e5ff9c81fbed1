// Process-wide shared state of the engine: static members only.
// Depends on: ScreenMetrics, GLU (error texts).
#pragma once

#include <string>

class ScreenMetrics;

class QNVDemosys {
 public:
  // The window's screen mode and view; set when the display opens.
  static ScreenMetrics* screenMetrics;

  // Prints every pending OpenGL error tagged with location; true when there was none.
  static bool glErrPrint(const std::string& location);
};
