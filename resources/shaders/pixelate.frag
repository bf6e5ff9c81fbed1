// Mosaic: num_pixels equal blocks across and down, each showing the colour at its centre.
// Below one block the image passes through unchanged, so a track resting at 0 switches it off.
uniform sampler2D tex;
uniform float num_pixels;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  if (num_pixels >= 1.0) {
    float blocks = floor(num_pixels);
    uv = (floor(uv * blocks) + 0.5) / blocks;
  }
  gl_FragColor = texture2D(tex, uv);
}
