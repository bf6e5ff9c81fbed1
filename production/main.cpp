// Tarnveld: entry point of the production. The launcher dialog lets the viewer choose the screen
// mode; "Halt!" or closing it ends the program, "Start!" runs the demo with those choices. The
// exit status is always 0, without a display too.
// Depends on: QNVGui, TarnveldEntry, ScreenMetrics, FLTK and Xlib (the display).
#include <FL/Fl.H>
#include <FL/x.H>

#include <iostream>

#include "demosys/core/ScreenMetrics.h"
#include "production/QNVGui.h"
#include "production/TarnveldEntry.h"

int main(int argc, char* argv[]) {
  ScreenMetrics metrics;
  // FLTK ends the process with an error of its own when it finds no display: ask first.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::cout << "No display to show the launcher on: Tarnveld needs a graphical desktop (DISPLAY)" << std::endl;
    return 0;
  }
  fl_open_display(display);
  QNVGui launcher(300, 450, "Quenvar Demosys v.1.0");
  Fl::scheme("gtk+");
  Fl::run();
  transferLauncherChoices(metrics);
  if (QNVGui::checkQuit()) {
    std::cout << "Quit demo" << std::endl;
    return 0;
  }
  return runTarnveld(argc, argv, metrics);
}
