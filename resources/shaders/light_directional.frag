// The colour the vertices lit.
varying vec4 lit;

void main() {
  gl_FragColor = lit;
}
