#include "run/JobScheduler.h"

void RunJobs(EncoderJobs& jobs, int32_t slots, JobClient& client) {
    for (;;) {
        client.BeforeStarts();
        while (jobs.RunningCount() < slots && client.StartNext(jobs) == JobClient::Next::kTaken) {
        }
        uint32_t exitCode = 0;
        // A client that waits while nothing runs would wait for ever: none
        // running always ends the run of jobs.
        const int32_t slot = jobs.WaitForOne(&exitCode);
        if (slot < 0)
            return;
        client.Ended(slot, exitCode);
    }
}
