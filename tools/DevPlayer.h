// The development player behind `demosys play`: loads a demo exactly as the program does and plays
// it in a window with the development overlay and keys (pause, seeks, loop, slow motion, shader
// reload). It watches what the demo was made from and rebuilds under the living window: a saved
// timeline text or a rebuilt track pack replaces the tracks in place, a changed demo script or
// definition file re-creates the demo's content; the position is kept and a file with an error
// leaves the running demo alone and shows the error. It reads the files the program reads and
// writes none. Every action prints one "play: " line on standard output and shows it on screen.
// Depends on: DemoSession, PlaybackControl, DevOverlay, FileWatch, TrackText, TrackSystemIO,
// DemoScriptParser, QNVDemosys, SDL 1.2.
#pragma once

#include <memory>
#include <string>

#include "demosys/core/ScreenMetrics.h"
#include "tools/DemoSession.h"
#include "tools/DevOverlay.h"
#include "tools/FileWatch.h"
#include "tools/PlaybackControl.h"

union SDL_Event;

class DevPlayer {
 public:
  struct Options {
    DemoSource source;
    int width = 1280;
    int height = 720;
    // The timeline text the track pack was compiled from ("" when none is watched), a path that
    // stays valid after entering the source's root.
    std::string timeline;
  };

  explicit DevPlayer(const Options& options);
  ~DevPlayer();
  DevPlayer(const DevPlayer&) = delete;
  DevPlayer& operator=(const DevPlayer&) = delete;

  // Plays until Escape or the window is closed; false when the demo did not load at first.
  bool run();

 private:
  // DevPlayer.cpp: frames and keys.
  void frame();
  bool handleEvent(const SDL_Event& event);
  bool handleKey(int key, int modifiers);
  void say(const std::string& line);
  void sayPosition(const std::string& what);

  // DevPlayer_reload.cpp: loading and the rebuilds.
  bool loadDemo();
  void watchFiles();
  void pollFiles();
  void recreateDemo();
  bool scriptParses(std::string& error) const;
  void reloadShaders();
  void reloadTimelineText();
  void reloadTrackPack();
  int resourceType() const;

  Options options;
  ScreenMetrics metrics;
  std::unique_ptr<DemoSession> session;
  bool loaded = false;
  unsigned startTime = 0;
  PlaybackControl control;
  std::unique_ptr<DevOverlay> overlay;
  FileWatch contentFiles;
  FileWatch packFiles;
  FileWatch timelineFile;
  unsigned lastPoll = 0;
  unsigned lastFrame = 0;
};
