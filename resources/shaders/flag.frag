// The logo on the cloth, tinted by "color" and by the vertex colour: the black pole, knob and
// cords are drawn through the same program.
uniform sampler2D texture;
uniform vec4 color;
varying float shade;

void main() {
  vec4 texel = texture2D(texture, gl_TexCoord[0].st);
  gl_FragColor = vec4(texel.rgb * shade, texel.a) * color * gl_Color;
}
