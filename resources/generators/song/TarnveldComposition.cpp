#include "resources/generators/song/TarnveldComposition.h"

#include <memory>
#include <utility>

#include "resources/generators/song/Bass.h"
#include "resources/generators/song/HiHat.h"
#include "resources/generators/song/Kick.h"
#include "resources/generators/song/Lead.h"
#include "resources/generators/song/Pad.h"
#include "resources/generators/song/Riser.h"
#include "resources/generators/song/Snare.h"
#include "resources/generators/song/SongClock.h"

namespace {

const int KICK_NOTE = 36;
const int SNARE_NOTE = 38;

// Am F C G, and Dm Am F E for the bridge and the second breakdown; voiced close around C4.
const std::array<std::array<int, 3>, 4> MAIN_CHORDS = {
    {{57, 60, 64}, {57, 60, 65}, {55, 60, 64}, {55, 59, 62}}};
const std::array<std::array<int, 3>, 4> BRIDGE_CHORDS = {
    {{57, 62, 65}, {57, 60, 64}, {57, 60, 65}, {56, 59, 64}}};
const std::array<int, 4> MAIN_ROOTS = {33, 29, 36, 31};
const std::array<int, 4> BRIDGE_ROOTS = {38, 33, 29, 28};

const char* const THEME =
    "E5 - - - . . A4 - C5 - E5 - D5 - C5 - | A4 - - - - - - - . . C5 - A4 - G4 - | "
    "G4 - - - - - E5 - D5 - C5 - D5 - E5 - | D5 - - - - - - - B4 - - - . . . . | "
    "E5 - - - . . A5 - G5 - E5 - D5 - E5 - | F5 - - - E5 - C5 - A4 - - - C5 - - - | "
    "E5 - - - D5 - C5 - G4 - - - C5 - D5 - | B4 - - - - - - - D5 - - - B4 - G4 -";
const char* const VARIATION =
    "A5 - E5 - A5 - C6 - B5 - A5 - E5 - G5 - | A5 - - - F5 - - - C5 - F5 - A5 - C6 - | "
    "G5 - E5 - C5 - E5 - G5 - - - E5 - D5 - | D5 - G5 - B5 - D6 - B5 - - - G5 - - - | "
    "C6 - - - B5 - A5 - E5 - - - A5 - B5 - | C6 - - - A5 - F5 - C5 - F5 - A5 - - - | "
    "G5 - - - E5 - G5 - C6 - - - B5 - G5 - | B5 - - - - - - - D6 - - - B5 - - -";
const char* const BREAKDOWN_LINE =
    "A4 - - - - - - - C5 - - - E5 - - - | F5 - - - - - - - E5 - - - C5 - - - | "
    "E5 - - - - - - - - - - - D5 - C5 - | B4 - - - - - - - - - - - . . . .";
const char* const SLOW_LINE =
    "D5 - - - - - - - F5 - - - A5 - - - | E5 - - - - - - - - - - - C5 - - - | "
    "C5 - - - - - - - A4 - - - F5 - - - | E5 - - - - - - - G#4 - - - B4 - - -";

// Pitch classes of A natural minor, lowest first from C.
const std::array<int, 7> SCALE = {0, 2, 4, 5, 7, 9, 11};

}  // namespace

SongArrangement TarnveldComposition::compose() {
  TarnveldComposition composition;
  return std::move(composition.song);
}

TarnveldComposition::TarnveldComposition() : song(BARS) {
  kick = &song.addPart("kick", std::make_unique<Kick>(), {0.72f, 0.0f, 0.0f, 0.0f, 0.0f, true});
  snare = &song.addPart("snare", std::make_unique<Snare>(), {0.5f, 0.05f, 0.0f, 0.05f, 0.0f, false});
  hats = &song.addPart("hats", std::make_unique<HiHat>(), {0.75f, 0.3f, 0.0f, 0.0f, 0.0f, false});
  bass = &song.addPart("bass", std::make_unique<Bass>(), {0.5f, 0.0f, 0.0f, 0.0f, 0.5f, false});
  pad = &song.addPart("pad", std::make_unique<Pad>(), {0.42f, 0.0f, 12.0f, 0.0f, 0.35f, false});
  lead = &song.addPart("lead", std::make_unique<Lead>(), {0.43f, -0.15f, 6.0f, 0.3f, 0.15f, false});
  harmonyLead = &song.addPart("harmony", std::make_unique<Lead>(), {0.29f, 0.4f, 0.0f, 0.25f, 0.15f, false});
  riser = &song.addPart("riser", std::make_unique<Riser>(), {0.58f, 0.0f, 9.0f, 0.0f, 0.0f, false});
  addSections();
  writePad();
  writeDrums();
  writeBass();
  writeLead();
  writeRisers();
  writeFades();
}

