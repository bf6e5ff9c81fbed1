// The side meters in one colour, "color", shaded.
uniform vec4 color;
varying float shade;

void main() {
  gl_FragColor = vec4(color.rgb * shade, color.a);
}
