// DevOverlay: status, effects, frame-time graph and message over the picture.
#include "tools/DevOverlay.h"

#include <GL/glew.h>

#include <cstdio>
#include <sstream>

#include "demosys/timeline/TrackStartStop.h"
#include "demosys/timeline/TrackSystem.h"
#include "tools/PlaybackControl.h"

namespace {

const float margin = 8.0f;
const float panelWidth = 520.0f;
const float graphHeight = 48.0f;
// The graph's full height in milliseconds; slower frames are drawn at the top.
const float graphRange = 50.0f;

}  // namespace

DevOverlay::DevOverlay() = default;

void DevOverlay::setMessage(const std::string& text) {
  message.clear();
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line) && message.size() < messageLines;) message.push_back(line);
}

void DevOverlay::addFrameTime(float milliseconds) {
  frameTimes[nextFrame] = milliseconds;
  nextFrame = (nextFrame + 1) % graphFrames;
}

void DevOverlay::draw(const PlaybackControl& control, const TrackSystem* tracks, int width, int height) const {
  if (!visible || !font.isValid()) return;
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glViewport(0, 0, width, height);
  // Programs are not part of the attribute stack; the demo leaves none in use between frames.
  glUseProgram(0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  float line = static_cast<float>(font.lineHeight());
  int effects = tracks != nullptr ? tracks->getActiveTrackGroupCount() : 0;
  float panelHeight = line * static_cast<float>(2 + effects + static_cast<int>(message.size())) + graphHeight;
  drawPanel(margin, margin, panelWidth, panelHeight + 2.0f * margin);
  float y = margin * 2.0f;
  drawGraph(margin * 2.0f, y + line, graphHeight);
  font.begin();
  y = drawStatus(control, margin * 2.0f, y) + graphHeight;
  if (tracks != nullptr) y = drawEffects(*tracks, control.row(), margin * 2.0f, y);
  drawMessage(margin * 2.0f, y);
  font.end();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

void DevOverlay::drawPanel(float x, float y, float w, float h) const {
  glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
  glBegin(GL_QUADS);
  glVertex2f(x, y);
  glVertex2f(x + w, y);
  glVertex2f(x + w, y + h);
  glVertex2f(x, y + h);
  glEnd();
}

// Oldest frame on the left; a grey line marks 60 frames a second.
void DevOverlay::drawGraph(float x, float y, float h) const {
  float width = panelWidth - 2.0f * margin;
  float step = width / static_cast<float>(graphFrames - 1);
  float sixty = y + h - h * (1000.0f / 60.0f) / graphRange;
  glColor4f(0.5f, 0.5f, 0.5f, 0.8f);
  glBegin(GL_LINES);
  glVertex2f(x, sixty);
  glVertex2f(x + width, sixty);
  glEnd();
  glColor4f(0.3f, 1.0f, 0.3f, 1.0f);
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i < graphFrames; ++i) {
    float ms = frameTimes[(nextFrame + i) % graphFrames];
    float share = ms < graphRange ? ms / graphRange : 1.0f;
    glVertex2f(x + step * static_cast<float>(i), y + h - h * share);
  }
  glEnd();
}

// Position, state and loop on one line; pieces are drawn one after another, so nothing is joined.
float DevOverlay::drawStatus(const PlaybackControl& control, float left, float y) const {
  char text[64];
  float x = left;
  PlaybackControl::formatClock(text, sizeof text, control.time());
  x = font.text(text, x, y);
  std::snprintf(text, sizeof text, "  row %u  %s", control.row(), control.isPaused() ? "paused" : "playing");
  x = font.text(text, x, y);
  if (control.getSlowdown() > 1) {
    std::snprintf(text, sizeof text, "  speed 1/%d", control.getSlowdown());
    x = font.text(text, x, y);
  }
  x = font.text("  loop ", x, y);
  PlaybackControl::formatClock(text, sizeof text, control.getLoopIn());
  x = font.text(text, x, y);
  x = font.text(" - ", x, y);
  PlaybackControl::formatClock(text, sizeof text, control.getLoopOut());
  x = font.text(text, x, y);
  font.text(control.isLooping() ? " on" : " off", x, y);
  float line = static_cast<float>(font.lineHeight());
  float latest = frameTimes[(nextFrame + graphFrames - 1) % graphFrames];
  std::snprintf(text, sizeof text, "frame %.1f ms", static_cast<double>(latest));
  font.text(text, left, y + line + graphHeight);
  return y + 2.0f * line;
}

float DevOverlay::drawEffects(const TrackSystem& tracks, unsigned row, float x, float y) const {
  char text[160];
  float line = static_cast<float>(font.lineHeight());
  for (int i = 0; i < tracks.getActiveTrackGroupCount(); ++i) {
    const TrackGroup* group = tracks.getActiveTrackGroup(i);
    const TrackStartStop* startStop = group->getStartStopTrack();
    const TrackStartStopKeyFrame* start = startStop->getIntervalStart(row);
    const char* target = start != nullptr && start->renderTarget != nullptr ? start->renderTargetName.c_str()
                                                                            : "screen";
    std::snprintf(text, sizeof text, "%3d  %s -> %s", startStop->priority, group->getName().c_str(), target);
    font.text(text, x, y);
    y += line;
  }
  return y;
}

void DevOverlay::drawMessage(float x, float y) const {
  float line = static_cast<float>(font.lineHeight());
  font.setColour(1.0f, 0.85f, 0.3f, 1.0f);
  for (const std::string& text : message) {
    font.text(text.c_str(), x, y);
    y += line;
  }
}
