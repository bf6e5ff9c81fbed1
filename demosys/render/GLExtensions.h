// Which OpenGL extensions the driver offers and a handful of implementation limits, printed at
// start-up; can also check a list of required extensions and name the missing ones.
// Depends on: OpenGL (a current context), GLEW.
#pragma once

#include <map>
#include <string>
#include <vector>

class GLExtensions {
 public:
  // Reads the extension string and the implementation values of the current context.
  GLExtensions();

  bool isSupported(const std::string& name) const;
  void addToChecklist(const std::string& name);
  // True when every checklist name is supported; the missing ones are remembered for the message.
  bool isSupported();
  std::string getErrorMessage() const;
  // Every supported name followed by a space, then a line end. Also prints the implementation
  // values to standard output.
  std::string toString() const;

  static void getImplementationIndependentAPIValues();

  static int MAX_VERTEX_ATTRIBS;
  static int MAX_VERTEX_UNIFORM_COMPONENTS;
  static int MAX_VARYING_FLOATS;
  static int MAX_VERTEX_TEXTURE_IMAGE_UNITS;
  static int MAX_COMBINED_TEXTURE_IMAGE_UNITS;
  static int MAX_TEXTURE_COORDS;
  static int MAX_FRAGMENT_UNIFORM_COMPONENTS;
  static int MAX_TEXTURE_SIZE;
  // Limits of two old vendor extensions; 0 where the driver lacks them.
  static int MAX_VERTEX_SHADER_INSTRUCTIONS;
  static int MAX_FRAGMENT_LIGHTS;

 private:
  static void printValues();

  std::map<std::string, bool> supported;
  std::vector<std::string> checklist;
  std::vector<std::string> missing;
};
