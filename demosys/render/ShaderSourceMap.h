// Where each line of a preprocessed shader text came from: the shader entry's #define items, or a
// line of the main file or of a file it includes. The driver numbers its messages by the lines of
// the combined text; this turns those numbers back into file and line.
// Depends on: nothing.
#pragma once

#include <string>
#include <vector>

class ShaderSourceMap {
 public:
  // A file (shader directory included) and its line, counted from 1; line 0 marks a #define line
  // made from the shader entry's items.
  struct Origin {
    std::string file;
    int line;
  };

  void clear() { origins.clear(); }
  // The next line of the combined text is line `line` (from 1) of file.
  void add(const std::string& file, int line) { origins.push_back({file, line}); }
  // One line per combined-text line number the compiler log mentions, in the log's order, each
  // once: "Line N is FILE line L\n". Empty when the log names no line of the text.
  std::string describe(const std::string& log) const;
  // The origin of combined-text line `line` (from 1); null when the text has no such line.
  const Origin* find(int line) const {
    return line >= 1 && static_cast<std::size_t>(line) <= origins.size() ? &origins[line - 1] : nullptr;
  }

 private:
  std::vector<Origin> origins;
};
