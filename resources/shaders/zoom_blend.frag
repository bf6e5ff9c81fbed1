// One pass of the radial blur: the image magnified about the centre by a little more each pass,
// laid over the accumulated result with the pass's blend weight. Iterating it smears every
// pixel outwards along the line from the centre.
uniform sampler2D Texture;
uniform float zoom_factor;
uniform float alpha;

// Magnification per unit of zoom_factor.
const float ZOOM_STRENGTH = 0.02;

void main() {
  vec2 centre = vec2(0.5);
  float scale = 1.0 + ZOOM_STRENGTH * max(zoom_factor, 0.0);
  vec4 c = texture2D(Texture, centre + (gl_TexCoord[0].st - centre) / scale);
  gl_FragColor = vec4(c.rgb, c.a * alpha);
}
