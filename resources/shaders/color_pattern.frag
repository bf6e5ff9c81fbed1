// "color" in a hexagonal cell pattern: bright cell borders over a darker fill, as an energy
// shield reads.
uniform vec4 color;

const float CELLS = 12.0;

void main() {
  vec2 p = gl_TexCoord[0].st * CELLS;
  p.x *= 1.1547;
  p.y += mod(floor(p.x), 2.0) * 0.5;
  vec2 f = abs(fract(p) - 0.5);
  float edge = smoothstep(0.36, 0.48, max(f.x * 1.5 + f.y * 0.5, f.y));
  gl_FragColor = vec4(color.rgb * (0.35 + 0.65 * edge), color.a);
}
