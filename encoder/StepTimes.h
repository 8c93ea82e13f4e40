// Timestamps of the encoder's steps, for finding where its own time goes.
// Written to stderr only when the environment variable QUENFORENC_TIMING is
// set (to anything but "0"); otherwise every call costs one branch.
#pragma once

// Writes "quenforenc: at 0.123 s (+0.004 s) STEP", counted from the start of
// the process (its creation time, so the loader's share shows too).
void MarkStep(const char* step);

// For a step on another thread: "quenforenc: at 0.123 s (beside the main
// steps) STEP", without touching the main steps' intervals.
void MarkSideStep(const char* step);
