#include "platform/text_layout.h"

#include <cmath>
#include <limits>

namespace tenzora {

namespace {

// TabbedTextOut's default tab distance: this many average character widths.
constexpr int kDefaultTabCharacters = 8;

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool isLineBreak(wchar_t c) {
    return c == L'\n' || c == L'\r';
}
bool isHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The longest beginning of `word` (at least one character, never splitting a surrogate pair)
// whose advance does not exceed `width`.
std::size_t fittingPrefix(const TextMeasurer& m, const Font& font, std::wstring_view word, double width) {
    std::size_t lo = 1, hi = word.size(); // lo always "accepted", hi the largest candidate
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo + 1) / 2;
        if (m.advance(font, word.substr(0, mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo < word.size() && isHighSurrogate(word[lo - 1])) ++lo;
    return lo;
}

// Wraps one paragraph (no line breaks inside) that starts at `offset` of the whole text.
void wrapParagraph(const TextMeasurer& m, const Font& font, std::wstring_view para, std::size_t offset,
                   double width, std::vector<WrappedLine>& out) {
    std::size_t pos = 0;
    while (pos < para.size()) {
        const std::size_t lineStart = pos;
        std::size_t lineEnd = lineStart;
        std::size_t i = lineStart;
        while (i < para.size()) {
            std::size_t j = i;
            while (j < para.size() && isBlank(para[j]))
                ++j;
            while (j < para.size() && !isBlank(para[j]))
                ++j;
            if (m.advance(font, para.substr(lineStart, j - lineStart)) <= width) {
                lineEnd = j;
                i = j;
                continue;
            }
            if (lineEnd == lineStart) {
                // Not even the first word fits: break it between characters.
                lineEnd = lineStart + fittingPrefix(m, font, para.substr(lineStart, j - lineStart), width);
            }
            break;
        }
        out.push_back({offset + lineStart, lineEnd - lineStart});
        pos = lineEnd;
        while (pos < para.size() && isBlank(para[pos]))
            ++pos; // blanks at a break are dropped
    }
}

std::int32_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<std::int32_t>(q);
}

} // namespace

std::int32_t roundToPixel(double value) {
    if (!(value == value)) return 0; // NaN
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::lround(std::clamp(value, lo, hi)));
}

void wrapText(const TextMeasurer& measurer, const Font& font, std::wstring_view text, double width,
              std::vector<WrappedLine>& out) {
    out.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !isLineBreak(text[end]))
            ++end;
        const std::wstring_view para = text.substr(start, end - start);
        if (para.empty())
            out.push_back({start, 0});
        else if (width <= 0)
            out.push_back({start, para.size()}); // a box without width wraps nothing
        else
            wrapParagraph(measurer, font, para, start, width, out);
        if (end >= text.size()) break;
        // One line break: CR LF, CR or LF.
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
        if (start == text.size())
            out.push_back({start, 0}); // a text ending in a break has an empty last line
    }
}

std::int32_t layoutTabbedLine(const TextMeasurer& measurer, const Font& font, std::wstring_view line,
                              std::int32_t x, std::span<const std::int32_t> tabStops, std::int32_t tabOrigin,
                              std::vector<TabbedPiece>& out) {
    out.clear();
    std::int64_t defaultTab = 0;
    if (tabStops.size() == 1) {
        defaultTab = tabStops[0];
        tabStops = {};
    } else {
        defaultTab = roundToPixel(kDefaultTabCharacters * measurer.metrics(font).averageCharWidth);
    }
    std::int64_t pen = x;
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        while (end < line.size() && line[end] != L'\t')
            ++end;
        // Line-break characters are not drawn: the caller splits lines.
        std::size_t visibleEnd = end;
        while (visibleEnd > start && isLineBreak(line[visibleEnd - 1]))
            --visibleEnd;
        const std::int64_t extent =
            visibleEnd > start ? roundToPixel(measurer.advance(font, line.substr(start, visibleEnd - start)))
                               : 0;
        if (visibleEnd > start) {
            out.push_back({static_cast<std::int32_t>(
                               std::clamp<std::int64_t>(pen, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max())),
                           start, visibleEnd - start});
        }
        if (end >= line.size()) {
            pen += extent;
            break;
        }
        while (!tabStops.empty() && tabOrigin + static_cast<std::int64_t>(tabStops.front()) <= pen + extent)
            tabStops = tabStops.subspan(1);
        if (!tabStops.empty())
            pen = tabOrigin + static_cast<std::int64_t>(tabStops.front());
        else if (defaultTab <= 0)
            pen += extent;
        else
            pen = tabOrigin + defaultTab * (floorDiv(pen - tabOrigin + extent, defaultTab) + 1);
        start = end + 1;
    }
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(pen - x, 0, std::numeric_limits<std::int32_t>::max()));
}

} // namespace tenzora
