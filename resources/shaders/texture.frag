// A self-lit textured surface (screens, banners): the texture as it is.
uniform sampler2D texture;

void main() {
  gl_FragColor = texture2D(texture, gl_TexCoord[0].st);
}
