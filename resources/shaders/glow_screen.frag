// The blurred copy laid over the sharp image in screen mode: bright parts bleed light into
// their surroundings without washing the whole picture out to white as plain addition would.
uniform sampler2D destination;
uniform sampler2D source;
uniform float opacity;

void main() {
  vec4 image = texture2D(destination, gl_TexCoord[0].st);
  vec4 glow = texture2D(source, gl_TexCoord[0].st) * clamp(opacity, 0.0, 1.0);
  gl_FragColor = vec4(1.0) - (vec4(1.0) - image) * (vec4(1.0) - glow);
}
