#include "model/typed_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tenzora {

namespace {
// Longer texts are not numbers anybody typed; only this much is looked at.
constexpr std::size_t kMaxNumberCharacters = 64;
} // namespace

double readTypedNumber(std::wstring_view text, DecimalComma comma) {
    std::string ascii;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    for (; i < text.size() && ascii.size() < kMaxNumberCharacters; ++i) {
        wchar_t c = text[i];
        if (c == L',' && comma == DecimalComma::Accepted) c = L'.';
        if (c < 0x20 || c > 0x7E) break;
        ascii.push_back(static_cast<char>(c));
    }
    std::size_t start = 0;
    if (!ascii.empty() && ascii[0] == '+') start = 1;
    // from_chars would also read "inf" and "nan"; a typed length is digits.
    if (start < ascii.size() && ascii[start] != '-' && ascii[start] != '.' &&
        (ascii[start] < '0' || ascii[start] > '9'))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data() + start, ascii.data() + ascii.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return 0.0;
    (void)end;
    return value;
}

} // namespace tenzora
