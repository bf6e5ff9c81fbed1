// Colour helpers shared by the grading passes.
float luminance(vec3 c) {
  return dot(c, vec3(0.299, 0.587, 0.114));
}

// gain 1 leaves the colour as is; contrast pivots about mid grey.
vec3 adjustContrast(vec3 c, float gain, float brightness) {
  return clamp((c - 0.5) * gain + 0.5 + brightness, 0.0, 1.0);
}
