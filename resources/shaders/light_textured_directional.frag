// The texture under the light the vertices received.
uniform sampler2D texture;
varying vec3 light;

void main() {
  vec4 c = texture2D(texture, gl_TexCoord[0].st);
  gl_FragColor = vec4(c.rgb * light, c.a);
}
