#include "encoder/OptionValues.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

bool ParseWholeNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty())
        return false;
    size_t i = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size())
        return false;
    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return false;
        unsigned digit = static_cast<unsigned>(c - '0');
        if (magnitude > (9223372036854775807ULL - digit) / 10)
            return false; // past INT64_MAX
        magnitude = magnitude * 10 + digit;
    }
    long long v = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (v < low || v > high)
        return false;
    value = v;
    return true;
}

bool ParseCount(const std::string& text, int& value) {
    long long v = 0;
    if (!ParseWholeNumber(text, 0, kLargestNumber, v) || text[0] == '-' || text[0] == '+')
        return false;
    value = static_cast<int>(v);
    return true;
}

// A plain decimal number: digits with at most one point, an optional sign.
bool ParseDecimal(const std::string& text, double& value) {
    if (text.empty())
        return false;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (size_t j = i; j < text.size(); ++j) {
        if (text[j] >= '0' && text[j] <= '9') {
            digits = true;
        } else if (text[j] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value);
}

// "16/9", "2.21/1" or "1.7778": a positive ratio.
bool ParseRatio(const std::string& text, double& value) {
    size_t slash = text.find('/');
    double num = 0.0;
    double den = 1.0;
    if (slash == std::string::npos) {
        if (!ParseDecimal(text, num))
            return false;
    } else if (!ParseDecimal(text.substr(0, slash), num) ||
               !ParseDecimal(text.substr(slash + 1), den)) {
        return false;
    }
    if (text[0] == '-' || text[0] == '+' || !(num > 0.0) || !(den > 0.0))
        return false;
    value = num / den;
    return true;
}

std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

bool IsOneOf(const std::string& value, const char* const* allowed) {
    for (; *allowed != nullptr; ++allowed) {
        if (value == *allowed)
            return true;
    }
    return false;
}
