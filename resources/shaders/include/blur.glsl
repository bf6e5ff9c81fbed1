// One direction of a separable blur. The kernel texture holds a weight profile over x in [-1, 1]
// in its grey level; offset k of [-radius, radius] reads it at u = (k + radius) / (2 radius).
// The result is divided by the sum of the weights read, so the kernel's overall brightness and
// the radius do not change the image's brightness. Radii beyond MAX_BLUR_RADIUS are cut there:
// the loop has constant bounds (every driver accepts it) and leaves as soon as the radius is covered.
const float MAX_BLUR_RADIUS = 16.0;

// texel: one texel of the source in the blur direction, in texture coordinates.
vec4 blur1D(sampler2D source, sampler2D kernel, vec2 uv, vec2 texel, float radius) {
  float r = min(floor(radius + 0.5), MAX_BLUR_RADIUS);
  if (r < 1.0) return texture2D(source, uv);
  vec4 sum = vec4(0.0);
  float weights = 0.0;
  for (float i = 0.0; i <= 2.0 * MAX_BLUR_RADIUS; i += 1.0) {
    if (i > 2.0 * r) break;
    float k = i - r;
    float w = texture2D(kernel, vec2((k + r) / (2.0 * r), 0.5)).r;
    sum += w * texture2D(source, uv + k * texel);
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
