// ScenePreview: a scene file drawn once by the engine and captured.
#include "tools/ScenePreview.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/render/Shader.h"
#include "demosys/render/ShaderInstance.h"
#include "demosys/render/VBO.h"
#include "demosys/scene/QNVCamera.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVObjectGroup.h"
#include "demosys/scene/QNVScene.h"
#include "demosys/scene/QNVSceneLoader.h"
#include "qnvutils/File.h"
#include "tools/ToolSupport.h"

namespace {

const char* const vertexSource =
    "varying vec3 normal;\n"
    "void main() {\n"
    "  normal = gl_NormalMatrix * gl_Normal;\n"
    "  gl_Position = ftransform();\n"
    "}\n";

// One light from above and behind the viewer, on both sides of a face: imported models wind their
// faces either way and the preview draws without culling. The material's colours tint it.
const char* const fragmentSource =
    "varying vec3 normal;\n"
    "void main() {\n"
    "  vec3 n = length(normal) > 0.0 ? normalize(normal) : vec3(0.0, 0.0, 1.0);\n"
    "  float light = abs(dot(n, normalize(vec3(0.3, 0.8, 0.6))));\n"
    "  vec3 colour = gl_FrontMaterial.ambient.rgb * 0.15 + gl_FrontMaterial.diffuse.rgb * (0.2 + 0.8 * light);\n"
    "  gl_FragColor = vec4(colour, 1.0);\n"
    "}\n";

// Where the framing camera looks from: in front, to the right and above. Scene files hold their
// positions in the engine's axes, y up, with the front facing +z.
const Vector3f viewDirection(0.6f, 0.5f, 1.0f);
const float fieldOfView = 50.0f;

std::string oneLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

}  // namespace

ScenePreview::ScenePreview(const ScenePreviewOptions& o)
    : options(o), seconds(static_cast<float>(o.atMs) / 1000.0f) {}

// Scene buffers and the shader are GL objects: they go before the window does.
ScenePreview::~ScenePreview() {
  scene.reset();
  instance.reset();
  shader.reset();
  if (screenOpen) QNVDemosys::shutDown();
}

bool ScenePreview::fail(const std::string& problem) const {
  std::cerr << "demosys scene render: " << problem << std::endl;
  return false;
}

bool ScenePreview::render() {
  if (!openScreen() || !loadScene() || !prepareShader() || !setCamera()) return false;
  drawScene();
  return capture();
}

bool ScenePreview::openScreen() {
  metrics.setResolution(options.width, options.height);
  metrics.setFullscreen(false);
  metrics.setVSync(false);
  screenOpen = QNVDemosys::windowOpen(&metrics, "demosys scene render", nullptr);
  if (!screenOpen) return fail("no GL screen: " + oneLine(QNVDemosys::message));
  if (glewInit() != GLEW_OK || !GLEW_VERSION_2_0) return fail("OpenGL 2.0 is not available");
  metrics.initView();
  return true;
}

bool ScenePreview::loadScene() {
  File file(options.file, File::MODE_READ);
  if (!file.exists()) return fail("Object '" + options.file + "' not found");
  File keyframes(options.file + ".kf", File::MODE_READ);
  QNVSceneLoader loader(options.file);
  scene.reset(loader.loadScene(file, &keyframes));
  if (scene == nullptr) return fail(oneLine(loader.getErrorMessage()));
  return true;
}

// The box view leaves every object without a shader instance: the engine then draws its red box.
bool ScenePreview::prepareShader() {
  if (options.style == ScenePreviewOptions::BOXES) return true;
  shader = std::make_unique<Shader>();
  shader->setVertexSource(vertexSource);
  shader->setFragmentSource(fragmentSource);
  if (!shader->link()) return fail("preview shader: " + oneLine(shader->getErrorMessage()));
  instance = std::make_unique<ShaderInstance>(shader.get());
  scene->ApplyShaderInstance(instance.get());
  return true;
}

