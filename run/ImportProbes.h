// The probes of one import: AVI and ISO media headers read in this process,
// every other file probed by an encoder run in probe mode, up to
// JobSlotCount of them at once, and a row for each file that probed well,
// in the order the files were chosen; the files that could not be added are
// noted in the import's report.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ImportReport.h"
#include "core/Session.h"
#include "core/SourceTable.h"

// Where the rows go (the main dialog's list).
class ImportHost {
public:
    // Appends a row; false when the list takes no more.
    virtual bool AddRow(const char* path, const SourceRow& facts) = 0;
    // Bracket the rows added at one go.
    virtual void BeginRows() {}
    virtual void EndRows() {}

protected:
    ~ImportHost() = default;
};

class ImportProbes {
public:
    // `paths` and `session` must outlive the probes; the session's list gets
    // the rows (through the host) and its settings name the probes' outputs.
    ImportProbes(const std::vector<std::string>& paths, const char* encoderFolder,
                 const Session& session);
    ~ImportProbes();
    ImportProbes(const ImportProbes&) = delete;
    ImportProbes& operator=(const ImportProbes&) = delete;

    // Probes every file and adds the rows; false when the encoder could not
    // be started (*startError tells why; the files after it were not probed).
    bool Run(ImportHost& host, ImportReport& report, uint32_t* startError);

private:
    class Probes;
    std::unique_ptr<Probes> probes_;
};
