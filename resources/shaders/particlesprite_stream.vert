// A jet's exhaust: particles leave the nozzle ("nozzle", in the jet's own axes) backwards along
// their velocity, widening and fading over their life; "alpha" fades the whole stream and
// "PointSize" sizes the sprites at a distance of 10.
#include include/particles.glsl
uniform float PointSize;
uniform float alpha;
uniform vec3 nozzle;
varying vec4 tint;

void main() {
  float age = particleAge();
  vec3 p = nozzle + gl_Vertex.xyz * (0.15 + 0.6 * age) + vec3(Velocity.x * 60.0 * age, 0.0, 0.0);
  vec4 eye = gl_ModelViewMatrix * vec4(p, 1.0);
  float heat = 1.0 - age;
  tint = vec4(mix(vec3(0.9, 0.3, 0.1), vec3(1.0, 0.9, 0.6), heat * heat), alpha * heat);
  gl_PointSize = clamp(PointSize * (0.5 + age) * 10.0 / max(-eye.z, 1.0), 1.0, 64.0);
  gl_Position = gl_ProjectionMatrix * eye;
}
