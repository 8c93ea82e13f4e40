#include "run/ImportProbes.h"

#include <cstdio>

#include "core/EncoderReports.h"
#include "core/OutputFormat.h"
#include "core/OutputNaming.h"
#include "core/SourceListRows.h"
#include "encoder/HeaderProbe.h"
#include "framework/ProgramFolder.h"
#include "protocol/EncoderModes.h"
#include "protocol/ExitCodes.h"
#include "run/BatchRun.h"
#include "run/EncoderLaunch.h"
#include "run/EncoderJobs.h"
#include "run/JobScheduler.h"

namespace {

// The probe writes nothing, but the encoder still wants an output name; when
// the output folder would make it too long, a bare file name does.
void ProbeOutputPath(const ConversionSettings& settings, const char* sourcePath, char* out,
                     size_t size) {
    if (OutputPathFor(settings, sourcePath, out, size))
        return;
    OutputNamingRules noRules;
    if (!ComposeOutputPath("", sourcePath, OutputExtension(settings.outputFormat), noRules, out,
                           size)) {
        std::snprintf(out, size, "probe.%s", OutputExtension(settings.outputFormat));
    }
}

// The facts of a file whose header this process reads itself, as the
// encoder's probe would report them: the same numbers through the same checks.
bool ReadHeaderHere(const char* path, ProbeResult& probe) {
    VideoInfo info;
    if (ProbeKnownHeader(path, info) != HeaderProbe::kRead)
        return false;
    const ProbeReport report = MakeProbeReport(info);
    ApplyProbeReport(kEventDuration, report.durationSeconds, probe);
    if (report.durationSeconds > 0) {
        ApplyProbeReport(kEventWidth, report.width, probe);
        ApplyProbeReport(kEventHeight, report.height, probe);
        ApplyProbeReport(kEventFrameRate, report.frameRateUnits, probe);
    }
    return true;
}

// A probe of sound without a picture gives a row only while a sound-only
// format is chosen, and only with its length.
bool TakesSoundOnly(const ConversionSettings& settings, const ProbeResult& probe) {
    return IsAudioFormat(settings.outputFormat) && !probe.rejected && probe.facts.duration > 0.0;
}

} // namespace

// Each file's state, the probes running at once, and the rows added in the
// order the files were chosen.
class ImportProbes::Probes : public JobReportSink, public JobClient {
public:
    Probes(const std::vector<std::string>& paths, const char* encoderFolder, const Session& session)
        : paths_(paths), items_(paths.size()), encoderFolder_(encoderFolder), session_(session) {
        for (int32_t& item : slotItem_)
            item = -1;
    }

    bool Run(ImportHost& host, ImportReport& report, uint32_t* startError) {
        host_ = &host;
        report_ = &report;
        startError_ = startError;
        // Without an encoder the program cannot convert: the import tells it
        // as before, through the first start, instead of listing files.
        char encoder[kPathCapacity];
        readHere_ = EncoderExePath(encoderFolder_, encoder, sizeof encoder) &&
                    GetFileAttributesA(encoder) != INVALID_FILE_ATTRIBUTES;
        EncoderJobs probes(*this);
        RunJobs(probes, JobSlotCount(session_.settings), *this);
        AddResolved();
        return started_;
    }

    LRESULT OnJobReport(int32_t slot, uint32_t code, int32_t value) override {
        const int32_t index = slotItem_[slot];
        if (index >= 0)
            ApplyProbeReport(code, value, items_[index].probe);
        return kEventGoOn;
    }

    void BeforeStarts() override { AddResolved(); }

    Next StartNext(EncoderJobs& probes) override {
        const int32_t count = static_cast<int32_t>(items_.size());
        // The user is told once that the encoder is missing; asking again for
        // every further file would only repeat it.
        if (!started_ || next_ >= count)
            return Next::kNothing;
        if (paths_[next_].size() > kMaxSourcePathLength) {
            items_[next_++].state = State::kPathTooLong;
            return Next::kTaken;
        }
        if (session_.sources.Count() + Pending(next_) >= kSourceTableRows) {
            // Only a probe in front that fails can still make room.
            if (AnyRunningBefore(next_))
                return Next::kWait;
            items_[next_++].state = State::kLeftOut;
            return Next::kTaken;
        }
        // AVI and ISO media headers are read here, at once; only other
        // files need an encoder.
        if (readHere_ && ReadHeaderHere(paths_[next_].c_str(), items_[next_].probe)) {
            items_[next_++].state = State::kEnded;
            return Next::kTaken;
        }
        started_ = Start(next_, probes);
        if (!started_)
            return Next::kNothing;
        ++next_;
        return Next::kTaken;
    }

