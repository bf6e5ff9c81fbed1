// The flag cloth. "tel" is a wave phase: the plane moves by the difference between a travelling
// wave at that phase and the same wave at phase 0, so a phase of 0 (a cloth already waved on the
// CPU, which never sets it) leaves every vertex where it is. The motion fades towards the pole
// at the plane's right edge (x about 3), and the slope of the motion shades the folds.
uniform float tel;
varying float shade;

const float poleX = 3.0;
const float span = 6.0;

float wave(float along, float phase) {
  return sin(along - phase) - sin(along);
}

void main() {
  vec4 p = gl_Vertex;
  float free = clamp((poleX - p.x) / span, 0.0, 1.0);
  float along = 0.9 * p.x + 0.25 * p.y;
  float depth = 0.6 * free * wave(along, tel);
  p.z += depth;
  p.y += 0.15 * free * wave(0.7 * along, 0.6 * tel);
  float slope = 0.54 * free * (cos(along - tel) - cos(along));
  shade = clamp(1.0 + 0.35 * slope, 0.6, 1.2);
  gl_Position = gl_ModelViewProjectionMatrix * p;
  gl_TexCoord[0] = gl_MultiTexCoord0;
  gl_FrontColor = gl_Color;
}
