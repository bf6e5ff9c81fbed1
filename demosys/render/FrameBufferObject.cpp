// FrameBufferObject: EXT framebuffer with colour texture and optional depth, and the bind stack.
#include "demosys/render/FrameBufferObject.h"

#include <GL/glew.h>

#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Texture.h"
#include "qnvutils/QNVUtils.h"

std::deque<FrameBufferObject*> FrameBufferObject::fboStack;

FrameBufferObject::FrameBufferObject() : valid(true) {}

FrameBufferObject::FrameBufferObject(int width, int height, bool depth, bool stencil)
    : depth(depth), stencil(stencil), width(width), height(height) {
  glGenFramebuffersEXT(1, &framebuffer);
  colorBuffer = new Texture(width, height, GL_RGBA, GL_RGBA);
  colorBuffer->setType(GL_TEXTURE_2D);
  if (depth) glGenRenderbuffersEXT(1, &depthRenderBuffer);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
  glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, colorBuffer->getID(),
                            0);
  if (depth) {
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthRenderBuffer);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                 depthRenderBuffer);
  }
  fboStatus();
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

FrameBufferObject::~FrameBufferObject() {
  delete colorBuffer;
  if (depth) glDeleteRenderbuffersEXT(1, &depthRenderBuffer);
  if (framebuffer != 0) glDeleteFramebuffersEXT(1, &framebuffer);
}

static const char* statusText(GLenum status) {
  switch (status) {
    case GL_FRAMEBUFFER_COMPLETE_EXT:
      return "Framebuffer is complete.";
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT:
      return "Framebuffer incomplete attachment";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT:
      return "Framebuffer missing attachment";
    case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT:
      return "Framebuffer unsupported dimension.";
    case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT:
      return "Framebuffer incoplete formats.";
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT:
      return "Framebuffer incomplete draw buffer.";
    case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT:
      return "Framebuffer incomplete read buffer";
    case GL_FRAMEBUFFER_UNSUPPORTED_EXT:
      return "Framebuffer unsupported. Try another format.";
    default:
      return "Unknown framebuffer errror.";
  }
}

bool FrameBufferObject::fboStatus() {
  GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
  statusMessage = statusText(status);
  valid = status == GL_FRAMEBUFFER_COMPLETE_EXT;
  if (!valid)
    std::cout << "FBO " << statusMessage << "(" << status << ")"
              << " = "
              << "false" << std::endl;
  return valid;
}

void FrameBufferObject::bind() {
  if (debug) std::cout << "FBO Bind " << framebuffer << " - " << fboStack.size() << std::endl;
  if (!valid) return;
  fboStack.push_back(this);
  if (fboStack.size() > maxStackDepth)
    std::cout << "FBO: Overflow? " << fboStack.size() << " in stack" << std::endl;
  if (debug) {
    std::cout << std::string(fboStack.size(), ' ') << "Binding : (" << framebuffer << ") " << toString()
              << std::endl;
  }
  glViewport(0, 0, width, height);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
}

void FrameBufferObject::release() {
  if (fboStack.empty()) {
    std::cout << "FBO : *** STACK ERROR : Stack is already empty. Possible underflow ***" << std::endl;
    return;
  }
  FrameBufferObject* top = fboStack.back();
  if (top != this) {
    std::cout << "FBO : *** STACK ERROR : " << top->toString() << " is not " << toString() << " ***"
              << std::endl;
    return;
  }
  fboStack.pop_back();
  if (fboStack.empty()) {
    if (debug) std::cout << "Stack is empty, ok!" << std::endl;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    if (QNVDemosys::screenMetrics != nullptr) QNVDemosys::screenMetrics->setView();
    return;
  }
  top = fboStack.back();
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, top->framebuffer);
  glViewport(0, 0, top->width, top->height);
}

void FrameBufferObject::clear() {
  clearFlag = false;
  if (debug) std::cout << "FrameBufferObject::clear()" << std::endl;
  if (depth) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  } else {
    if (debug) std::cout << "FrameBufferObject::clearColorBuffer()" << std::endl;
    glClear(GL_COLOR_BUFFER_BIT);
  }
}

void FrameBufferObject::clearColorBuffer() {
  if (debug) std::cout << "FrameBufferObject::clearColorBuffer()" << std::endl;
  glClear(GL_COLOR_BUFFER_BIT);
}

void FrameBufferObject::clearRenderBuffer() {
  if (debug) std::cout << "FrameBufferObject::clearRenderBuffer()" << std::endl;
  glClear(GL_DEPTH_BUFFER_BIT);
}

void FrameBufferObject::setClearFlag(bool flag) { clearFlag = flag; }

bool FrameBufferObject::hasClearFlag() const { return clearFlag; }

void FrameBufferObject::bindColorBuffer() {
  if (valid) colorBuffer->bind();
}

void FrameBufferObject::draw() { draw(1.0f); }

void FrameBufferObject::draw(float size) {
  if (!valid) return;
  GLint matrixMode = GL_MODELVIEW;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  NdcMatrices::push();
  colorBuffer->bind();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-size, -size);
  glTexCoord2f(1, 0);
  glVertex2f(size, -size);
  glTexCoord2f(1, 1);
  glVertex2f(size, size);
  glTexCoord2f(0, 1);
  glVertex2f(-size, size);
  glEnd();
  colorBuffer->release();
  NdcMatrices::pop();
  glMatrixMode(matrixMode);
}

std::string FrameBufferObject::toString() const {
  return "FrameBufferObject(" + QNVUtils::int2string(width) + "," + QNVUtils::int2string(height) +
         ",COLOR_BUFFER" + (depth ? ",DEPTH_BUFFER" : "") + (stencil ? ",STENCIL_BUFFER" : "") + ")";
}
