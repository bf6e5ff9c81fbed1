// Weighted sum of two render targets: (1, 0) shows the first, (0, 1) the second, in between a
// cross-fade.
uniform sampler2D buffer1;
uniform sampler2D buffer2;
uniform float buffer1_factor;
uniform float buffer2_factor;

void main() {
  vec4 a = texture2D(buffer1, gl_TexCoord[0].st);
  vec4 b = texture2D(buffer2, gl_TexCoord[0].st);
  gl_FragColor = clamp(a * buffer1_factor + b * buffer2_factor, 0.0, 1.0);
}
