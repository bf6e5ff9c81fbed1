// Vertical half of the glow's separable blur.
#include include/blur.glsl

uniform sampler2D source;
uniform sampler2D kernel;
uniform float blur_radius;
// Height of the target in pixels: one texel step along y.
uniform float texture_size;

void main() {
  gl_FragColor = blur1D(source, kernel, gl_TexCoord[0].st, texelStep(vec2(0.0, 1.0), texture_size),
                        blur_radius);
}
