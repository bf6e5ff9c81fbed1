// The launcher dialog shown before the demo opens its window: a fullscreen resolution from the
// display's modes, fullscreen or window, vertical sync, antialiasing, and "Start!" or "Halt!".
// The choices live in statics the entry function reads once the FLTK event loop has returned;
// quit starts true, so any way of closing the dialog but "Start!" means quit.
// Depends on: FLTK 1.3 (double-buffered window, choices, check buttons, pixmap), SDL 1.2 (the
// fullscreen mode list), the generated picture TarnveldLauncherLogo.xpm.h.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <memory>
#include <string>
#include <vector>

class Fl_Pixmap;
class Fl_Widget;

class QNVGui : public Fl_Double_Window {
 public:
  struct Mode {
    int width;
    int height;
  };

  // Centred on the screen, every widget in place, the first mode chosen; shown.
  QNVGui(int w, int h, const char* title);
  ~QNVGui() override;

  static int getScreenWidth() { return screenWidth; }
  static int getScreenHeight() { return screenHeight; }
  static int getAspectWidth() { return aspectWidth; }
  static int getAspectHeight() { return aspectHeight; }
  static int getAntialiasing() { return antialiasing; }
  static bool getFullscreen() { return fullscreen; }
  static bool getVSync() { return vsync; }
  static bool checkQuit() { return quit; }

  // The display's fullscreen modes at 32 bits per pixel; when it reports none or any size, the
  // common modes that fit the desktop (fallbackModes).
  static void getScreenmodes();
  // 16:9, 16:10 and 4:3 modes no larger than the desktop, largest first.
  static std::vector<Mode> fallbackModes(int desktopWidth, int desktopHeight);
  // "(16:9)", "(16:10)", "(4:3)", "(5:4)" or empty, by the mode's width to height ratio.
  static std::string aspectLabel(int w, int h);

  static void screenMode_CB(Fl_Widget* widget, void*);
  static void Fullscreen_CB(Fl_Widget* widget, void*);
  static void VSync_CB(Fl_Widget* widget, void*);
  static void antialiasing_CB(Fl_Widget* widget, void*);
  static void Initiate_CB(Fl_Widget*, void*);
  static void Exit_CB(Fl_Widget*, void*);

  static int screenWidth;
  static int screenHeight;
  static int aspectWidth;
  static int aspectHeight;
  static int antialiasing;
  static bool fullscreen;
  static bool vsync;
  static bool quit;
  static std::vector<Mode> screenModes;

 private:
  void addWidgets();
  void chooseFirstMode();

  std::unique_ptr<Fl_Pixmap> logo;
  // The aspect label of the list entry being built.
  std::string aspect;
};
