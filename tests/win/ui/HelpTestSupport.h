// Shared pieces of the help tests: the application object's profile file,
// tips.txt beside the test executable, and running a modal dialog while a
// helper thread drives it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace helptest {

// Folder of the test executable, with its final backslash.
std::string ExeFolder();

// Points the application's profile store at a fresh, empty file.
void ResetProfile();
// A key of the profile's "Tip" section, or "<absent>" when it is not there.
std::string TipProfileValue(const char* key);
void SetTipProfileValue(const char* key, const char* value);

// Writes tips.txt beside the executable (bytes as given), or removes it.
void WriteTipsFile(const std::string& content);
void RemoveTipsFile();

// Runs `runModal` (which shows a modal window captioned `caption`) on this
// thread while `drive` gets that window on a helper thread. `drive` must end
// the window. Returns false when the window never appeared.
bool RunDriven(const char* caption, const std::function<void()>& runModal,
               const std::function<void(HWND)>& drive);

// Text of dialog item `id` of `dialog` (works from any thread).
std::string ItemText(HWND dialog, int id);

// Saves a screenshot of `window` as <build>\screenshots\help\<name>.bmp.
void Screenshot(HWND window, const char* name);

} // namespace helptest
