// Shared by the lit scene shaders: the scene's directional lights (slots 0 to 3 of the
// fixed-function state, their directions already in eye space) on a surface colour, per vertex,
// with the light model's ambient so faces turned away from every light still read.
vec3 directionalLight(vec3 surface) {
  vec3 n = normalize(gl_NormalMatrix * gl_Normal);
  vec3 sum = gl_LightModel.ambient.rgb * surface;
  for (int i = 0; i < 4; ++i) {
    vec3 toLight = normalize(gl_LightSource[i].position.xyz);
    sum += gl_LightSource[i].diffuse.rgb * surface * max(dot(n, toLight), 0.0);
  }
  return sum;
}
