// The plain values of the encoder's option text: whole numbers, counts,
// decimals, ratios and lists. Pure.
#pragma once

#include <string>
#include <vector>

constexpr long long kLargestNumber = 100000000; // no option needs more

// A whole decimal number within [low, high], an optional sign, no blanks;
// false otherwise.
bool ParseWholeNumber(const std::string& text, long long low, long long high, long long& value);
// A count from 0 to the largest any option needs, written without a sign.
bool ParseCount(const std::string& text, int& value);
// A plain decimal number: digits with at most one point, an optional sign.
bool ParseDecimal(const std::string& text, double& value);
// "16/9", "2.21/1" or "1.7778": a positive ratio.
bool ParseRatio(const std::string& text, double& value);
// The pieces of `text` between the separators (empty ones included).
std::vector<std::string> SplitOn(const std::string& text, char separator);
// `value` is one of the null-terminated list.
bool IsOneOf(const std::string& value, const char* const* allowed);
