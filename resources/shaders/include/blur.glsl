// One direction of a separable blur: nine taps spread evenly over [-radius, radius] texels, each
// weighted by the kernel texture, whose grey level holds a weight profile over x in [-1, 1]; tap
// j of [-4, 4] reads it at u = (j + 4) / 8. At the glow's radius of 4 the taps fall on whole
// texels (k = j, u = (k + radius) / (2 radius)); other radii spread or squeeze them, and the
// source's linear filtering fills in between. A fixed tap count gives a loop every compiler
// unrolls, which on a software rasteriser costs half of a loop that stops at the radius.
// The result is divided by the sum of the weights read, so neither the kernel's overall
// brightness nor the radius changes the picture's brightness.
const float BLUR_TAPS = 4.0;

// texel: one texel of the source in the blur direction, in texture coordinates.
vec4 blur1D(sampler2D source, sampler2D kernel, vec2 uv, vec2 texel, float radius) {
  if (radius <= 0.0) return texture2D(source, uv);
  vec2 spacing = texel * (radius / BLUR_TAPS);
  vec4 sum = vec4(0.0);
  float weights = 0.0;
  for (float j = -BLUR_TAPS; j <= BLUR_TAPS; j += 1.0) {
    float w = texture2D(kernel, vec2((j + BLUR_TAPS) / (2.0 * BLUR_TAPS), 0.5)).r;
    sum += w * texture2D(source, uv + j * spacing);
    weights += w;
  }
  // An all-black kernel would divide by zero: show the image unblurred instead.
  if (weights <= 0.0) return texture2D(source, uv);
  return sum / weights;
}

// One texel along the given axis ((1,0) or (0,1)) of a texture size texels long in that axis.
vec2 texelStep(vec2 axis, float size) {
  return axis / max(size, 1.0);
}
