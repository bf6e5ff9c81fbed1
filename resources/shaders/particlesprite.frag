// The sprite picture "particle" in the particle's tint; with OVERLAY tinted by the point of
// "texture" the particle stands on.
uniform sampler2D particle;
#ifdef OVERLAY
uniform sampler2D texture;
#endif
varying vec4 tint;

void main() {
  vec4 c = texture2D(particle, gl_TexCoord[0].st) * tint;
#ifdef OVERLAY
  c *= texture2D(texture, gl_TexCoord[1].st);
#endif
  gl_FragColor = c;
}
