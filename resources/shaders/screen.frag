// The arena's big video wall: its picture ("texture") shaded by a stripe picture ("gradient")
// laid over it many times, as the rows of a wall of panels read from the stands.
uniform sampler2D texture;
uniform sampler2D gradient;

void main() {
  vec2 st = gl_TexCoord[0].st;
  vec4 picture = texture2D(texture, st);
  float rows = texture2D(gradient, vec2(0.5, fract(st.t * 6.0))).r;
  gl_FragColor = vec4(picture.rgb * (0.7 + 0.45 * rows), picture.a);
}
