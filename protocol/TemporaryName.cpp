#include "protocol/TemporaryName.h"

std::string TemporaryOutputName(const std::string& output, uint32_t processId) {
    size_t nameStart = output.find_last_of("\\/:");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = output.rfind('.');
    // A dot that starts the name ("\.avi") is not an extension.
    if (dot == std::string::npos || dot <= nameStart)
        dot = output.size();
    return output.substr(0, dot) + ".~enc" + std::to_string(processId) + output.substr(dot);
}
