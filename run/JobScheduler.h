// Keeps up to a number of encoder jobs going: whenever a slot is free it asks
// its client for the next job, and it hands every job that ends back to the
// client, until nothing runs and the client has nothing more to start. The
// import's probes and the batch run both go through it.
#pragma once

#include <cstdint>

#include "run/EncoderJobs.h"

class JobClient {
public:
    enum class Next {
        kTaken,   // one more item was dealt with (a job started, or it needed none)
        kWait,    // nothing can start before a running job ends
        kNothing, // nothing more to start now
    };
    // Called before each round of starts.
    virtual void BeforeStarts() {}
    virtual Next StartNext(EncoderJobs& jobs) = 0;
    // The job in `slot` ended with `exitCode`; its slot is free again.
    virtual void Ended(int32_t slot, uint32_t exitCode) = 0;

protected:
    ~JobClient() = default;
};

// Runs the client's jobs, at most `slots` at once, until none runs and it
// starts no more.
void RunJobs(EncoderJobs& jobs, int32_t slots, JobClient& client);
