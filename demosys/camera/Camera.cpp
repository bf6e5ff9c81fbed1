// Camera: the view transform from pitch, heading and position.
#include "demosys/camera/Camera.h"

#include <GL/glew.h>

void Camera::setGLMatrixes() {
  glMatrixMode(GL_MODELVIEW);
  const Quaternion qPitch = Quaternion::fromAxisAngle(Vector3f(1.0f, 0.0f, 0.0f), pitch);
  const Quaternion qHeading = Quaternion::fromAxisAngle(Vector3f(0.0f, 1.0f, 0.0f), heading);
  const Matrix view = (qPitch * qHeading).toMatrix();
  glMultMatrixf(view.data());

  orientation = qHeading * qPitch;
  matrix = orientation.toMatrix();
  // The view looks down -z; in the world that is the view rotation's third row, negated.
  const Vector3f viewing(-view[2], -view[6], -view[10]);
  position += viewing * velocity;

  glTranslatef(-position[0], -position[1], -position[2]);
}
