// A textured quad in the scene, tinted and faded by color.
uniform sampler2D texture;
uniform vec4 color;

void main() {
  gl_FragColor = texture2D(texture, gl_TexCoord[0].st) * color;
}
