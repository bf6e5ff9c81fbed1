// A round lens in the middle of the screen that bulges the image (depth > 0 magnifies, < 0
// shrinks) and shows raster lines scrolling through it. The lines follow the bulged picture;
// multiplier / divider lines cover the screen's height (none at 0), rasterSize2 sets how dark
// they get.
#include include/screen.glsl

uniform sampler2D tex;
uniform float rasterScroll;
uniform float depth;
uniform float multiplier;
uniform float divider;
uniform float rasterSize2;

const float LENS_RADIUS = 0.45;
const float TWO_PI = 6.2831853;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  vec2 fromCentre = uv - vec2(0.5);
  // Measured in screen proportions so that the lens is round, LENS_RADIUS of the height.
  float r = length(fromCentre * vec2(SCREEN_ASPECT, 1.0)) / LENS_RADIUS;
  if (r >= 1.0) {
    gl_FragColor = texture2D(tex, uv);
    return;
  }
  float bulge = 1.0 - r * r;
  vec2 lensUv = vec2(0.5) + fromCentre * (1.0 - depth * bulge);
  vec4 c = texture2D(tex, clamp(lensUv, 0.0, 1.0));
  float lines = multiplier / (abs(divider) > 0.0001 ? divider : 1.0);
  float wave = 0.5 - 0.5 * cos(TWO_PI * (lensUv.y + rasterScroll) * lines);
  float shade = 1.0 - 0.4 * clamp(rasterSize2, 0.0, 2.0) * wave * bulge;
  gl_FragColor = vec4(c.rgb * shade, c.a);
}
