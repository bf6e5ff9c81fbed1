// The card-stunt table scrolled across the crowd: "tex" repeats along s and moves by "scroll";
// "fxparam1" stretches it across and "fxparam2" makes its rows ripple.
uniform sampler2D tex;
uniform float scroll;
uniform float fxparam1;
uniform float fxparam2;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  float s = uv.s * (1.0 + fxparam1) + scroll;
  float t = uv.t + fxparam2 * sin(6.2831853 * uv.s + 4.0 * scroll);
  gl_FragColor = texture2D(tex, vec2(s, t));
}
