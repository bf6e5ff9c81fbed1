// Horizontal half of the glow's separable blur.
#include include/blur.glsl

uniform sampler2D source;
uniform sampler2D kernel;
uniform float blur_radius;
// Width of the target in pixels: one texel step along x.
uniform float texture_size;

void main() {
  gl_FragColor = blur1D(source, kernel, gl_TexCoord[0].st, texelStep(vec2(1.0, 0.0), texture_size),
                        blur_radius);
}
