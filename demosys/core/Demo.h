// The engine's application object: builds the resource loader and its pools, then drives a demo
// through load, init, run (the frame loop) and dispose. Every phase tests the invalid flag, so a
// failure anywhere ends in dispose's report; the process still ends normally. The window outlives
// the content: disposing the content leaves it open, and a later demo loaded in the same process
// draws into it with the same GL context (a development player rebuilds its demo this way).
// Depends on: ResourceLoader, QNVDemosys, ScreenMetrics, Timer, TrackSystem, DataFBOPool,
// SdlTickSource, GLEW, SDL 1.2.
#pragma once

#include <functional>
#include <string>
#include <utility>

class Effect;
class ResourceLoader;
class ScreenMetrics;
union SDL_Event;

class Demo {
 public:
  // Only the first argument after the program name is read: the script's name in
  // "resources/scripts/". argv ends with a null entry.
  Demo(int argc, char* argv[]);
  ~Demo();
  Demo(const Demo&) = delete;
  Demo& operator=(const Demo&) = delete;

  // Registers a template under its class name; the template pool owns it.
  void addEffect(const std::string& name, Effect* effect);
  void setWindowTitle(const std::string& title) { windowTitle = title; }
  bool load(ScreenMetrics* metrics, int resourceType);
  void init();
  void run();
  // The content's shut-down (report, loader, pools, tracks, timer), then the window's.
  bool dispose();
  // Shut-down of the content only: the window and its GL context stay for the next demo.
  void disposeContent();
  // Closes the window and SDL after the last demo's content is gone.
  static void closeWindow();
  bool isValid() const { return !invalid; }
  void debug(bool on) { debugMode = on; }

  // The fixed GL state of a run and the start position: what run does before its first frame.
  void startRun();
  // One frame of the timeline at time/row, drawn and presented.
  void drawFrame(unsigned time, unsigned row, unsigned frameTime);
  // The frame drawn into the back buffer, not yet presented (capture tools read it here).
  void renderFrame(unsigned time, unsigned row, unsigned frameTime);
  void present();
  void keyEvents();
  // Every event keyEvents drains goes to handler first, and one it returns true for is taken (a
  // development player's keys); the rest are handled as in the production.
  void setEventHandler(std::function<bool(const SDL_Event&)> handler) { eventHandler = std::move(handler); }
  ResourceLoader* getLoader() const { return loader; }
  const std::string& getLoaderMessage() const { return loaderMessage; }

 private:
  bool loadSteps();

  ResourceLoader* loader = nullptr;
  std::string scriptFile = "demoscript.txt";
  std::string scriptPath = "resources/scripts/";
  std::string loaderMessage;
  std::string windowTitle = "Quenvar Demosystem";
  bool invalid = false;
  bool debugMode = false;
  std::function<bool(const SDL_Event&)> eventHandler;
};