bool ScenePreview::setCamera() {
  scene->calcGlobalData(seconds);
  if (options.camera.empty()) {
    frameScene();
    return true;
  }
  QNVCamera* camera = scene->GetCamera(options.camera);
  if (camera == nullptr) {
    std::string names;
    for (const auto& entry : scene->getCameras()) names += " '" + entry.first + "'";
    return fail("no camera '" + options.camera + "' in " + options.file +
                (names.empty() ? " (it has none)" : " (cameras:" + names + ")"));
  }
  metrics.setView();
  glLoadIdentity();
  camera->use(seconds);
  return true;
}

// The box of every mesh as posed at the preview's time (rotations included, unlike the scene's
// own box), so a model turned by its node matrices is framed whole.
void ScenePreview::posedBox(Vector3f& lo, Vector3f& hi) const {
  bool any = false;
  for (int i = 0; i < scene->countObjects(); ++i) {
    const QNVObject* object = scene->getObject(i);
    if (object->IsEmpty()) continue;
    const Vector3f& a = object->getVBO()->getBBoxMin();
    const Vector3f& b = object->getVBO()->getBBoxMax();
    for (int corner = 0; corner < 8; ++corner) {
      const Vector3f p = object->getGlobalMatrix().transformPoint(
          Vector3f(corner & 1 ? b[0] : a[0], corner & 2 ? b[1] : a[1], corner & 4 ? b[2] : a[2]));
      for (int k = 0; k < 3; ++k) {
        lo[k] = any ? std::min(lo[k], p[k]) : p[k];
        hi[k] = any ? std::max(hi[k], p[k]) : p[k];
      }
      any = true;
    }
  }
  if (!any) {
    lo = Vector3f(-1.0f, -1.0f, -1.0f);
    hi = Vector3f(1.0f, 1.0f, 1.0f);
  }
}

// The camera stands back along the view direction until the box's bounding sphere fits the
// narrower of the two fields of view.
void ScenePreview::frameScene() {
  Vector3f lo;
  Vector3f hi;
  posedBox(lo, hi);
  const Vector3f centre = (lo + hi) * 0.5f;
  const float radius = std::max((hi - lo).length() * 0.5f, 1e-3f);
  const float halfVertical = fieldOfView * 3.14159265f / 360.0f;
  const float aspect = static_cast<float>(options.width) / static_cast<float>(options.height);
  const float halfNarrow = std::min(halfVertical, std::atan(std::tan(halfVertical) * aspect));
  const float distance = radius / std::sin(halfNarrow);
  const Vector3f eye = centre + viewDirection.normalised() * distance;
  metrics.setNear((distance - radius) * 0.5f);
  metrics.setFar((distance + radius) * 2.0f);
  metrics.setView();
  glLoadIdentity();
  gluLookAt(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], 0.0, 1.0, 0.0);
}

// The engine's wireframe mode draws index pairs, which de-indexed scene meshes do not have, so
// wireframes are the solid drawing's triangles as lines.
void ScenePreview::drawScene() {
  glClearColor(0.1f, 0.1f, 0.12f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  if (options.style == ScenePreviewOptions::WIREFRAME) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  if (!options.instanced) {
    scene->draw(seconds, false);
  } else if (options.style == ScenePreviewOptions::BOXES) {
    drawInstancedBoxes();
  } else {
    scene->drawInstanced();
  }
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDisable(GL_DEPTH_TEST);
}

// The instanced path draws an object without shader instance as its mesh; the box view wants the
// red boxes there too, at the objects' global matrices and by the draw list.
void ScenePreview::drawInstancedBoxes() const {
  for (const auto& entry : scene->getDrawList()) {
    const QNVObjectGroup& group = *entry.second;
    for (int i = 0; i < group.countObjects(); ++i) {
      const QNVObject* object = group.getObject(i);
      if (!object->isVisible()) continue;
      glPushMatrix();
      glMultMatrixf(object->getGlobalMatrix().data());
      object->drawBBox();
      glPopMatrix();
    }
  }
}

bool ScenePreview::capture() {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(options.width) * options.height * 3);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, options.width, options.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  if (!savePNG(options.out, options.width, options.height, pixels)) return fail("cannot write " + options.out);
  return true;
}
