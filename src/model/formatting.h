#pragma once
// Number texts used on screen, on paper and in files. Always the C locale's decimal point.

#include <string>

namespace tenzora {

// decimals outside −10..10 give "0"; |value| < 1e-12 gives "0"; otherwise printf "%10.Nf" trimmed.
// With `smart`, a value within 0.09999 (1 decimal), 0.009999 (2) or 0.0009999 (3) of its
// integer part (truncated towards zero) is printed without decimals.
std::wstring formatNumber(double value, int decimals, bool smart = false);

// printf "%10d" trimmed.
std::wstring formatInteger(long long value);

// A measured length for display: "?" when the record is missing or not measured (length <= 0),
// otherwise the length with one decimal.
std::wstring measuredLengthText(const struct Diagonal* record);

// Narrow (ASCII) forms of the same, for files and scripts.
std::string formatNumberAscii(double value, int decimals, bool smart = false);

// Removes blanks (spaces and tabs) at both ends.
std::wstring trimBlanks(const std::wstring& text);
std::string trimBlanks(const std::string& text);

} // namespace tenzora
