// GLExtensions: extension list and implementation limits of the current context.
#include "demosys/render/GLExtensions.h"

#include <GL/glew.h>

#include <iostream>

#include "qnvutils/StringTokenizer.h"

int GLExtensions::MAX_VERTEX_ATTRIBS = 0;
int GLExtensions::MAX_VERTEX_UNIFORM_COMPONENTS = 0;
int GLExtensions::MAX_VARYING_FLOATS = 0;
int GLExtensions::MAX_VERTEX_TEXTURE_IMAGE_UNITS = 0;
int GLExtensions::MAX_COMBINED_TEXTURE_IMAGE_UNITS = 0;
int GLExtensions::MAX_TEXTURE_COORDS = 0;
int GLExtensions::MAX_FRAGMENT_UNIFORM_COMPONENTS = 0;
int GLExtensions::MAX_TEXTURE_SIZE = 0;
int GLExtensions::MAX_VERTEX_SHADER_INSTRUCTIONS = 0;
int GLExtensions::MAX_FRAGMENT_LIGHTS = 0;

// From the vendor extensions' own headers; GLEW no longer defines them.
static const GLenum maxVertexShaderInstructionsEXT = 0x87C5;
static const GLenum maxFragmentLightsEXT = 0x8404;

// The start-up report runs before GLEW is initialised, so only the context's own string is asked.
static std::map<std::string, bool> contextExtensions() {
  std::map<std::string, bool> names;
  const GLubyte* text = glGetString(GL_EXTENSIONS);
  StringTokenizer tokens(text ? reinterpret_cast<const char*>(text) : "", " ");
  while (tokens.hasMoreTokens()) names[tokens.getNext()] = true;
  return names;
}

GLExtensions::GLExtensions() : supported(contextExtensions()) { getImplementationIndependentAPIValues(); }

static int integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

// Querying an enum the driver does not know would only raise GL_INVALID_ENUM.
static int vendorInteger(bool available, GLenum name) { return available ? integer(name) : 0; }

void GLExtensions::getImplementationIndependentAPIValues() {
  MAX_VERTEX_ATTRIBS = integer(GL_MAX_VERTEX_ATTRIBS_ARB);
  MAX_VERTEX_UNIFORM_COMPONENTS = integer(GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB);
  MAX_VARYING_FLOATS = integer(GL_MAX_VARYING_FLOATS_ARB);
  MAX_VERTEX_TEXTURE_IMAGE_UNITS = integer(GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB);
  MAX_COMBINED_TEXTURE_IMAGE_UNITS = integer(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB);
  MAX_TEXTURE_COORDS = integer(GL_MAX_TEXTURE_COORDS_ARB);
  MAX_FRAGMENT_UNIFORM_COMPONENTS = integer(GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB);
  MAX_TEXTURE_SIZE = integer(GL_MAX_TEXTURE_SIZE);
  std::map<std::string, bool> extensions = contextExtensions();
  MAX_VERTEX_SHADER_INSTRUCTIONS =
      vendorInteger(extensions.count("GL_EXT_vertex_shader") != 0, maxVertexShaderInstructionsEXT);
  MAX_FRAGMENT_LIGHTS =
      vendorInteger(extensions.count("GL_EXT_fragment_lighting") != 0, maxFragmentLightsEXT);
}

bool GLExtensions::isSupported(const std::string& name) const { return supported.count(name) != 0; }

void GLExtensions::addToChecklist(const std::string& name) { checklist.push_back(name); }

bool GLExtensions::isSupported() {
  missing.clear();
  for (const std::string& name : checklist) {
    if (!isSupported(name)) missing.push_back(name);
  }
  return missing.empty();
}

std::string GLExtensions::getErrorMessage() const {
  std::string message = "Error: Your OpenGL implementation is missing the following extensions :\n";
  for (const std::string& name : missing) message += " - " + name + "\n";
  return message;
}

void GLExtensions::printValues() {
  std::cout << "--- Implementation Independent API Values ---" << std::endl;
  std::cout << "GL_MAX_VERTEX_ATTRIBS ................... " << MAX_VERTEX_ATTRIBS << std::endl;
  std::cout << "GL_MAX_VERTEX_UNIFORM_COMPONENTS_ARB .... " << MAX_VERTEX_UNIFORM_COMPONENTS << std::endl;
  std::cout << "GL_MAX_VARYING_FLOATS_ARB ............... " << MAX_VARYING_FLOATS << std::endl;
  std::cout << "GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS_ARB ... " << MAX_VERTEX_TEXTURE_IMAGE_UNITS << std::endl;
  std::cout << "GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS_ARB . " << MAX_COMBINED_TEXTURE_IMAGE_UNITS << std::endl;
  std::cout << "GL_MAX_TEXTURE_COORDS_ARB ............... " << MAX_TEXTURE_COORDS << std::endl;
  std::cout << "GL_MAX_FRAGMENT_UNIFORM_COMPONENTS_ARB .. " << MAX_FRAGMENT_UNIFORM_COMPONENTS << std::endl;
  std::cout << "GL_MAX_TEXTURE_SIZE ..................... " << MAX_TEXTURE_SIZE << std::endl;
  std::cout << "GL_MAX_VERTEX_SHADER_INSTRUCTIONS_EXT ... " << MAX_VERTEX_SHADER_INSTRUCTIONS << std::endl;
  std::cout << "GL_MAX_FRAGMENT_LIGHTS_EXT .............. " << MAX_FRAGMENT_LIGHTS << std::endl;
  std::cout << "---------------------------------------------" << std::endl;
}

std::string GLExtensions::toString() const {
  printValues();
  std::string text;
  for (const auto& entry : supported) text += entry.first + " ";
  return text + "\n";
}
