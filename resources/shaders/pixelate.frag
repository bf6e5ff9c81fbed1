// Mosaic: num_pixels blocks across and as many square blocks down as fit the screen's shape,
// each showing the colour at its centre. Below one block the image passes through unchanged, so
// a track resting at 0 switches it off.
#include include/screen.glsl

uniform sampler2D tex;
uniform float num_pixels;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  if (num_pixels >= 1.0) {
    float across = floor(num_pixels);
    vec2 blocks = vec2(across, max(floor(across / SCREEN_ASPECT + 0.5), 1.0));
    uv = (floor(uv * blocks) + 0.5) / blocks;
  }
  gl_FragColor = texture2D(tex, uv);
}
