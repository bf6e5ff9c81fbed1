// The meter's material colour shaded, warmed towards red as it stretches.
varying float shade;
varying float heat;

void main() {
  vec3 base = gl_FrontMaterial.diffuse.rgb;
  vec3 hot = mix(vec3(0.1, 1.0, 0.2), vec3(1.0, 0.15, 0.05), heat);
  gl_FragColor = vec4(mix(base, hot, 0.7) * shade, 1.0);
}
