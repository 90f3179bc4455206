/* Identifiers of the main dialog's controls, which the conversion reads.
   Plain definitions, so that the resource compiler can read this file too. */
#pragma once

#define IDC_DAT_PATH 1000
#define IDC_BROWSE 1001
#define IDC_CONVERT 1002
#define IDC_EXIT 1003
#define IDC_VOLUME 1004
#define IDC_SPEED 1005
#define IDC_SOURCE_FM 1006
#define IDC_SOURCE_PCM 1007
#define IDC_CHANNELS_3 1008
#define IDC_CHANNELS_4 1009
#define IDC_CHANNELS_5 1010
#define IDC_CHANNELS_6 1011
#define IDC_CHANNELS_7 1012
#define IDC_CHANNELS_8 1013
