// Shared by the meter shaders: a soft light from above and in front, in eye space, so the meters
// read as solid bodies whether or not the scene's lights are on.
float meterShade() {
  vec3 n = normalize(gl_NormalMatrix * gl_Normal);
  return 0.45 + 0.55 * max(dot(n, normalize(vec3(0.3, 0.8, 0.5))), 0.0);
}
