// The scene's lights on the material's fixed-function colours, per vertex; with FOG defined the
// colour fades into the night with distance.
#include include/lighting.glsl
#include include/fog.glsl
varying vec4 lit;

void main() {
  vec4 eye = gl_ModelViewMatrix * gl_Vertex;
  vec3 c = directionalLight(gl_FrontMaterial.diffuse.rgb) + gl_FrontMaterial.emission.rgb;
#ifdef FOG
  c = mix(c, FOG_COLOR, fogAmount(eye));
#endif
  lit = vec4(c, gl_FrontMaterial.diffuse.a);
  gl_Position = gl_ProjectionMatrix * eye;
}
