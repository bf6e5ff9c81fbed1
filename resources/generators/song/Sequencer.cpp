#include "resources/generators/song/Sequencer.h"

#include <algorithm>

#include "resources/generators/song/SongClock.h"

void Sequencer::render(const Part& part, int64_t firstFrame, std::size_t frames, std::vector<float>& out) {
  out.assign(frames, 0.0f);
  for (const NoteEvent& note : part.getEvents()) addNote(part, note, firstFrame, out);
  applyGain(part, firstFrame, out);
}

// Notes of one part differ in noise, and parts differ from each other, yet every build
// hears the same hits.
uint32_t Sequencer::seedFor(const Part& part, const NoteEvent& note) {
  uint32_t hash = 2166136261u;
  for (char c : part.getName()) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash ^ (static_cast<uint32_t>(note.row) * 2654435761u) ^ (static_cast<uint32_t>(note.note) * 40503u);
}

void Sequencer::addNote(const Part& part, const NoteEvent& note, int64_t firstFrame,
                        std::vector<float>& out) {
  const Instrument& instrument = part.getInstrument();
  double gate = SongClock::secondsOfRows(note.lengthRows);
  int64_t start = SongClock::frameOfRow(note.row);
  int64_t length = SongClock::framesOfSeconds(instrument.length(note, gate));
  int64_t windowEnd = firstFrame + static_cast<int64_t>(out.size());
  int64_t from = std::max(start, firstFrame);
  int64_t to = std::min(start + length, windowEnd);
  if (from >= to) return;
  scratch.assign(static_cast<std::size_t>(to - start), 0.0f);
  instrument.render(note, gate, seedFor(part, note), scratch.data(), scratch.size());
  for (int64_t frame = from; frame < to; ++frame) out[frame - firstFrame] += scratch[frame - start];
}

void Sequencer::applyGain(const Part& part, int64_t firstFrame, std::vector<float>& out) {
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] *= part.gain().valueAt(static_cast<double>(firstFrame + static_cast<int64_t>(i)) /
                                  SongClock::SAMPLE_RATE);
}
