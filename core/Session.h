// What one window of the program works on: the conversion choices and the
// list of sources. The main dialog owns it and hands it to the import, the
// run and the Output Settings dialog.
#pragma once

#include "core/ConversionSettings.h"
#include "core/SourceTable.h"

struct Session {
    ConversionSettings settings;
    SourceTable sources;
};
