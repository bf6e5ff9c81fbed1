// One numbered arena meter, stretched upwards from its base (y = 0 in the object) by "scale";
// the colour runs from green at the base towards red at the top of a full stretch.
#include include/meter.glsl
uniform float scale;
varying float shade;
varying float heat;

void main() {
  vec4 p = gl_Vertex;
  p.y *= scale;
  heat = clamp(p.y / 8.0, 0.0, 1.0);
  shade = meterShade();
  gl_Position = gl_ModelViewProjectionMatrix * p;
}
