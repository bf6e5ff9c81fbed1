// The object's texture coordinates carry the pattern across the surface.
void main() {
  gl_TexCoord[0] = gl_MultiTexCoord0;
  gl_Position = ftransform();
}
