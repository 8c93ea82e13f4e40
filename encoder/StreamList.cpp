#include "encoder/StreamList.h"

#include <cstdlib>
#include <cstring>

namespace {

struct KindName {
    const char* heading; // ": Audio: "
    SourceStream::Kind kind;
};
const KindName kKinds[] = {
    {": Video: ", SourceStream::kVideo},       {": Audio: ", SourceStream::kAudio},
    {": Subtitle: ", SourceStream::kSubtitle}, {": Attachment: ", SourceStream::kAttachment},
    {": Data: ", SourceStream::kData},
};

// Subtitles FFmpeg decodes into pictures; any other known subtitle is text.
const char* const kBitmapSubtitles[] = {"dvd_subtitle", "dvb_subtitle", "hdmv_pgs_subtitle", "xsub",
                                        "dvb_teletext"};
const char* const kTextSubtitles[] = {"subrip",     "srt",      "ass",      "ssa",     "mov_text",
                                      "webvtt",     "text",     "microdvd", "mpl2",    "pjs",
                                      "sami",       "realtext", "stl",      "jacosub", "subviewer",
                                      "subviewer1", "vplayer",  "eia_608"};

// FFmpeg's channel layout names.
struct Layout {
    const char* name;
    int channels;
};
const Layout kLayouts[] = {{"mono", 1}, {"stereo", 2}, {"downmix", 2},   {"2.1", 3},
                           {"3.0", 3},  {"quad", 4},   {"4.0", 4},       {"4.1", 5},
                           {"5.0", 5},  {"5.1", 6},    {"6.0", 6},       {"6.1", 7},
                           {"7.0", 7},  {"7.1", 8},    {"hexagonal", 6}, {"octagonal", 8}};

template <size_t N> bool Listed(const char* const (&names)[N], const std::string& name) {
    for (const char* n : names) {
        if (name == n)
            return true;
    }
    return false;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return std::string();
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// The channels of a field such as "stereo", "5.1(side)" or "3 channels".
int Channels(const std::string& field) {
    const std::string base = field.substr(0, field.find('('));
    for (const Layout& l : kLayouts) {
        if (base == l.name)
            return l.channels;
    }
    const size_t blank = field.find(" channels");
    if (blank != std::string::npos && blank > 0)
        return std::atoi(field.c_str());
    return 0;
}

// The comma-separated fields after the kind, outside parentheses.
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    int depth = 0;
    std::string current;
    for (char c : text) {
        if (c == '(' || c == '[')
            ++depth;
        if ((c == ')' || c == ']') && depth > 0)
            --depth;
        if (c == ',' && depth == 0) {
            fields.push_back(Trim(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    fields.push_back(Trim(current));
    return fields;
}

// "    Stream #0:1[0x101](eng): Audio: mp2, 48000 Hz, stereo, fltp (default)"
bool ReadStreamLine(const std::string& line, SourceStream& s) {
    const size_t at = line.find("Stream #0:");
    if (at == std::string::npos)
        return false;
    const char* number = line.c_str() + at + 10;
    if (*number < '0' || *number > '9')
        return false;
    s.index = std::atoi(number);
    size_t kindAt = std::string::npos;
    for (const KindName& k : kKinds) {
        kindAt = line.find(k.heading, at);
        if (kindAt != std::string::npos) {
            s.kind = k.kind;
            kindAt += std::strlen(k.heading);
            break;
        }
    }
    // The language in parentheses between the number and the kind.
    const size_t colon = line.find(": ", at + 10);
    const size_t open = line.find('(', at + 10);
    if (open != std::string::npos && open < colon) {
        const size_t close = line.find(')', open);
        if (close != std::string::npos && close < colon)
            s.language = line.substr(open + 1, close - open - 1);
        if (s.language == "und")
            s.language.clear();
    }
    if (kindAt == std::string::npos)
        return true; // a kind FFmpeg does not name, "Unknown: none"
    const std::string rest = line.substr(kindAt);
    s.isDefault = rest.find(" (default)") != std::string::npos;
    s.forced = rest.find(" (forced)") != std::string::npos;
    s.coverPicture =
        s.kind == SourceStream::kVideo && rest.find("(attached pic)") != std::string::npos;
    const std::vector<std::string> fields = Fields(rest);
    s.codec = fields[0].substr(0, fields[0].find_first_of(" ,"));
    if (s.kind == SourceStream::kSubtitle) {
        s.bitmapSubtitle = Listed(kBitmapSubtitles, s.codec);
        s.textSubtitle = Listed(kTextSubtitles, s.codec);
    }
    if (s.kind == SourceStream::kAudio) {
        for (size_t i = 1; i < fields.size(); ++i) {
            const std::string& f = fields[i];
            if (s.sampleRate == 0 && f.size() > 3 && f.compare(f.size() - 3, 3, " Hz") == 0)
                s.sampleRate = std::atoi(f.c_str());
            else if (s.channels == 0)
                s.channels = Channels(f);
        }
    }
    return true;
}

} // namespace

int StreamList::Count(SourceStream::Kind kind) const {
    int n = 0;
    for (const SourceStream& s : streams)
        n += s.kind == kind ? 1 : 0;
    return n;
}

const SourceStream* StreamList::DefaultAudio() const {
    const SourceStream* first = nullptr;
    for (const SourceStream& s : streams) {
        if (s.kind != SourceStream::kAudio)
            continue;
        if (s.isDefault)
            return &s;
        if (first == nullptr)
            first = &s;
    }
    return first;
}

StreamList ReadStreamList(const std::string& text) {
    StreamList list;
    bool inInput = false;
    SourceStream* current = nullptr; // the stream whose metadata lines follow
    int orders[SourceStream::kOther + 1] = {};
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.compare(0, 8, "Input #0") == 0) {
            inInput = true;
            continue;
        }
        // The next heading ends the input's section.
        if (line.compare(0, 6, "Input ") == 0 || line.compare(0, 7, "Output ") == 0 ||
            line.compare(0, 14, "Stream mapping") == 0) {
            if (inInput)
                break;
            continue;
        }
        if (!inInput)
            continue;
        if (line.find("Chapter #0:") != std::string::npos) {
            ++list.chapters;
            current = nullptr;
            continue;
        }
        SourceStream s;
        if (ReadStreamLine(line, s)) {
            s.kindOrder = orders[s.kind]++;
            list.streams.push_back(s);
            current = &list.streams.back();
            continue;
        }
        const std::string item = Trim(line);
        if (current != nullptr && item.compare(0, 5, "title") == 0) {
            const size_t colon = item.find(':');
            if (colon != std::string::npos && Trim(item.substr(5, colon - 5)).empty())
                current->title = Trim(item.substr(colon + 1));
        }
    }
    return list;
}
