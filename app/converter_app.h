// The application object: it runs the main dialog and lets the program end
// when the dialog closes.
#pragma once

#include "framework/win_app.h"

namespace larkfold {

class CConverterApp : public CWinApp {
 public:
  CConverterApp() = default;
  ~CConverterApp() override = default;

  BOOL InitInstance() override;
  bool OnCommand(UINT id) override;
};

}  // namespace larkfold
