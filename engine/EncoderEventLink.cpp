#include "engine/EncoderEventLink.h"

#include "engine/EncoderEvents.h"
#include "engine/MessagePump.h"
#include "engine/ProgressDlg.h"
#include "engine/RunClock.h"
#include "engine/RunState.h"
#include "engine/SourceTable.h"
#include "engine/SystemRunSignals.h"
#include "framework/WinApp.h"

namespace {

// The progress dialog and the boxes of the running conversion.
class WindowProgressPort : public ProgressPort {
public:
    explicit WindowProgressPort(HWND window) : window_(window) {}

    void PumpOneMessage() override { ::PumpOneMessage(); }

    bool AskStop() override {
        // While the run shows its progress the question belongs to that dialog,
        // so Cancel cannot be pressed again while it is open.
        HWND owner = window_;
        if (g_progressDlg != nullptr && g_progressDlg->GetSafeHwnd() != nullptr &&
            g_progressDlg->IsWindowVisible()) {
            owner = g_progressDlg->GetSafeHwnd();
        }
        g_runSignals.StopQuestion(true);
        const bool stop = AskStopQuestion(owner);
        g_runSignals.StopQuestion(false);
        return stop;
    }

    uint32_t TickCount() override { return RunTickCount(); }

    void ShowProgress(const char* text, int32_t thousandths) override {
        g_runSignals.Progress(thousandths);
        if (g_progressDlg == nullptr) return;
        g_progressDlg->SetStatusText(text);
        g_progressDlg->SetBarPosition(thousandths);
    }

private:
    HWND window_;
};

}  // namespace

bool AskStopQuestion(HWND owner) {
    return MessageBoxA(owner, "Do you really want to stop?", AfxGetAppName(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

LRESULT OnEncoderEvent(HWND window, WPARAM code, LPARAM value) {
    WindowProgressPort port(window);
    // The value travels as a signed 32-bit number whatever the pointer size.
    const int32_t signedValue = static_cast<int32_t>(static_cast<uint32_t>(value));
    return HandleEncoderEvent(static_cast<uint32_t>(code), signedValue, g_sourceTable, g_runState,
                              port);
}
