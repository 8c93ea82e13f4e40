// The "When done" actions on the real system: the shell opens the folder,
// SetSuspendState (powrprof.dll, loaded when needed) sleeps, ExitWindowsEx
// shuts down, both with the shut-down privilege enabled first.
//
// When the environment variable TARVELLO_WHEN_DONE_LOG names a file, each
// request is appended to it as a line ("open <folder>", "sleep",
// "shut down") instead of being carried out: the end-to-end tests watch the
// requests without losing their machine.
#pragma once

#include "core/WhenDone.h"

class SystemWhenDonePort : public WhenDonePort {
public:
    void OpenFolder(const char* folder) override;
    bool Sleep() override;
    bool ShutDown() override;
};
