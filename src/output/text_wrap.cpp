#include "output/text_wrap.h"

#include "model/formatting.h"
#include "model/print_form.h"

namespace tenzora {

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

} // namespace

void wrapText(const TZPrintFormElem& element, std::wstring& text, int& breaks) {
    const std::size_t n = text.size();
    if (element.wrapWidth <= 0 || static_cast<std::size_t>(element.wrapWidth) >= n) return;
    const std::size_t width = static_cast<std::size_t>(element.wrapWidth);
    std::wstring wrapped;
    wrapped.reserve(n + n / width + 1);
    for (std::size_t c = 0; c < n;) {
        std::size_t d = c + width;
        if (d < n) {
            // Back to the last blank after the piece's start; the blank begins the next piece.
            // Without one the word is cut at the width, so that wrapping always advances.
            std::size_t blank = d;
            while (blank > c && !isBlank(text[blank]))
                --blank;
            if (blank > c) d = blank;
        } else {
            d = n;
        }
        wrapped += trimBlanks(text.substr(c, d - c));
        if (width < n - c) {
            wrapped += L'\n';
            ++breaks;
        }
        c = d;
    }
    text = std::move(wrapped);
}

bool moveOverflow(const TZPrintForm& form, const TZPrintFormElem& element, int lines,
                  const std::wstring& heading, std::wstring& text, std::wstring& continuation) {
    if (element.maxLines <= 0 || lines <= element.maxLines) return false;
    continuation += heading + L"\n\n" + text + L"\n\n";
    text = form.english ? kSeeNextPageEnglish : kSeeNextPage;
    return true;
}

} // namespace tenzora
