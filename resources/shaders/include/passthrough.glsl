// Vertex stage of every textured quad: the fixed-function transform (identity for full-screen
// passes, the current 3D view for quads placed in a scene), texture unit 0's coordinates and
// the vertex colour handed on unchanged.
void main() {
  gl_Position = ftransform();
  gl_TexCoord[0] = gl_MultiTexCoord0;
  gl_FrontColor = gl_Color;
}
