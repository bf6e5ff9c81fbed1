// A textured surface under the scene's lights: the light falls on white and the texture gives
// the colour (with a texture the material's own colours are not applied).
#include include/lighting.glsl
varying vec3 light;

void main() {
  light = directionalLight(vec3(1.0));
  gl_TexCoord[0] = gl_MultiTexCoord0;
  gl_Position = ftransform();
}
