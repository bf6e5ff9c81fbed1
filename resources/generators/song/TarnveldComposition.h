// Tarnveld's song: 90 bars of 4/4 at 120 BPM (180 s) in A minor. The section boundaries
// are what the demo's timeline is cut to, so they are fixed:
//   bars  0- 3 intro      pad chords alone, fading in
//   bars  4- 7 build      kick joins, riser in bar 7
//   bars  8-15 groove     kick, snare on 2 and 4, off-beat hats, bass
//   bars 16-23 theme      the lead's melody over the groove
//   bars 24-27 breakdown  pad and lead only, snare roll in bar 27
//   bars 28-43 drop       groove and lead, the melody varied
//   bars 44-51 bridge     new chords, half-time drums, lead arpeggios
//   bars 52-59 breakdown2 pad, long bass notes and a slow lead; roll and riser in bar 59
//   bars 60-75 climax     everything, with a harmony line and open hats
//   bars 76-89 outro      lead, hats, snare, bass, kick leave in turn; silence at 180 s
// Depends on: SongArrangement, Pattern and the instruments.
#pragma once

#include <array>

#include "resources/generators/song/SongArrangement.h"

class TarnveldComposition {
 public:
  static constexpr int BARS = 90;
  static constexpr float FADE_END_SECONDS = 179.5f;

  static SongArrangement compose();

 private:
  using Chord = std::array<int, 3>;
  using Progression = std::array<Chord, 4>;
  using Roots = std::array<int, 4>;

  TarnveldComposition();

  void addSections();
  void writePad();
  void writeDrums();
  void writeBass();
  void writeLead();
  void writeRisers();
  void writeFades();

  static Pattern chords(const Progression& progression);
  static Pattern bassLine(const Roots& roots, Pattern (*bar)(int root));
  static Pattern offbeatBass(int root);
  static Pattern rollingBass(int root);
  static Pattern longBass(int root);
  static Pattern snareRoll();
  static Pattern arpeggios(const Progression& progression);
  static Pattern harmony(const Pattern& melody, int degrees);
  static int shiftInScale(int note, int degrees);

  SongArrangement song;
  Part* pad;
  Part* kick;
  Part* snare;
  Part* hats;
  Part* bass;
  Part* lead;
  Part* harmonyLead;
  Part* riser;
};
