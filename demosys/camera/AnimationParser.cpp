// AnimationParser: the camera-path text format.
#include "demosys/camera/AnimationParser.h"

#include <cmath>
#include <limits>
#include <memory>

#include "demosys/camera/Animation.h"
#include "demosys/resources/QNVIO.h"
#include "qnvutils/File.h"
#include "qnvutils/QNVUtils.h"
#include "qnvutils/StringTokenizer.h"
#include "qnvutils/StringUtils.h"

AnimationParser::AnimationParser(const std::string& name) : fileName(name) {}

Animation* AnimationParser::fail(const std::string& reason) {
  valid = false;
  errorMessage = "Error while loading animation data\n" + reason;
  return nullptr;
}

Animation* AnimationParser::parse() {
  std::unique_ptr<File> file(QNVIO::loadFile(fileName));
  if (file == nullptr || !file->exists()) return fail("File '" + fileName + "' not found!\n");
  return parseText(file->getAsString());
}

// Blank lines are dropped by the tokenizer, so line numbers in messages count the lines that carry
// words. Each keyframe needs two lines: the count is checked against them before anything is made.
Animation* AnimationParser::parseText(const std::string& text) {
  valid = true;
  errorMessage.clear();
  StringTokenizer lines(text, "\n");
  if (StringUtils::trim(lines.getNext()) != "QNVANI1") {
    return fail("File : '" + fileName + "' have invalid header\n");
  }
  StringTokenizer countLine(lines.getNext(), " ");
  countLine.getNext();
  const int count = QNVUtils::string2Int(countLine.getNext());
  const int present = (lines.countTokens() - 2) / 2;
  if (count > present) {
    return fail("File : '" + fileName + "' announces " + QNVUtils::int2string(count) +
                " keyframes but holds " + QNVUtils::int2string(present > 0 ? present : 0) + "\n");
  }
  std::unique_ptr<Animation> animation(new Animation);
  for (int i = 0; i < count; ++i) {
    float pos[3];
    float rot[2];
    const int lineNumber = 3 + 2 * i;
    if (!readNumbers(lines.getNext(), lineNumber, pos, 3) ||
        !readNumbers(lines.getNext(), lineNumber + 1, rot, 2)) {
      return nullptr;
    }
    animation->addKeyframe(new Keyframe(Vector3f(pos[0], pos[1], pos[2]), rot[0], rot[1]));
  }
  return animation.release();
}

// The conversion saturates at the float limits when a number is too large; such a keyframe would
// only turn into infinities once interpolated, so it is refused here.
bool AnimationParser::readNumbers(const std::string& line, int lineNumber, float* values, int count) {
  StringTokenizer words(line, " ");
  words.getNext();
  for (int i = 0; i < count; ++i) {
    values[i] = QNVUtils::string2Float(words.getNext());
    if (std::fabs(values[i]) >= std::numeric_limits<float>::max()) {
      fail("File : '" + fileName + "' has a number out of range in line " + QNVUtils::int2string(lineNumber) +
           "\n");
      return false;
    }
  }
  return true;
}
