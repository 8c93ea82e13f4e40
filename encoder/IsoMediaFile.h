// The ISO base media header reader on a file: reads only the box headers on
// the way to the movie box and the movie box itself, wherever it lies.
#pragma once

#include <string>

#include "media/IsoMediaReader.h"

IsoMediaResult ReadIsoMediaFile(const std::string& path, VideoInfo& info);
