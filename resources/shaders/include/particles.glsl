// Shared by the particle shaders: where a particle is at "Time" (seconds), starting from its
// vertex after its own start delay and moving with its velocity, and how far through its life
// of LIFE seconds it is (particles start over when a life ends).
uniform float Time;
attribute vec3 Velocity;
attribute float StartTime;

const float LIFE = 4.0;

float particleAge() {
  return fract(max(Time - StartTime * 0.04, 0.0) / LIFE);
}

vec4 particlePosition(float age, float spread) {
  return vec4(gl_Vertex.xyz + Velocity * spread * age * LIFE, 1.0);
}
