#pragma once
// Measuring text without drawing it. Every surface measures through one of these, and the
// metafile writers take one in their constructor: they lay out word-wrapped and tabbed text and
// write character spacing themselves, so they need the widths the reader's font would give.
// The Qt backend measures with the real (or substituted) fonts; the core has a deterministic
// approximation for tests and for runs without Qt.

#include <string_view>
#include <vector>

#include "platform/surface_types.h"

namespace tenzora {

// Vertical metrics of a font in pixels (GDI's TEXTMETRIC: tmAscent, tmDescent, tmAveCharWidth).
struct FontMetrics {
    double ascent = 0;
    double descent = 0;
    double averageCharWidth = 0;
    // The cell height (tmHeight): the distance from one line of text to the next.
    double height() const { return ascent + descent; }
};

class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    virtual FontMetrics metrics(const Font& font) const = 0;
    // The advance width of the text in pixels, written horizontally in the font (the escapement
    // plays no part).
    virtual double advance(const Font& font, std::wstring_view text) const = 0;
    // The advance of each character of the text, in order, such that their running sums are the
    // advances of the text's beginnings. `out` is cleared and reused.
    virtual void characterAdvances(const Font& font, std::wstring_view text, std::vector<double>& out) const;
};

} // namespace tenzora
