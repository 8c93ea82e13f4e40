// Which files the import offers and takes from a dropped folder: the AVI
// family first, then the containers that today's cameras, phones and
// downloads write and that the shipped FFmpeg reads. Pure.
#pragma once

#include <cstddef>
#include <string>

// The file dialog's filters in the "text|patterns|...||" form: "AVI file
// (...)", "All video files", "All files (*.*)", in that order (1-based
// indexes kAviFilter, kVideoFilter, kAllFilesFilter).
extern const char kImportFilterText[];
constexpr int kAviFilter = 1;
constexpr int kVideoFilter = 2;
constexpr int kAllFilesFilter = 3;

// While a sound-only format is chosen the dialog offers a fourth filter,
// "Sound files", for files with sound and no picture.
extern const char kImportFilterTextWithSound[];
constexpr int kSoundFilter = 4;
const char* ImportFilterText(bool withSound);

// A saved filter index as the dialog should get it: out-of-range values
// (a hand-edited profile, an older version, the sound filter while a video
// format is chosen) fall back to the AVI filter.
int ValidImportFilter(int index, bool withSound = false);

// True when the name ends in one of the "All video files" extensions
// (case-insensitive).
bool IsVideoFileName(const std::string& name);

// True when the name ends in one of the "Sound files" extensions (WAV, FLAC,
// M4A, MP3, OGG, Opus; case-insensitive).
bool IsSoundFileName(const std::string& name);
