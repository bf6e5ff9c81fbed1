// Demo: the frame loop and its event handling.
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <iostream>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/ResourceLoader.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/timeline/Time.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystem.h"

void Demo::startRun() {
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  ParameterGroup* system = QNVDemosys::parameters->getGroup("system");
  if (system != nullptr && system->exist("stop")) {
    QNVDemosys::stopTime.setTimeAsString(system->getParameter("stop"));
  } else {
    QNVDemosys::stopTime.setMinutes(30);
  }
  loader->initDemo();
}

void Demo::run() {
  if (invalid) return;
  startRun();
  QNVDemosys::fpstime = SDL_GetTicks();
  Timer* timer = QNVDemosys::timer;
  while (!QNVDemosys::checkQuit()) {
    timer->updateSystem();
    unsigned time = timer->getTime();
    unsigned row = timer->getRow();
    unsigned frameTime = timer->updateFrameTime(time);
    if (time > QNVDemosys::stopTime.getTicks()) QNVDemosys::setQuit(true);
    drawFrame(time, row, frameTime);
  }
  std::cout << "Duration : " << Time(timer->getTime()).toString() << std::endl;
  std::cout << "FPS = " << QNVDemosys::getFPS(SDL_GetTicks()) << std::endl;
}

void Demo::drawFrame(unsigned time, unsigned row, unsigned frameTime) {
  renderFrame(time, row, frameTime);
  present();
}

void Demo::renderFrame(unsigned time, unsigned row, unsigned frameTime) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  QNVDemosys::screenMetrics->setView();
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  keyEvents();
  QNVDemosys::tracks->processSystem(time, row, frameTime);
  glFlush();
  QNVDemosys::fboPool->clearFlaggedFBOs();
}

void Demo::present() {
  SDL_GL_SwapBuffers();
  ++QNVDemosys::frames;
}

// A quit request (the window's close control, or SIGINT/SIGTERM, which SDL turns into the same
// event) ends the run like Escape: otherwise a viewer closing the window or a script stopping
// the demo would have to kill it, and the shut-down lines would never be printed.
void Demo::keyEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (eventHandler && eventHandler(event)) continue;
    if (event.type == SDL_QUIT || (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) {
      QNVDemosys::setQuit(true);
    } else if (event.type == SDL_VIDEORESIZE) {
      std::cout << "Screen resize (" << event.resize.w << "," << event.resize.h << ")" << std::endl;
      QNVDemosys::screenMetrics->resize(event.resize.w, event.resize.h);
    }
  }
}
