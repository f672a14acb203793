// Identifiers of the class library: commands, private messages, help
// context bases and its own message strings.
#pragma once

#include "platform/base/WinTypes.h"

constexpr UINT ID_HELP = 0xE146;               // the help command (F1)
constexpr UINT WM_COMMANDHELP = 0x0365;        // asks a window for its help context
constexpr DWORD HID_BASE_RESOURCE = 0x00020000; // help context of a dialog: this plus its help identifier
constexpr DWORD HID_BASE_PROMPT = 0x00030000;   // help context of a message box: this plus its string
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;     // the application's name, when the resources hold one
constexpr UINT AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xF107;

// Command identifiers from 0x8000 up to 0xEFFF are commands (menu or
// accelerator); a dialog passes those it does not handle to its owner and
// then to the application object.
constexpr bool IS_COMMAND_ID(UINT id) { return id >= 0x8000 && id < 0xF000; }

// Notification code of a plain command.
constexpr UINT CN_COMMAND = 0;
