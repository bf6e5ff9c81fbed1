// QNVGui: the launcher dialog, its mode list and callbacks.
#include "production/QNVGui.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Pixmap.H>
#include <SDL/SDL.h>

#include <algorithm>

#include "TarnveldLauncherLogo.xpm.h"

int QNVGui::screenWidth = 0;
int QNVGui::screenHeight = 0;
int QNVGui::aspectWidth = 0;
int QNVGui::aspectHeight = 0;
int QNVGui::antialiasing = 0;
bool QNVGui::fullscreen = true;
bool QNVGui::vsync = true;
bool QNVGui::quit = true;
std::vector<QNVGui::Mode> QNVGui::screenModes;

namespace {

// Aspect classes from the widest down: a mode belongs to the first whose ratio it reaches.
struct AspectClass {
  float minRatio;
  const char* label;
  int width;
  int height;
};
const AspectClass aspectClasses[] = {
    {16.0f / 9.0f, "(16:9)", 16, 9}, {1.6f, "(16:10)", 16, 10}, {4.0f / 3.0f, "(4:3)", 4, 3}, {1.25f, "(5:4)", 5, 4}};

const AspectClass* aspectClassOf(int w, int h) {
  if (h <= 0) return nullptr;
  const float ratio = static_cast<float>(w) / static_cast<float>(h);
  for (const AspectClass& c : aspectClasses) {
    if (ratio >= c.minRatio) return &c;
  }
  return nullptr;
}

// Listed when the display gives no mode list of its own.
const QNVGui::Mode commonModes[] = {{3840, 2160}, {2560, 1440}, {1920, 1080}, {1600, 900}, {1366, 768},
                                    {1280, 720},  {2560, 1600}, {1920, 1200}, {1680, 1050}, {1440, 900},
                                    {1280, 800},  {1600, 1200}, {1400, 1050}, {1024, 768},  {800, 600},
                                    {640, 480}};

const Fl_Color labelWhite = FL_WHITE;
const Fl_Color darkRed = fl_rgb_color(196, 0, 0);
const char* const antialiasingEntries[] = {"None", "2x", "4x", "6x", "8x"};

// Bold white label, black background, white text: the dialog's look.
template <class W>
W* styled(W* widget, Fl_Align align) {
  widget->labelfont(FL_HELVETICA_BOLD);
  widget->labelcolor(labelWhite);
  widget->color(FL_BLACK);
  widget->align(align);
  return widget;
}

void hideAllWindows() {
  while (Fl_Window* window = Fl::first_window()) window->hide();
}

void mainScreenSize(int& w, int& h) {
  int x, y;
  Fl::screen_xywh(x, y, w, h, 0);
}

}  // namespace

QNVGui::QNVGui(int w, int h, const char* title) : Fl_Double_Window(0, 0, w, h, title) {
  int screenW, screenH;
  mainScreenSize(screenW, screenH);
  position((screenW - w) / 2, (screenH - h) / 2);
  color(FL_BLACK);
  getScreenmodes();
  addWidgets();
  end();
  show();
}

QNVGui::~QNVGui() = default;

