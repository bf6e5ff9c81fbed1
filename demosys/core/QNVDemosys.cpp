// QNVDemosys: shared state, display opening, frame rate and the GL error printer.
#include "demosys/core/QNVDemosys.h"

#include <GL/glu.h>
#include <SDL/SDL.h>
#include <stdlib.h>

#include <iostream>

#include "demosys/camera/Camera.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"

Parameters* QNVDemosys::parameters = nullptr;
Parameters* QNVDemosys::effects = nullptr;
Data* QNVDemosys::data = nullptr;
DataObjectPool* QNVDemosys::objectPool = nullptr;
DataTexturePool* QNVDemosys::texturePool = nullptr;
DataAnimationPool* QNVDemosys::animationPool = nullptr;
DataEffectPool* QNVDemosys::effectTemplatePool = nullptr;
DataEffectPool* QNVDemosys::effectPool = nullptr;
DataBinaryPool* QNVDemosys::binaryPool = nullptr;
DataShaderPool* QNVDemosys::shaderPool = nullptr;
DataFBOPool* QNVDemosys::fboPool = nullptr;
ShaderCache* QNVDemosys::shaderCache = nullptr;
ProgressBar* QNVDemosys::pBar = nullptr;
Timer* QNVDemosys::timer = nullptr;
TrackSystem* QNVDemosys::tracks = nullptr;
ScreenMetrics* QNVDemosys::screenMetrics = nullptr;
SDL_Surface* QNVDemosys::screen = nullptr;
GLExtensions* QNVDemosys::glExtensions = nullptr;
std::string QNVDemosys::message;
Time QNVDemosys::stopTime;
bool QNVDemosys::quit = false;
unsigned QNVDemosys::frames = 0;
unsigned QNVDemosys::fpstime = 0;
Camera QNVDemosys::camera;
Camera QNVDemosys::syscamera;

float QNVDemosys::getFPS(unsigned nowTicks) {
  unsigned seconds = (nowTicks - fpstime) / 1000;
  return static_cast<float>(frames) / static_cast<float>(seconds);
}

// sdl12-compat draws OpenGL programs into its own framebuffer and scales that to the window unless
// told otherwise; framebuffer 0 would then not be what the window shows, and the render-target
// stack returns to framebuffer 0. A user's own setting is kept.
bool QNVDemosys::initVideo(ScreenMetrics* metrics) {
  screenMetrics = metrics;
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) {
    message = std::string("Failed to initialize SDL!\n") + SDL_GetError();
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  return true;
}

bool QNVDemosys::setMode(ScreenMetrics* metrics, unsigned flags) {
  SDL_Surface* surface = SDL_SetVideoMode(metrics->getWidth(), metrics->getHeight(), 32, flags);
  if (surface == nullptr) {
    message = std::string("Failed to set screenmode!\n") + SDL_GetError();
    std::cout << message << std::endl;
    return false;
  }
  screen = surface;
  return true;
}

bool QNVDemosys::windowOpen(ScreenMetrics* metrics, const std::string& title, const char* icon) {
  if (!initVideo(metrics)) return false;
  if (metrics->getFSAASamples() > 0) {
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 4);
  }
  if (metrics->getVSync()) SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
  if (!setMode(metrics, SDL_OPENGL | SDL_RESIZABLE)) return false;
  SDL_WM_SetCaption(title.c_str(), icon);
  SDL_ShowCursor(SDL_DISABLE);
  return true;
}

bool QNVDemosys::screenOpen(ScreenMetrics* metrics) {
  if (!initVideo(metrics)) return false;
  if (!metrics->getVSyncOverride()) {
    ParameterGroup* group = parameters != nullptr ? parameters->getGroup("screen") : nullptr;
    std::string value = (group != nullptr && group->exist("vsync")) ? group->getParameter("vsync") : "";
    metrics->setVSync(value == "true" || value == "1");
  }
  if (metrics->getVSync()) SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
  if (metrics->getFSAASamples() > 0) {
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, metrics->getFSAASamples());
  }
  if (!setMode(metrics, SDL_OPENGL | SDL_FULLSCREEN)) return false;
  SDL_ShowCursor(SDL_DISABLE);
  return true;
}

void QNVDemosys::shutDown() {
  SDL_Quit();
  screen = nullptr;
}

bool QNVDemosys::glErrPrint(const std::string& location) {
  GLenum error = glGetError();
  if (error == GL_NO_ERROR) return true;
  while (error != GL_NO_ERROR) {
    std::cout << "[GL_ERROR LOCATION = '" << location << "']" << std::endl;
    const GLubyte* text = gluErrorString(error);
    if (text != nullptr) {
      std::cout << "[GL_ERROR CODE " << error << "] '" << text << "' in ->" << std::endl;
    } else {
      std::cout << "[GL_ERROR CODE UNKNOWN]" << std::endl;
    }
    error = glGetError();
  }
  return false;
}
