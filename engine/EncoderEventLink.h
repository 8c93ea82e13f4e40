// The encoder's window message and its handling by the window it reports to.
#pragma once

#include <windows.h>

#include <cstdint>

#include "encoder/EncoderEvents.h"

// Sent by the encoder: the event code in wParam, a signed 32-bit value in
// lParam; a result of 1 tells it to stop.
#ifndef WM_ENCODER_EVENT
#define WM_ENCODER_EVENT (WM_USER + 800)
#endif
static_assert(WM_ENCODER_EVENT == kEncoderEventMessage, "one message number on both sides");

// Handles one WM_ENCODER_EVENT received by `window` (the main dialog): probe
// values go to g_sourceTable, position reports to g_progressDlg and the stop
// question. Returns the message result (0 go on, 1 stop); a dialog passes it
// back through DWLP_MSGRESULT.
LRESULT OnEncoderEvent(HWND window, WPARAM code, LPARAM value);

// "Do you really want to stop?" with Yes and No, owned by `owner`; true on Yes.
bool AskStopQuestion(HWND owner);
