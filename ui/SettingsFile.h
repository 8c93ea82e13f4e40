// The settings file option.ini and the version file version.ini.
//
// Both live in the program folder. option.ini holds every conversion choice
// in section "Destinate" (the keys of kSettingFields, in their order);
// version.ini holds the version text in key "Version" of section "General".
//
// When the program folder cannot be written (an installed copy under
// Program Files), option.ini lives in the user's own folder instead,
// %APPDATA%\Tarvello\option.ini, with the same name, section, keys and
// texts: it is read from there when it exists (else from the program
// folder), and written there; the first such save starts from a copy of the
// program folder's file, so its other sections and keys survive. A writable
// program folder always wins.
#pragma once

#include <cstddef>

// The program's own folder under %APPDATA%, for option.ini and the profile
// store when the program folder cannot be written.
constexpr char kUserFolderName[] = "Tarvello";

struct ConversionSettings;

constexpr size_t kSettingsPathCapacity = 256; // folder + file name, 255 + terminator

// Reads version.ini and then option.ini of the program folder into the
// version text and `settings`. Missing files, sections or keys give the
// defaults; nothing is range-tested.
void LoadSettings(ConversionSettings& settings);

// Writes every key of `settings` to option.ini. A failed write is ignored.
void SaveSettings(const ConversionSettings& settings);

// The version text read last ("1.00" until version.ini is read or when it
// has none).
const char* VersionText();

// ---- The same on explicit folders (for tests and tools) ----

// Where option.ini is read from and written to. Folders end in a backslash,
// or are empty (then the profile functions use the Windows folder).
struct SettingsPlaces {
    char programFolder[kSettingsPathCapacity];
    char userFolder[kSettingsPathCapacity]; // "" when there is no user folder
};

// The program folder and %APPDATA%\Tarvello\ of this process.
void DefaultSettingsPlaces(SettingsPlaces* places);

void LoadSettingsFrom(const SettingsPlaces& places, ConversionSettings& settings);
void SaveSettingsTo(const SettingsPlaces& places, const ConversionSettings& settings);

// The option.ini that LoadSettingsFrom / SaveSettingsTo would use; false when
// no usable path fits (then loading gives the defaults and saving does
// nothing).
bool SettingsReadPath(const SettingsPlaces& places, char* path, size_t size);
bool SettingsWritePath(const SettingsPlaces& places, char* path, size_t size);

// Reads version.ini of `programFolder` into the version text.
void LoadVersionFrom(const char* programFolder);
