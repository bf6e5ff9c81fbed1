// A render target laid over the current one with the given opacity (for alpha blending).
uniform sampler2D source;
uniform float opacity;

void main() {
  vec4 c = texture2D(source, gl_TexCoord[0].st);
  gl_FragColor = vec4(c.rgb, c.a * opacity);
}