void TarnveldComposition::addSections() {
  song.addSection("intro", 0, 4);
  song.addSection("build", 4, 4);
  song.addSection("groove", 8, 8);
  song.addSection("theme", 16, 8);
  song.addSection("breakdown", 24, 4);
  song.addSection("drop", 28, 16);
  song.addSection("bridge", 44, 8);
  song.addSection("breakdown2", 52, 8);
  song.addSection("climax", 60, 16);
  song.addSection("outro", 76, 14);
}

void TarnveldComposition::writePad() {
  pad->place(chords(MAIN_CHORDS), 0, 11);
  pad->place(chords(BRIDGE_CHORDS), 44, 4);
  pad->place(chords(MAIN_CHORDS), 60, 7);
  // The last chord is let go at 179 s so its release has died away before the end.
  Pattern last(2);
  for (int note : MAIN_CHORDS[0]) last.add(0, 24, note, 0.8f);
  pad->place(last, 88);
}

void TarnveldComposition::writeDrums() {
  Pattern fourFloor = Pattern::steps("x...x...x...x...", KICK_NOTE);
  Pattern halfTime = Pattern::steps("x.....x...x.....", KICK_NOTE);
  kick->place(fourFloor, 4, 20).place(fourFloor, 28, 16).place(halfTime, 44, 8);
  kick->place(fourFloor, 60, 16).place(fourFloor, 76, 10);

  Pattern backbeat = Pattern::steps("....x.......x...", SNARE_NOTE, 0.9f);
  Pattern fill = Pattern::steps("....x.......xoxx", SNARE_NOTE, 0.9f);
  Pattern phrase = Pattern(backbeat).append(backbeat).append(backbeat).append(backbeat);
  phrase.append(backbeat).append(backbeat).append(backbeat).append(fill);
  snare->place(phrase, 8, 2).place(snareRoll(), 27).place(phrase, 28, 2);
  snare->place(Pattern::steps("........x.......", SNARE_NOTE, 0.9f), 44, 7);
  snare->place(Pattern::steps("........x...xoxx", SNARE_NOTE, 0.9f), 51);
  snare->place(snareRoll(), 59).place(phrase, 60, 2).place(backbeat, 76, 6);

  Pattern offbeat = Pattern::steps("..x...x...x...x.", HiHat::CLOSED);
  Pattern eighths = Pattern::steps("o.x.o.x.o.x.o.x.", HiHat::CLOSED);
  Pattern ticks = Pattern::steps("x.x.x.x.x.x.x.x.", HiHat::CLOSED, 0.6f);
  Pattern sixteenths = Pattern::steps("oo.ooo.ooo.ooo.o", HiHat::CLOSED);
  Pattern open = Pattern::steps("..x...x...x...x.", HiHat::OPEN, 0.7f);
  hats->place(offbeat, 8, 16).place(eighths, 28, 16).place(ticks, 44, 8);
  hats->place(sixteenths, 60, 16).place(open, 60, 16).place(offbeat, 76, 4);
}

void TarnveldComposition::writeBass() {
  bass->place(bassLine(MAIN_ROOTS, offbeatBass), 8, 4);
  bass->place(bassLine(MAIN_ROOTS, rollingBass), 28, 4);
  bass->place(bassLine(BRIDGE_ROOTS, offbeatBass), 44, 2);
  bass->place(bassLine(BRIDGE_ROOTS, longBass), 52, 2);
  bass->place(bassLine(MAIN_ROOTS, rollingBass), 60, 4);
  bass->place(bassLine(MAIN_ROOTS, offbeatBass), 76, 2);
}

void TarnveldComposition::writeLead() {
  const float velocity = 0.8f;
  Pattern theme = Pattern::melody(THEME, velocity);
  Pattern variation = Pattern::melody(VARIATION, velocity);
  Pattern high = theme.transposed(12);
  lead->place(theme, 16).place(Pattern::melody(BREAKDOWN_LINE, velocity), 24);
  lead->place(variation, 28).place(high, 36);
  lead->place(arpeggios(BRIDGE_CHORDS), 44, 2).place(Pattern::melody(SLOW_LINE, velocity), 52, 2);
  lead->place(variation, 60).place(high, 68);
  harmonyLead->place(harmony(variation, -2), 60).place(harmony(high, -2), 68);
}

