// The particle picture in the stream's colour.
uniform sampler2D particle;
varying vec4 tint;

void main() {
  gl_FragColor = texture2D(particle, gl_TexCoord[0].st) * tint;
}
