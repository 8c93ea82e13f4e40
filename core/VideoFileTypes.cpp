#include "core/VideoFileTypes.h"

#include <cctype>

namespace {

// The "All video files" extensions; the filter text below lists the same.
const char* const kVideoExtensions[] = {
    "avi", "divx", "div", "xvid", "mp4", "m4v", "mov",  "mkv", "webm", "wmv", "asf", "flv",
    "mpg", "mpeg", "m2v", "vob",  "ts",  "mts", "m2ts", "3gp", "3g2",  "ogv", "dv",
};

// The "Sound files" extensions; the filter text below lists the same.
const char* const kSoundExtensions[] = {"wav", "flac", "m4a", "mp3", "ogg", "opus"};

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

} // namespace

#define TARVELLO_VIDEO_FILTERS                                                                    \
    "AVI file (*.AVI,*.DivX,*.div,*.Xvid)|*.avi;*.divx;*.div;*.xvid|"                             \
    "All video "                                                                                  \
    "files|*.avi;*.divx;*.div;*.xvid;*.mp4;*.m4v;*.mov;*.mkv;*.webm;*.wmv;*.asf;*.flv;*.mpg;"     \
    "*.mpeg;*.m2v;*.vob;*.ts;*.mts;*.m2ts;*.3gp;*.3g2;*.ogv;*.dv|"                                \
    "All files (*.*)|*.*|"

const char kImportFilterText[] = TARVELLO_VIDEO_FILTERS "|";
const char kImportFilterTextWithSound[] =
    TARVELLO_VIDEO_FILTERS "Sound files (*.wav,*.flac,*.m4a,*.mp3,*.ogg,*.opus)|"
                           "*.wav;*.flac;*.m4a;*.mp3;*.ogg;*.opus||";
#undef TARVELLO_VIDEO_FILTERS

const char* ImportFilterText(bool withSound) {
    return withSound ? kImportFilterTextWithSound : kImportFilterText;
}

int ValidImportFilter(int index, bool withSound) {
    const int last = withSound ? kSoundFilter : kAllFilesFilter;
    return (index >= kAviFilter && index <= last) ? index : kAviFilter;
}

template <size_t N> bool HasExtension(const std::string& name, const char* const (&known)[N]) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos && dot < slash)
        return false;
    std::string extension = name.substr(dot + 1);
    for (const char* one : known) {
        if (EqualsIgnoringCase(extension, one))
            return true;
    }
    return false;
}

bool IsVideoFileName(const std::string& name) {
    return HasExtension(name, kVideoExtensions);
}

bool IsSoundFileName(const std::string& name) {
    return HasExtension(name, kSoundExtensions);
}
