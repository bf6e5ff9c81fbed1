// QNVDemosys: shared state and the GL error printer.
#include "demosys/core/QNVDemosys.h"

#include <GL/glu.h>

#include <iostream>

ScreenMetrics* QNVDemosys::screenMetrics = nullptr;
TrackSystem* QNVDemosys::tracks = nullptr;
Timer* QNVDemosys::timer = nullptr;
Data* QNVDemosys::data = nullptr;
DataFBOPool* QNVDemosys::fboPool = nullptr;

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
