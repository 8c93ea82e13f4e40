#include "core/VideoFileTypes.h"

#include <cctype>

namespace {

// The "All video files" extensions; the filter text below lists the same.
const char* const kVideoExtensions[] = {
    "avi", "divx", "div", "xvid", "mp4", "m4v", "mov",  "mkv", "webm", "wmv", "asf", "flv",
    "mpg", "mpeg", "m2v", "vob",  "ts",  "mts", "m2ts", "3gp", "3g2",  "ogv", "dv",
};

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

const char kImportFilterText[] =
    "AVI file (*.AVI,*.DivX,*.div,*.Xvid)|*.avi;*.divx;*.div;*.xvid|"
    "All video "
    "files|*.avi;*.divx;*.div;*.xvid;*.mp4;*.m4v;*.mov;*.mkv;*.webm;*.wmv;*.asf;*.flv;*.mpg;"
    "*.mpeg;*.m2v;*.vob;*.ts;*.mts;*.m2ts;*.3gp;*.3g2;*.ogv;*.dv|"
    "All files (*.*)|*.*||";

int ValidImportFilter(int index) {
    return (index >= kAviFilter && index <= kAllFilesFilter) ? index : kAviFilter;
}

bool IsVideoFileName(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos && dot < slash)
        return false;
    std::string extension = name.substr(dot + 1);
    for (const char* known : kVideoExtensions) {
        if (EqualsIgnoringCase(extension, known))
            return true;
    }
    return false;
}
