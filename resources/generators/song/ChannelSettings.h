// How one part sits in the mix: level, place in the stereo field, width, echo and how much
// it ducks under the parts marked as the ducking key (the kick).
#pragma once

struct ChannelSettings {
  float gain = 1.0f;
  float pan = 0.0f;       // -1 left .. 1 right
  float spreadMs = 0.0f;  // right side delayed by this much: a wider image
  float echoSend = 0.0f;  // share sent to the ping-pong echo
  float duck = 0.0f;      // 0 .. 1: dip under the key's envelope
  bool duckKey = false;   // this part drives the ducking
};
