// The steps of the tarnveld program after its launcher dialog: the viewer's choices into the
// screen metrics, and the demo built, loaded and run as the production (loading display, effect
// templates, window title). Shared by the program and the tools and tests that skip the dialog.
// Depends on: Demo, ScreenMetrics, QNVGui, TarnveldEffects, TarnveldProgressBar,
// TarnveldShaderCache, QNVIO.
#pragma once

#include <memory>

class Demo;
class ScreenMetrics;

// Resolution, fullscreen, vertical sync and antialiasing from the closed launcher; the script's
// "fullscreen" and "vsync" keys then no longer count.
void transferLauncherChoices(ScreenMetrics& metrics);
// The demo for the process arguments with Tarnveld's loading display, shader cache, effect
// templates and title.
std::unique_ptr<Demo> createTarnveldDemo(int argc, char* argv[]);
// "Run demo", then the demo through load, init, run and dispose in a screen of metrics; 0.
int runTarnveld(int argc, char* argv[], ScreenMetrics& metrics);
