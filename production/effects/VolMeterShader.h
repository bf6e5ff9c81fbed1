// The shader instance of the arena's big side meters: one colour, set as the uniform "color" at
// every use (white until set). It is the colour instance under the meters' own name.
// Depends on: ShaderColor.
#pragma once

#include "demosys/render/ShaderColor.h"

class VolMeterShader : public ShaderColor {
 public:
  explicit VolMeterShader(Shader* shader) : ShaderColor(shader) {}
};
