#include "model/formatting.h"

#include <cmath>
#include <cstdio>

#include "model/polygon.h"

namespace tenzora {

namespace {

// Largest absolute value printed with digits: beyond it "%f" would write hundreds of digits.
// Such values only come from damaged files; they are printed in exponent form instead.
constexpr double kPrintableMagnitude = 1e15;

std::string printFixed(double value, int decimals) {
    char buffer[64];
    if (std::isfinite(value) && std::fabs(value) >= kPrintableMagnitude)
        std::snprintf(buffer, sizeof buffer, "%10.*e", decimals, value);
    else
        std::snprintf(buffer, sizeof buffer, "%10.*f", decimals, value);
    return buffer;
}

double smartTolerance(int decimals) {
    switch (decimals) {
    case 1:
        return 0.09999;
    case 2:
        return 0.009999;
    case 3:
        return 0.0009999;
    default:
        return -1.0; // no rounding to whole numbers for other precisions
    }
}

} // namespace

std::string formatNumberAscii(double value, int decimals, bool smart) {
    if (decimals < -10 || decimals > 10) return "0";
    if (std::fabs(value) < 1e-12) return "0";
    // Negative precisions print whole numbers (the printf forms exist only for 0 and above).
    int shown = decimals < 0 ? 0 : decimals;
    if (smart) {
        const double tolerance = smartTolerance(shown);
        if (tolerance > 0 && std::fabs(value - std::trunc(value)) <= tolerance) shown = 0;
    }
    return trimBlanks(printFixed(value, shown));
}

std::wstring formatNumber(double value, int decimals, bool smart) {
    const std::string ascii = formatNumberAscii(value, decimals, smart);
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring formatInteger(long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%10lld", value);
    const std::string ascii = trimBlanks(std::string(buffer));
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring measuredLengthText(const Diagonal* record) {
    if (record == nullptr || !(record->length > 0)) return L"?";
    return formatNumber(record->length, 1);
}

namespace {
template <typename S> S trimImpl(const S& text) {
    const auto isBlank = [](auto c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}
} // namespace

std::wstring trimBlanks(const std::wstring& text) {
    return trimImpl(text);
}
std::string trimBlanks(const std::string& text) {
    return trimImpl(text);
}

} // namespace tenzora
