// The piano-roll picture as a PNG image, drawn by cairo where the build found
// it; without cairo the tool writes SVG only.
#pragma once

#include <string>

#include "preview/piano_roll.h"

namespace larkfold {

bool CanWritePng();

// Draws `roll` into `png` (the bytes of a PNG file). False, with the reason
// in `why`, when it cannot.
bool PianoRollPng(const PianoRoll& roll, std::string& png, std::string& why);

}  // namespace larkfold
