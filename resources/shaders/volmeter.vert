// The arena's big side meters: the fixed-function transform and a soft shade.
#include include/meter.glsl
varying float shade;

void main() {
  shade = meterShade();
  gl_Position = ftransform();
}
