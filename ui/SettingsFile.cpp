#include "ui/SettingsFile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "core/ConversionSettings.h"
#include "framework/ProgramFolder.h"
#include "framework/SettingsLocation.h"

namespace {

const char kOptionFile[] = "option.ini";
const char kVersionFile[] = "version.ini";
const char kVersionSection[] = "General";
const char kVersionKey[] = "Version";
const char kDefaultVersion[] = "1.00";

char g_versionText[kSettingsPathCapacity] = "1.00";

// folder + name into path; false when it does not fit (a cut path would name
// some other file).
bool JoinPath(const char* folder, const char* name, char* path, size_t size) {
    const int n = snprintf(path, size, "%s%s", folder, name);
    return n >= 0 && static_cast<size_t>(n) < size;
}

bool FileExists(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates `folder` (ending in a backslash) and any missing parents.
void CreateFolders(const char* folder) {
    char partial[kSettingsPathCapacity];
    for (size_t i = 0; folder[i] != '\0' && i + 1 < sizeof partial; ++i) {
        partial[i] = folder[i];
        if (folder[i] == '\\' && i > 0 && folder[i - 1] != ':' && folder[i - 1] != '\\') {
            partial[i + 1] = '\0';
            CreateDirectoryA(partial, nullptr); // fails harmlessly when it exists
        }
    }
}

// The program folder's option.ini, when it names a file the writer may use.
// An empty folder gives the bare name, which the profile functions resolve
// in the Windows folder.
struct ProgramFile {
    char path[kSettingsPathCapacity];
    bool fits;
    bool bare;
};

ProgramFile ProgramOptionFile(const SettingsPlaces& places) {
    ProgramFile file;
    file.bare = places.programFolder[0] == '\0';
    file.fits = JoinPath(places.programFolder, kOptionFile, file.path, sizeof file.path);
    return file;
}

bool UserOptionFile(const SettingsPlaces& places, char* path, size_t size) {
    return places.userFolder[0] != '\0' && JoinPath(places.userFolder, kOptionFile, path, size);
}

bool CopyOut(const char* from, char* path, size_t size) {
    return snprintf(path, size, "%s", from) >= 0;
}

void ReadFields(const char* path, ConversionSettings& settings) {
    char text[kSettingsPathCapacity];
    for (const SettingField& field : kSettingFields) {
        if (path != nullptr) {
            GetPrivateProfileStringA(kSettingsSection, field.key, field.defaultText, text,
                                     sizeof text, path);
        } else {
            snprintf(text, sizeof text, "%s", field.defaultText);
        }
        if (field.IsText()) {
            SetOutputFolder(settings, text);
        } else {
            // atoi reading: "35dB" is 35, "abc" and "" are 0.
            settings.*field.number = ParseSettingNumber(text);
        }
    }
}

} // namespace

const char* VersionText() {
    return g_versionText;
}

void LoadVersionFrom(const char* programFolder) {
    char path[kSettingsPathCapacity];
    if (!JoinPath(programFolder, kVersionFile, path, sizeof path)) {
        snprintf(g_versionText, sizeof g_versionText, "%s", kDefaultVersion);
        return;
    }
    GetPrivateProfileStringA(kVersionSection, kVersionKey, kDefaultVersion, g_versionText,
                             sizeof g_versionText, path);
}

bool SettingsReadPath(const SettingsPlaces& places, char* path, size_t size) {
    const ProgramFile program = ProgramOptionFile(places);
    if (program.bare || (program.fits && CanWriteFile(program.path))) {
        return CopyOut(program.path, path, size);
    }
    char user[kSettingsPathCapacity];
    if (UserOptionFile(places, user, sizeof user) && FileExists(user)) {
        return CopyOut(user, path, size);
    }
    // Not saved by this user yet: the program folder's file, if any, holds
    // the values an installation ships with.
    return program.fits && CopyOut(program.path, path, size);
}

bool SettingsWritePath(const SettingsPlaces& places, char* path, size_t size) {
    const ProgramFile program = ProgramOptionFile(places);
    if (program.bare || (program.fits && CanWriteFile(program.path))) {
        return CopyOut(program.path, path, size);
    }
    char user[kSettingsPathCapacity];
    return UserOptionFile(places, user, sizeof user) && CopyOut(user, path, size);
}

void LoadSettingsFrom(const SettingsPlaces& places, ConversionSettings& settings) {
    char path[kSettingsPathCapacity];
    ReadFields(SettingsReadPath(places, path, sizeof path) ? path : nullptr, settings);
}

void SaveSettingsTo(const SettingsPlaces& places, const ConversionSettings& settings) {
    char path[kSettingsPathCapacity];
    if (!SettingsWritePath(places, path, sizeof path))
        return;

    const ProgramFile program = ProgramOptionFile(places);
    if (!program.bare && std::strcmp(path, program.path) != 0 && !FileExists(path)) {
        // First save to the user's folder: start from the program folder's
        // file so that keys and sections we do not know are kept.
        CreateFolders(places.userFolder);
        if (program.fits && FileExists(program.path) && CopyFileA(program.path, path, TRUE)) {
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        }
    }

    char text[kSettingsPathCapacity];
    for (const SettingField& field : kSettingFields) {
        const char* value = settings.outputFolder;
        if (!field.IsText()) {
            snprintf(text, sizeof text, "%ld", static_cast<long>(settings.*field.number));
            value = text;
        }
        WritePrivateProfileStringA(kSettingsSection, field.key, value, path);
    }
}

void DefaultSettingsPlaces(SettingsPlaces* places) {
    ProgramFolder(places->programFolder, sizeof places->programFolder);
    // The user's folder with its final backslash, "" without %APPDATA%.
    char folder[kSettingsPathCapacity];
    places->userFolder[0] = '\0';
    if (UserDataFolder(kUserFolderName, folder, sizeof folder)) {
        const int written = snprintf(places->userFolder, sizeof places->userFolder, "%s\\", folder);
        if (written < 0 || static_cast<size_t>(written) >= sizeof places->userFolder) {
            places->userFolder[0] = '\0'; // too long to hold option.ini anyway
        }
    }
}

void LoadSettings(ConversionSettings& settings) {
    SettingsPlaces places;
    DefaultSettingsPlaces(&places);
    LoadVersionFrom(places.programFolder);
    LoadSettingsFrom(places, settings);
}

void SaveSettings(const ConversionSettings& settings) {
    SettingsPlaces places;
    DefaultSettingsPlaces(&places);
    SaveSettingsTo(places, settings);
}
