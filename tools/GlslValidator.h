// Compiles a vertex and fragment stage as strict GLSL 1.10 (desktop, no #version needed) with
// glslang and links them, without any GL context: what a lenient driver lets through (an int
// where a float belongs, say) is reported here as the strict drivers report it.
// Depends on: glslang.
#pragma once

#include <string>
#include <vector>

class GlslValidator {
 public:
  enum Stage { VERTEX, FRAGMENT, LINK };
  struct Message {
    Stage stage;
    bool error;
    int line;  // in the stage's text, from 1; 0 when the message names none
    std::string text;
  };
  // Every error and warning of compiling both stages and, when both compile, linking them.
  static std::vector<Message> validate(const std::string& vertex, const std::string& fragment);

 private:
  static void collect(const std::string& log, Stage stage, std::vector<Message>& out);
};
