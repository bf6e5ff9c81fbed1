// Point sprites of the particle systems, "PointSize" pixels at a distance of 10 and smaller
// further away. With OVERLAY the particles stay where they were put, bobbing in a slow wave, and
// carry in their texture coordinates where they sit on the picture "texture" they show together.
#include include/particles.glsl
uniform float PointSize;
varying vec4 tint;

void main() {
#ifdef OVERLAY
  vec4 p = gl_Vertex;
  p.y += 0.6 * sin(Time * 2.0 + p.x * 0.15 + p.z * 0.1);
  vec4 eye = gl_ModelViewMatrix * p;
  gl_TexCoord[1] = gl_MultiTexCoord0;
  tint = vec4(1.0);
#else
  float age = particleAge();
  vec4 eye = gl_ModelViewMatrix * particlePosition(age, 40.0);
  tint = vec4(gl_Color.rgb, 1.0 - age);
#endif
  gl_PointSize = clamp(PointSize * 10.0 / max(-eye.z, 1.0), 1.0, 64.0);
  gl_Position = gl_ProjectionMatrix * eye;
}
