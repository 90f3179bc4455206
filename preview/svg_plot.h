// The piano-roll picture as an SVG document, for a browser. Each output
// channel is one <path class="channel">, stroked with a horizontal gradient
// whose stops carry the opacity of each frame's level; the input is one
// <path class="input">.
#pragma once

#include <string>

#include "preview/piano_roll.h"

namespace larkfold {

std::string PianoRollSvg(const PianoRoll& roll);

// Text with the five characters XML reserves written as references.
std::string XmlEscaped(const std::string& text);

}  // namespace larkfold
