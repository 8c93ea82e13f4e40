// Opening a link target through the shell, and telling the user why it failed.
#pragma once

#include <windows.h>

// Opens `target` with the shell's "open" verb. When that fails, runs the
// command that opens web pages (the ".htm" association) with the target
// appended. Returns the shell's result, or the process start's result of the
// fallback; above 32 means opened (above 31 for the fallback).
INT_PTR OpenLink(const char* target, int showCommand);

// Message box (exclamation icon, OK) explaining an OpenLink result code.
void ReportLinkError(INT_PTR code);
