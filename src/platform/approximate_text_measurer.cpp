#include "platform/approximate_text_measurer.h"

#include <cwctype>

namespace tenzora {

namespace {

// Tahoma's vertical metrics in ems (2049 and 423 units of 2048).
constexpr double kAscentEms = 1.0005;
constexpr double kDescentEms = 0.2065;
constexpr double kCellEms = kAscentEms + kDescentEms;

constexpr double kNarrowEms = 0.3;
constexpr double kNormalEms = 0.55;
constexpr double kCapitalEms = 0.65;
constexpr double kWideEms = 0.85;
constexpr double kAverageEms = 0.5;
constexpr double kBoldFactor = 1.1;
constexpr std::int32_t kBoldFrom = 600; // weights from semi-bold up count as bold

constexpr std::wstring_view kNarrow = L" \t.,:;!|'`\"()[]{}iljfrtI-";
constexpr std::wstring_view kWide = L"mwMW@%ШЩЖЮФЫшщжюфы";

double boldFactor(const Font& font) {
    return font.weight >= kBoldFrom ? kBoldFactor : 1.0;
}

} // namespace

double ApproximateTextMeasurer::emOf(const Font& font) {
    const std::int32_t h = font.effectiveHeight();
    return h > 0 ? h / kCellEms : -static_cast<double>(h);
}

double ApproximateTextMeasurer::characterEms(wchar_t c) {
    if (kNarrow.find(c) != std::wstring_view::npos) return kNarrowEms;
    if (kWide.find(c) != std::wstring_view::npos) return kWideEms;
    if (c >= L'0' && c <= L'9') return kNormalEms;
    // Capitals of Latin and Cyrillic (А … Я, Ё).
    if ((c >= L'A' && c <= L'Z') || (c >= 0x0410 && c <= 0x042F) || c == 0x0401) return kCapitalEms;
    return kNormalEms;
}

FontMetrics ApproximateTextMeasurer::metrics(const Font& font) const {
    const double em = emOf(font);
    return {kAscentEms * em, kDescentEms * em, kAverageEms * em * boldFactor(font)};
}

double ApproximateTextMeasurer::advance(const Font& font, std::wstring_view text) const {
    double ems = 0;
    for (wchar_t c : text)
        ems += characterEms(c);
    return ems * emOf(font) * boldFactor(font);
}

void ApproximateTextMeasurer::characterAdvances(const Font& font, std::wstring_view text,
                                                std::vector<double>& out) const {
    out.clear();
    const double scale = emOf(font) * boldFactor(font);
    for (wchar_t c : text)
        out.push_back(characterEms(c) * scale);
}

} // namespace tenzora
