// Plain points of the particle system: moved from their start, fading out over their life.
#include include/particles.glsl
varying vec4 tint;

void main() {
  float age = particleAge();
  tint = vec4(gl_Color.rgb, 1.0 - age);
  gl_Position = gl_ModelViewProjectionMatrix * particlePosition(age, 40.0);
}
