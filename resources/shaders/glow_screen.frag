// The blurred copy added over the sharp image: bright parts bleed light into their surroundings.
uniform sampler2D destination;
uniform sampler2D source;
uniform float opacity;

void main() {
  vec4 image = texture2D(destination, gl_TexCoord[0].st);
  vec4 glow = texture2D(source, gl_TexCoord[0].st);
  gl_FragColor = clamp(image + glow * opacity, 0.0, 1.0);
}
