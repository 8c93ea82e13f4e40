#include "run/WindowProgressPort.h"

#include "run/MessagePump.h"
#include "run/ProgressView.h"
#include "framework/WinApp.h"

bool AskStopQuestion(HWND owner) {
    return MessageBoxA(owner, "Do you really want to stop?", AfxGetAppName(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WindowProgressPort::PumpOneMessage() {
    ::PumpOneMessage();
}

HWND WindowProgressPort::BoxOwner() const {
    HWND shown = progress_ != nullptr ? progress_->ShownWindow() : nullptr;
    if (shown != nullptr)
        return shown;
    return mainWindow_;
}

bool WindowProgressPort::AskStop() {
    // While the run shows its progress the question belongs to that dialog,
    // so Cancel cannot be pressed again while it is open.
    signals_.StopQuestion(true);
    const bool stop = AskStopQuestion(BoxOwner());
    signals_.StopQuestion(false);
    return stop;
}

uint32_t WindowProgressPort::TickCount() {
    return GetTickCount();
}

void WindowProgressPort::ShowProgress(const char* text, int32_t thousandths) {
    signals_.Progress(thousandths);
    if (progress_ == nullptr)
        return;
    progress_->SetStatusText(text);
    progress_->SetBarPosition(thousandths);
}
