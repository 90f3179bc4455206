/* Resource numbers of the dialog program. Plain definitions, so that the
   resource compiler can read this file too. */
#pragma once

#include "convert/control_ids.h"

#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDD_PROGRESS 129

/* Controls of the progress window. */
#define IDC_PROGRESS_TEXT -1
#define IDC_PROGRESS_CANCEL 1001
