// The build without cairo: no PNG.
#include "preview/png_plot.h"

namespace larkfold {

bool CanWritePng() {
  return false;
}

bool PianoRollPng(const PianoRoll& /*roll*/, std::string& /*png*/, std::string& why) {
  why = "this build of larkfold writes no PNG";
  return false;
}

}  // namespace larkfold
