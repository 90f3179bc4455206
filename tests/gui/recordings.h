// DAT recordings written by the tests themselves.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace larkfold::gui {

// `frames` frames of eight sounding channels whose pitches and levels wander,
// then the timing trailer. With eight channels the reference search tries
// every one of 40320 orderings for each frame, which makes a conversion that
// lasts long enough to be watched and cancelled.
inline std::string WanderingRecording(int frames) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(frames + 1) * 64);
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 8) & 0xFFFF;
  };
  const auto put = [&bytes](std::int32_t value) {
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes.append(raw, 4);
  };
  for (int frame = 0; frame < frames; ++frame) {
    for (int channel = 0; channel < 8; ++channel) {
      put(static_cast<std::int32_t>(1000 + next() % 30000));                  // amplitude
      put(static_cast<std::int32_t>(1000 + channel * 4000 + next() % 4000));  // tenths of Hz
    }
  }
  bytes.append(60, '\0');
  put(60);
  return bytes;
}

}  // namespace larkfold::gui
