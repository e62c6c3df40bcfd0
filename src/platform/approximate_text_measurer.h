#pragma once
// A deterministic text measurer that needs no font files: the same widths on every machine, for
// tests and for metafiles written without Qt. Its figures approximate Tahoma:
//  - a positive font height is the cell height; the em is the cell / 1.207 (Tahoma's ascent of
//    1.0005 em plus descent of 0.2065 em); a negative height is the em itself;
//  - advances are fixed fractions of the em by kind of character: 0.3 for narrow ones (space,
//    i, l, j, punctuation), 0.55 for digits (all alike, as Tahoma's) and most letters, 0.65 for capitals,
//    0.85 for wide ones (m, w, M, W, Ш, Щ, Ж, Ю, Ф, Ы, @, %); bold adds 10 %; no kerning;
//  - the average character width is 0.5 em (bold 0.55 em).

#include "platform/text_measurer.h"

namespace tenzora {

class ApproximateTextMeasurer : public TextMeasurer {
  public:
    FontMetrics metrics(const Font& font) const override;
    double advance(const Font& font, std::wstring_view text) const override;
    void characterAdvances(const Font& font, std::wstring_view text, std::vector<double>& out) const override;

    // The em size of a font under the rules above.
    static double emOf(const Font& font);
    // The advance of one character, in ems, before the bold factor.
    static double characterEms(wchar_t c);
};

} // namespace tenzora
