// One colour, "color": glowing parts that no light changes.
uniform vec4 color;

void main() {
  gl_FragColor = color;
}
