// Thickens thin lines: each pixel takes the brightest of its 3 x 3 neighbourhood.
uniform sampler2D Texture;
uniform float viewportStep;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  vec4 brightest = vec4(0.0);
  for (float y = -1.0; y <= 1.0; y += 1.0) {
    for (float x = -1.0; x <= 1.0; x += 1.0) {
      brightest = max(brightest, texture2D(Texture, uv + vec2(x, y) * viewportStep));
    }
  }
  gl_FragColor = brightest;
}