    void Ended(int32_t slot, uint32_t exitCode) override {
        Item& item = items_[slotItem_[slot]];
        item.state = State::kEnded;
        item.exitCode = exitCode;
        slotItem_[slot] = -1;
    }

private:
    enum class State { kWaiting, kRunning, kEnded, kPathTooLong, kLeftOut, kNotStarted, kResolved };
    struct Item {
        State state = State::kWaiting;
        ProbeResult probe;
        uint32_t exitCode = 0;
    };

    bool Start(int32_t index, EncoderJobs& probes);
    // Adds the rows, and notes the problems, of the files before the next
    // one to start whose probes have ended, in the order the files were
    // chosen, up to the first one still probing.
    void AddResolved();
    // Probes begun but not yet added, in front of file `index`; while they
    // may still take the list's last rows a later file must wait.
    int32_t Pending(int32_t index) const;
    bool AnyRunningBefore(int32_t index) const;

    const std::vector<std::string>& paths_;
    std::vector<Item> items_;
    const char* encoderFolder_;
    const Session& session_;
    ImportHost* host_ = nullptr;
    ImportReport* report_ = nullptr;
    uint32_t* startError_ = nullptr;
    int32_t slotItem_[kMaxJobs]; // the file each job slot probes; -1 for none
    int32_t added_ = 0;          // files before this one are resolved
    int32_t next_ = 0;           // the next file to start
    bool started_ = true;        // false once the encoder could not be started
    bool readHere_ = false;      // known headers are read in this process
};

void ImportProbes::Probes::AddResolved() {
    if (added_ >= next_ || items_[added_].state == State::kRunning)
        return;
    host_->BeginRows();
    for (; added_ < next_ && items_[added_].state != State::kRunning; ++added_) {
        Item& item = items_[added_];
        const char* path = paths_[added_].c_str();
        if (item.state == State::kPathTooLong) {
            report_->Add(added_, ImportProblem::kPathTooLong);
        } else if (item.state == State::kLeftOut) {
            report_->AddLeftOut();
        } else if (item.state == State::kEnded) {
            if (item.exitCode == static_cast<uint32_t>(kExitNoVideoStream)) {
                // Sound without a picture: a row while a sound-only format
                // is chosen, refused otherwise.
                if (!TakesSoundOnly(session_.settings, item.probe)) {
                    report_->Add(added_, ImportProblem::kNoVideo);
                } else if (!host_->AddRow(path, item.probe.facts)) {
                    report_->Add(added_, ImportProblem::kProbeFailed);
                }
            } else if (item.exitCode == static_cast<uint32_t>(kExitDolbyVisionOnly)) {
                report_->Add(added_, ImportProblem::kDolbyVisionOnly);
            } else if (!item.probe.Usable() || !host_->AddRow(path, item.probe.facts)) {
                report_->Add(added_, ImportProblem::kProbeFailed);
            }
        }
        item.state = State::kResolved;
    }
    host_->EndRows();
}

int32_t ImportProbes::Probes::Pending(int32_t index) const {
    int32_t pending = 0;
    for (int32_t i = added_; i < index; ++i) {
        pending += items_[i].state == State::kRunning ||
                   (items_[i].state == State::kEnded && items_[i].probe.Usable());
    }
    return pending;
}

bool ImportProbes::Probes::AnyRunningBefore(int32_t index) const {
    for (int32_t i = added_; i < index; ++i) {
        if (items_[i].state == State::kRunning)
            return true;
    }
    return false;
}

bool ImportProbes::Probes::Start(int32_t index, EncoderJobs& probes) {
    const char* path = paths_[index].c_str();
    char output[kPathCapacity];
    ProbeOutputPath(session_.settings, path, output, sizeof output);
    // The slot is the file's before its encoder starts: reports that come
    // while the start still runs belong to this file too.
    const int32_t slot = probes.FreeSlot();
    if (slot >= 0)
        slotItem_[slot] = index;
    DWORD error = 0;
    const EncoderJobs::Launch launch =
        probes.StartJob(slot, encoderFolder_, session_.settings, SourceRow{}, path, output,
                        kEncoderModeProbe, &error);
    if (launch == EncoderJobs::Launch::kStarted) {
        items_[index].state = State::kRunning;
        return true;
    }
    if (slot >= 0)
        slotItem_[slot] = -1;
    if (launch == EncoderJobs::Launch::kNoEncoder) {
        *startError_ = error;
        items_[index].state = State::kNotStarted;
        return false;
    }
    items_[index].state = State::kEnded; // an unusable probe: the file is reported
    return true;
}

ImportProbes::ImportProbes(const std::vector<std::string>& paths, const char* encoderFolder,
                           const Session& session)
    : probes_(new Probes(paths, encoderFolder, session)) {}

ImportProbes::~ImportProbes() = default;

bool ImportProbes::Run(ImportHost& host, ImportReport& report, uint32_t* startError) {
    return probes_->Run(host, report, startError);
}
