// Creates the output folder of a run (with any missing parents) and makes it
// the current directory, where the encoder then writes.
#pragma once

// 0 when the folder exists or was created and is now the current directory,
// -1 otherwise (missing drive, a file in the way, no rights, too long).
int EnsureFolder(const char* path);
