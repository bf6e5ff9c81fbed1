// The screen a GL tool draws on when the machine has none: with no DISPLAY set, a private Xvfb
// server is started once (the first free display number, chosen by the server itself) and DISPLAY
// pointed at it, so `render`, `pack script`, `scene render` and `check --gl` work on a headless
// machine as they do under a desktop. The server is stopped when the tool exits.
// Depends on: POSIX (posix_spawnp, pipe, kill), the Xvfb program.
#pragma once

#include <string>

class VirtualScreen {
 public:
  // True when a display is there (given, or started now); false with a reason otherwise.
  static bool ensure(std::string& problem);
};
