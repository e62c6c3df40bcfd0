#pragma once
// Line layout shared by every surface, so that a wrapped or tabbed text breaks at the same places
// on the screen, on paper and in a metafile: word wrapping into a box (GDI DrawText with
// DT_WORDBREAK) and tab expansion (GDI TabbedTextOut).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/text_measurer.h"

namespace tenzora {

// One line of a wrapped text: characters [start, start + length) of the text.
struct WrappedLine {
    std::size_t start = 0;
    std::size_t length = 0;
};

// Breaks the text into lines no wider than `width` pixels: at line feeds (LF, CR or CR LF), and
// between words at spaces (the spaces at a break are dropped). A word wider than the box on its
// own is broken between characters rather than run past the edge, so no text is lost. Tabs count
// as the spaces they stand next to. An empty text gives no line; an empty paragraph one empty line.
// `out` is cleared and reused.
void wrapText(const TextMeasurer& measurer, const Font& font, std::wstring_view text, double width,
              std::vector<WrappedLine>& out);

// One run of a tabbed line and the x where it starts.
struct TabbedPiece {
    std::int32_t x = 0;
    std::size_t start = 0;
    std::size_t length = 0;
};

// Lays out one line of text with tabs starting at x, as TabbedTextOut does: each tab moves the
// pen to the first stop (tabOrigin + stop) that lies beyond the end of the text before it; with
// one stop given, stops repeat at that distance; past the last of several stops (or with none),
// they repeat every 8 average character widths. Returns the line's width from x; `out` is cleared
// and reused (empty runs are left out).
std::int32_t layoutTabbedLine(const TextMeasurer& measurer, const Font& font, std::wstring_view line,
                              std::int32_t x, std::span<const std::int32_t> tabStops, std::int32_t tabOrigin,
                              std::vector<TabbedPiece>& out);

// Pixel values of measured lengths: the nearest whole pixel.
std::int32_t roundToPixel(double value);

} // namespace tenzora
