// Process-wide shared state of the engine: static members only. The loader fills in the
// parameter collections, pools, timer and tracks; the entry function installs the progress bar and
// shader cache; the display opening sets the screen; the main loop keeps the quit flag and counts.
// Depends on: Camera, ScreenMetrics, Time, SDL 1.2 (display, ticks), GLU (error texts).
#pragma once

#include <string>

#include "demosys/timeline/Time.h"

class Camera;
class Data;
class DataAnimationPool;
class DataBinaryPool;
class DataEffectPool;
class DataFBOPool;
class DataObjectPool;
class DataShaderPool;
class DataTexturePool;
class GLExtensions;
class Parameters;
class ProgressBar;
class ScreenMetrics;
class ShaderCache;
class Timer;
class TrackSystem;
struct SDL_Surface;

class QNVDemosys {
 public:
  // The script's "system_parameters" and "effect_parameters" collections.
  static Parameters* parameters;
  static Parameters* effects;
  // Registry of the data pools by name ("effectTemplatePool", ...); the script parser finds the
  // registered effect classes there.
  static Data* data;
  static DataObjectPool* objectPool;
  static DataTexturePool* texturePool;
  static DataAnimationPool* animationPool;
  static DataEffectPool* effectTemplatePool;
  static DataEffectPool* effectPool;
  static DataBinaryPool* binaryPool;
  static DataShaderPool* shaderPool;
  // Framebuffers by name; start/stop keyframes resolve their targets here.
  static DataFBOPool* fboPool;
  static ShaderCache* shaderCache;
  static ProgressBar* pBar;
  // The single clock of the demo, created by the loader's sound step.
  static Timer* timer;
  // The timeline: built from the track files while loading; its row rate serves every row/time
  // conversion.
  static TrackSystem* tracks;
  // The window's screen mode and view; set when the display opens.
  static ScreenMetrics* screenMetrics;
  static SDL_Surface* screen;
  static GLExtensions* glExtensions;
  // Last message of the system layer (display opening).
  static std::string message;
  static Time stopTime;
  static bool quit;
  static unsigned frames;
  static unsigned fpstime;
  // The scene camera the camera paths move, and a second one for the system's own use.
  static Camera camera;
  static Camera syscamera;

  static void setProgressBar(ProgressBar* bar) { pBar = bar; }
  static std::string getMessage() { return message; }
  static void setQuit(bool flag) { quit = flag; }
  static bool checkQuit() { return quit; }
  // Mean frame rate since the loop began, over whole seconds (infinity within the first second).
  static float getFPS(unsigned nowTicks);

  // Open a resizable window or a fullscreen mode for metrics; false with message set on failure.
  static bool windowOpen(ScreenMetrics* metrics, const std::string& title, const char* icon);
  static bool screenOpen(ScreenMetrics* metrics);
  static void shutDown();

  // Prints every pending OpenGL error tagged with location; true when there was none.
  static bool glErrPrint(const std::string& location);

 private:
  static bool initVideo(ScreenMetrics* metrics);
  static bool setMode(ScreenMetrics* metrics, unsigned flags);
};
