// The spectrum picture on the crowd: "num_values" bars across, each as tall as its column of the
// "vu_values" picture says (red bytes up to 32 for the loudest), in "multiplier" steps upwards,
// so the lit seats form a bar graph on the tribunes.
uniform sampler2D vu_values;
uniform float num_values;
uniform float multiplier;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  float column = (floor(uv.s * num_values) + 0.5) / num_values;
  float level = texture2D(vu_values, vec2(column, 0.5)).r * 255.0 / 32.0;
  float height = (floor(uv.t * multiplier) + 0.5) / multiplier;
  float lit = height < level ? 1.0 : 0.0;
  gl_FragColor = vec4(lit, lit, lit, 1.0);
}
