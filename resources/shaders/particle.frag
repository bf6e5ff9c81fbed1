varying vec4 tint;

void main() {
  gl_FragColor = tint;
}
