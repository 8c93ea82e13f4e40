#include "core/ListFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/SourceListRows.h"

namespace {

const char kHeader[] = "Tarvello list 1";

struct StatusName {
    RowStatus status;
    const char* name;
};

const StatusName kStatusNames[] = {
    {RowStatus::kNone, ""},          {RowStatus::kWaiting, "Waiting"},
    {RowStatus::kConverting, "Converting"}, {RowStatus::kDone, "Done"},
    {RowStatus::kFailed, "Failed"},  {RowStatus::kStopped, "Stopped"},
};

const char* StatusText(RowStatus status) {
    for (const StatusName& entry : kStatusNames) {
        if (entry.status == status)
            return entry.name;
    }
    return "";
}

RowStatus StatusFrom(const std::string& text) {
    for (const StatusName& entry : kStatusNames) {
        if (text == entry.name)
            return entry.status;
    }
    return RowStatus::kNone;
}

// A reason holds no tab or line end of its own: it would break the line.
std::string OneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool ReadNumber(const std::string& text, double* value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0' && std::isfinite(*value);
}

bool ReadCount(const std::string& text, int32_t* value) {
    double number = 0.0;
    if (!ReadNumber(text, &number) || number < 0.0 || number > 1e6 ||
        number != std::floor(number)) {
        return false;
    }
    *value = static_cast<int32_t>(number);
    return true;
}

bool ReadRow(const std::string& line, ListFileRow* row) {
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() < 6 || fields.size() > 7)
        return false;
    const std::string& path = fields[5];
    if (path.empty() || path.size() > kMaxSourcePathLength)
        return false;
    if (!ReadNumber(fields[1], &row->facts.duration) || !(row->facts.duration > 0.0) ||
        !ReadCount(fields[2], &row->facts.width) || !ReadCount(fields[3], &row->facts.height) ||
        !ReadNumber(fields[4], &row->facts.frameRate) || row->facts.frameRate < 0.0) {
        return false;
    }
    row->path = path;
    row->state.status = StatusFrom(fields[0]);
    if (row->state.status == RowStatus::kFailed && fields.size() == 7)
        row->state.reason = fields[6];
    return true;
}

} // namespace

std::string WriteListFile(const SourceTable& table) {
    std::string text = std::string(kHeader) + "\r\n";
    char numbers[128];
    for (int32_t i = 0; i < table.Count(); ++i) {
        const SourceRow* facts = table.At(i);
        const RowState* state = table.State(i);
        std::snprintf(numbers, sizeof numbers, "\t%.6f\t%ld\t%ld\t%.7f\t", facts->duration,
                      static_cast<long>(facts->width), static_cast<long>(facts->height),
                      facts->frameRate);
        text += StatusText(state->status);
        text += numbers;
        text += table.Path(i);
        if (state->status == RowStatus::kFailed)
            text += "\t" + OneLine(state->reason);
        text += "\r\n";
    }
    return text;
}

ListFileContents ReadListFile(const std::string& text) {
    ListFileContents contents;
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    bool header = false;
    bool ours = false;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!header) {
            header = true;
            ours = line == kHeader;
            if (!ours && !line.empty())
                ++contents.unreadable;
            continue;
        }
        if (line.empty())
            continue;
        ListFileRow row;
        if (!ours || contents.rows.size() >= static_cast<size_t>(kSourceTableRows) ||
            !ReadRow(line, &row)) {
            ++contents.unreadable;
            continue;
        }
        contents.rows.push_back(row);
    }
    return contents;
}

ResumeOffer DecideResume(const std::vector<ListFileRow>& rows) {
    ResumeOffer offer;
    for (const ListFileRow& row : rows) {
        const RowStatus status = row.state.status;
        if (status == RowStatus::kWaiting || status == RowStatus::kConverting)
            offer.ask = true;
        if (status != RowStatus::kNone)
            ++offer.total;
        if (status == RowStatus::kDone)
            ++offer.done;
    }
    if (!offer.ask)
        offer = ResumeOffer{};
    return offer;
}

void StopInterruptedRows(std::vector<ListFileRow>& rows) {
    for (ListFileRow& row : rows) {
        if (row.state.status == RowStatus::kWaiting || row.state.status == RowStatus::kConverting)
            row.state.status = RowStatus::kStopped;
    }
}

void FormatResumeQuestion(const ResumeOffer& offer, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    std::snprintf(out, size,
                  "The last conversion stopped after %d of %d files. Convert the remaining "
                  "files now?",
                  static_cast<int>(offer.done), static_cast<int>(offer.total));
}
