// Keeps the windows alive while the thread waits for something else.
#pragma once

// Dispatches at most one waiting window message of this thread (with the
// dialogs' keyboard handling); returns at once when none is waiting.
void PumpOneMessage();
