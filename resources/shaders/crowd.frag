// One spectator per seat cell: the tribune's texture coordinates span "step" cells (columns,
// rows); each cell shows figure (column mod 4) of the four side by side in the "robot" atlas,
// lit by the cell's texel of the intensity map (its red channel) over a dim base light.
uniform sampler2D robot;
uniform sampler2D intensitymap;
uniform vec2 step;

void main() {
  vec2 seats = gl_TexCoord[0].st * step;
  vec2 cell = floor(seats);
  float figure = mod(cell.x, 4.0);
  vec2 inCell = seats - cell;
  vec4 spectator = texture2D(robot, vec2((inCell.x + figure) * 0.25, inCell.y));
  float light = texture2D(intensitymap, (cell + 0.5) / step).r;
  gl_FragColor = vec4(spectator.rgb * (0.25 + 0.75 * light), spectator.a);
}
