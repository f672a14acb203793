// Identifiers of the program's resources, shared by the resource script and
// the C++ code. Plain #defines so that both the compiler and the resource
// compiler's preprocessor read them. IDOK (1) comes from the platform layer.
#pragma once

// Templates, strings and icons.
#define IDD_ABOUT_BOX 100
#define IDS_ABOUT_ENTRY 101
#define IDD_RECORDER 102
#define IDR_APP_ICON 128

// System-menu command of the About entry.
#define IDM_ABOUT_ENTRY 0x0010

// Controls of the recorder window (1012 is not used).
#define IDC_CHANNEL 1001
#define IDC_SAMPLE_RATE 1002
#define IDC_RECORDING_TIME 1003
#define IDC_START_RECORDING 1004
#define IDC_SAVE_FILE 1005
#define IDC_DETECT_HARDWARE 1006
#define IDC_FORMAT_TEXT 1007
#define IDC_FORMAT_CSV 1008
#define IDC_FORMAT_MATLAB 1009
#define IDC_FORMAT_BINARY 1010
#define IDC_FILE_NAME 1011
#define IDC_BROWSE_FILE 1013
