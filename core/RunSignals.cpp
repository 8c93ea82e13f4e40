#include "core/RunSignals.h"

void RunSignals::Begin(RunSignalPort& port) {
    End(RunEnd::kQuiet); // a run left open is closed first
    port_ = &port;
    port_->KeepSystemAwake(true);
    port_->SetTaskbarState(TaskbarState::kNormal);
    port_->SetTaskbarProgress(0);
}

void RunSignals::Progress(int32_t thousandths) {
    if (port_ == nullptr)
        return;
    if (thousandths < 0)
        thousandths = 0;
    if (thousandths > 1000)
        thousandths = 1000;
    port_->SetTaskbarProgress(thousandths);
}

void RunSignals::StopQuestion(bool open) {
    if (port_ == nullptr)
        return;
    port_->SetTaskbarState(open ? TaskbarState::kPaused : TaskbarState::kNormal);
}

void RunSignals::End(RunEnd how) {
    if (port_ == nullptr)
        return;
    RunSignalPort* port = port_;
    port_ = nullptr;
    port->SetTaskbarState(TaskbarState::kNone);
    port->KeepSystemAwake(false);
    if (how == RunEnd::kFinished && !port->InForeground())
        port->FlashUntilForeground();
}