void QNVGui::addWidgets() {
  logo = std::make_unique<Fl_Pixmap>(tarnveld_launcher_logo_xpm);
  Fl_Box* picture = new Fl_Box(0, 0, 300, 200);
  picture->image(logo.get());

  Fl_Choice* modes = styled(new Fl_Choice(50, 230, 200, 25, "Available resolutions:"), FL_ALIGN_TOP);
  modes->textcolor(FL_WHITE);
  modes->callback(screenMode_CB);
  for (const Mode& mode : screenModes) {
    aspect = aspectLabel(mode.width, mode.height);
    modes->add((std::to_string(mode.width) + " X " + std::to_string(mode.height) + " " + aspect).c_str());
  }
  if (!screenModes.empty()) modes->value(0);
  chooseFirstMode();

  Fl_Check_Button* full = styled(new Fl_Check_Button(150, 265, 100, 30, "Fullscreen: "), FL_ALIGN_LEFT);
  full->value(1);
  full->tooltip("Enable to view in fullscreen.");
  full->when(FL_WHEN_CHANGED);
  full->callback(Fullscreen_CB);
  Fl_Check_Button* sync = styled(new Fl_Check_Button(150, 295, 100, 30, "Vertical sync: "), FL_ALIGN_LEFT);
  sync->value(1);
  sync->tooltip("Enable to force Wait for Vertical Sync.");
  sync->when(FL_WHEN_CHANGED);
  sync->callback(VSync_CB);

  Fl_Choice* samples = styled(new Fl_Choice(150, 330, 100, 25, "Antialiasing: "), FL_ALIGN_LEFT);
  samples->textcolor(FL_WHITE);
  for (const char* entry : antialiasingEntries) samples->add(entry);
  samples->value(0);
  samples->callback(antialiasing_CB);

  Fl_Button* start = styled(new Fl_Button(50, 380, 95, 40, "Start!"), FL_ALIGN_CENTER);
  start->labelcolor(darkRed);
  start->tooltip("Starts the Demo with the chosen resolution.");
  start->callback(Initiate_CB);
  Fl_Button* halt = styled(new Fl_Button(155, 380, 95, 40, "Halt!"), FL_ALIGN_CENTER);
  halt->labelcolor(darkRed);
  halt->tooltip("Exit without watching the Demo.");
  halt->callback(Exit_CB);
}

// The first mode is the choice until the viewer picks another; with no mode at all, the desktop.
void QNVGui::chooseFirstMode() {
  if (screenModes.empty()) {
    mainScreenSize(screenWidth, screenHeight);
  } else {
    screenWidth = screenModes.front().width;
    screenHeight = screenModes.front().height;
  }
}

void QNVGui::getScreenmodes() {
  screenModes.clear();
  SDL_Rect** modes = nullptr;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    SDL_PixelFormat format{};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    modes = SDL_ListModes(&format, SDL_FULLSCREEN | SDL_HWSURFACE);
  }
  if (modes == nullptr || modes == reinterpret_cast<SDL_Rect**>(-1)) {
    int w, h;
    mainScreenSize(w, h);
    screenModes = fallbackModes(w, h);
    return;
  }
  for (int i = 0; modes[i] != nullptr; ++i) screenModes.push_back({modes[i]->w, modes[i]->h});
}

std::vector<QNVGui::Mode> QNVGui::fallbackModes(int desktopWidth, int desktopHeight) {
  std::vector<Mode> fitting;
  for (const Mode& mode : commonModes) {
    if (mode.width <= desktopWidth && mode.height <= desktopHeight) fitting.push_back(mode);
  }
  std::stable_sort(fitting.begin(), fitting.end(), [](const Mode& a, const Mode& b) {
    return static_cast<long>(a.width) * a.height > static_cast<long>(b.width) * b.height;
  });
  return fitting;
}

std::string QNVGui::aspectLabel(int w, int h) {
  const AspectClass* c = aspectClassOf(w, h);
  return c != nullptr ? c->label : "";
}

void QNVGui::screenMode_CB(Fl_Widget* widget, void*) {
  const int entry = static_cast<Fl_Choice*>(widget)->value();
  if (entry < 0 || entry >= static_cast<int>(screenModes.size())) return;
  screenWidth = screenModes[static_cast<size_t>(entry)].width;
  screenHeight = screenModes[static_cast<size_t>(entry)].height;
  if (const AspectClass* c = aspectClassOf(screenWidth, screenHeight)) {
    aspectWidth = c->width;
    aspectHeight = c->height;
  }
}

void QNVGui::Fullscreen_CB(Fl_Widget* widget, void*) { fullscreen = static_cast<Fl_Check_Button*>(widget)->value() != 0; }

void QNVGui::VSync_CB(Fl_Widget* widget, void*) { vsync = static_cast<Fl_Check_Button*>(widget)->value() != 0; }

void QNVGui::antialiasing_CB(Fl_Widget* widget, void*) { antialiasing = 2 * static_cast<Fl_Choice*>(widget)->value(); }

void QNVGui::Initiate_CB(Fl_Widget*, void*) {
  quit = false;
  hideAllWindows();
}

void QNVGui::Exit_CB(Fl_Widget*, void*) {
  quit = true;
  hideAllWindows();
}
