// Start-up registration of the media-player component: the registration tool
// runs hidden on the copy of the component in the program folder, and is
// never waited for.
#pragma once

#include <windows.h>

#include <cstddef>

constexpr char kComponentFile[] = "Vidrel.ocx";

// Starts a program the way WinExec does (command line, show command).
using ProgramStarter = UINT(WINAPI*)(LPCSTR commandLine, UINT showCommand);

// Writes the command line that registers the component of `programFolder`
// (with its final backslash): the system's regsvr32.exe and the component,
// both as full quoted paths, and "/s". False when the component is not in
// that folder or the text does not fit.
bool ComponentRegistrationCommand(const char* programFolder, char* out, size_t size);

// Starts that command hidden with `start`; its result is not looked at.
// Returns whether a command was started.
bool StartComponentRegistration(const char* programFolder, ProgramStarter start = WinExec);
