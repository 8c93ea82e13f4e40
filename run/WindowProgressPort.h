// The encoder's window message, and the window side of a run's position
// reports: the progress dialog, the stop question and the run signals.
#pragma once

#include <windows.h>

#include <cstdint>

#include "protocol/EncoderEvents.h"
#include "core/EncoderReports.h"
#include "core/RunSignals.h"

class ProgressView;

// Sent by the encoder: the event code in wParam, a signed 32-bit value in
// lParam; a result of 1 tells it to stop.
#ifndef WM_ENCODER_EVENT
#define WM_ENCODER_EVENT kEncoderEventMessage
#endif

// "Do you really want to stop?" with Yes and No, owned by `owner`; true on Yes.
bool AskStopQuestion(HWND owner);

// The progress dialog (none when null), the boxes and the signals of a
// running conversion; boxes belong to the dialog while it is on screen, else
// to `mainWindow`. The clock is the system's tick count.
class WindowProgressPort : public ProgressPort {
public:
    WindowProgressPort(HWND mainWindow, ProgressView* progress, RunSignals& signals)
        : mainWindow_(mainWindow), progress_(progress), signals_(signals) {}

    void PumpOneMessage() override;
    bool AskStop() override;
    uint32_t TickCount() override;
    void ShowProgress(const char* text, int32_t thousandths) override;

    // The owner for a box shown now.
    HWND BoxOwner() const;

private:
    HWND mainWindow_;
    ProgressView* progress_;
    RunSignals& signals_;
};
