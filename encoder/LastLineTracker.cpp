#include "encoder/LastLineTracker.h"

void LastLineTracker::Feed(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        char c = data[i];
        if (c == '\n' || c == '\r') {
            if (current_.find_first_not_of(" \t") != std::string::npos)
                last_ = current_;
            current_.clear();
        } else if (current_.size() < kLongestLine) {
            current_.push_back(c);
        }
    }
}
