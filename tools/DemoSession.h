// A Tarnveld demo loaded by a tool exactly as the program loads it (same loader, same loading
// display, same console lines, no launcher) into a window of a chosen size, from the directory
// tree or the archive. The session disposes the demo (the shut-down report included) when it ends;
// a session made on shared screen metrics leaves the window open for the next session. Without a
// display the window opens on a virtual screen.
// Depends on: Demo, ScreenMetrics, QNVIO, TarnveldEntry, VirtualScreen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "demosys/core/Demo.h"
#include "demosys/core/ScreenMetrics.h"

class DemoSession {
 public:
  // Opens its own window of that size and closes it at the end.
  DemoSession(const std::string& script, int width, int height);
  // Loads into the window of metrics (opening it when none is open yet) and leaves it open.
  DemoSession(const std::string& script, ScreenMetrics& shared);
  ~DemoSession();
  DemoSession(const DemoSession&) = delete;
  DemoSession& operator=(const DemoSession&) = delete;

  // True when the demo loaded; otherwise prints "demosys TOOL: the demo failed to load" and the
  // loader's message.
  bool load(bool archive, const std::string& tool);
  Demo& demo() { return *demoObject; }

 private:
  ScreenMetrics ownMetrics;
  ScreenMetrics* metrics;
  bool closesWindow;
  std::string scriptName;
  std::unique_ptr<Demo> demoObject;
};


// Options every loading tool takes: [--archive] [--root DIR] [--script NAME]; consumes them from
// args at i and returns true when args[i] was one of them.
struct DemoSource {
  bool archive = false;
  std::string root = ".";
  std::string script = "demoscript.txt";
  bool take(const std::vector<std::string>& args, std::size_t& i);
  // Enters root; false with a line on standard error when it cannot.
  bool enter(const std::string& tool) const;
};
