// Edge detection: the absolute Laplacian of the brightness (centre against its four
// neighbours), scaled by contrast, painted in the given colour; flat areas come out black.
#include include/color.glsl

uniform sampler2D Texture;
uniform float contrast;
uniform vec3 color;
// Distance between neighbours in texture coordinates.
uniform float viewportStep;

float brightnessAt(vec2 uv) {
  return luminance(texture2D(Texture, uv).rgb);
}

void main() {
  vec2 uv = gl_TexCoord[0].st;
  vec2 dx = vec2(viewportStep, 0.0);
  vec2 dy = vec2(0.0, viewportStep);
  float laplace = 4.0 * brightnessAt(uv) - brightnessAt(uv - dx) - brightnessAt(uv + dx) -
                  brightnessAt(uv - dy) - brightnessAt(uv + dy);
  float edge = clamp(abs(laplace) * contrast, 0.0, 1.0);
  gl_FragColor = vec4(color * edge, edge);
}