void TarnveldComposition::writeRisers() {
  Pattern sweep = Pattern().add(0, SongClock::ROWS_PER_BAR, 60, 0.7f);
  for (int bar : {7, 27, 43, 59}) riser->place(sweep, bar);
}

void TarnveldComposition::writeFades() {
  pad->gain().point(0.0, 0.0f).point(8.0, 1.0f);
  song.master().point(172.0, 1.0f).point(FADE_END_SECONDS, 0.0f);
}

Pattern TarnveldComposition::chords(const Progression& progression) {
  Pattern pattern(static_cast<int>(progression.size()));
  for (std::size_t bar = 0; bar < progression.size(); ++bar)
    for (int note : progression[bar])
      pattern.add(static_cast<int>(bar) * SongClock::ROWS_PER_BAR, SongClock::ROWS_PER_BAR, note, 0.8f);
  return pattern;
}

Pattern TarnveldComposition::bassLine(const Roots& roots, Pattern (*bar)(int root)) {
  Pattern line(0);
  for (int root : roots) line.append(bar(root));
  return line;
}

// Between the kicks, jumping up an octave at the end of the bar.
Pattern TarnveldComposition::offbeatBass(int root) {
  return Pattern()
      .add(2, 2, root, 1.0f)
      .add(6, 2, root, 0.9f)
      .add(10, 2, root, 1.0f)
      .add(14, 2, root + 12, 0.9f);
}

// Every sixteenth that no kick takes, the last of each beat an octave up.
Pattern TarnveldComposition::rollingBass(int root) {
  Pattern pattern;
  for (int row = 0; row < SongClock::ROWS_PER_BAR; ++row) {
    int inBeat = row % SongClock::ROWS_PER_BEAT;
    if (inBeat == 0) continue;
    pattern.add(row, 1, inBeat == 3 ? root + 12 : root, inBeat == 2 ? 1.0f : 0.8f);
  }
  return pattern;
}

Pattern TarnveldComposition::longBass(int root) { return Pattern().add(0, 14, root, 0.9f); }

// Sixteenths over the whole bar, swelling from a whisper.
Pattern TarnveldComposition::snareRoll() {
  Pattern roll;
  for (int row = 0; row < SongClock::ROWS_PER_BAR; ++row)
    roll.add(row, 1, SNARE_NOTE, 0.2f + 0.8f * row / (SongClock::ROWS_PER_BAR - 1));
  return roll;
}

// Up and down through each chord an octave higher, one sixteenth per note.
Pattern TarnveldComposition::arpeggios(const Progression& progression) {
  const std::array<int, 8> order = {0, 1, 2, 3, 2, 1, 0, 1};
  Pattern pattern(static_cast<int>(progression.size()));
  for (std::size_t bar = 0; bar < progression.size(); ++bar) {
    const Chord& chord = progression[bar];
    const std::array<int, 4> tones = {chord[0] + 12, chord[1] + 12, chord[2] + 12, chord[0] + 24};
    for (int row = 0; row < SongClock::ROWS_PER_BAR; ++row) {
      int note = tones[order[row % order.size()]];
      pattern.add(static_cast<int>(bar) * SongClock::ROWS_PER_BAR + row, 1, note,
                  row % 4 == 0 ? 0.6f : 0.45f);
    }
  }
  return pattern;
}

Pattern TarnveldComposition::harmony(const Pattern& melody, int degrees) {
  Pattern voice(melody.getBars());
  for (const NoteEvent& event : melody.getEvents())
    voice.add(event.row, event.lengthRows, shiftInScale(event.note, degrees), event.velocity);
  return voice;
}

// Moves a note by scale steps of A minor; a note outside the scale first drops to the step below.
int TarnveldComposition::shiftInScale(int note, int degrees) {
  int octave = note / 12;
  int step = static_cast<int>(SCALE.size()) - 1;
  while (SCALE[step] > note % 12) --step;
  int target = step + degrees;
  int octaves = target >= 0 ? target / 7 : (target - 6) / 7;
  return (octave + octaves) * 12 + SCALE[target - octaves * 7];
}
