#include "business/text_case.h"

namespace tenzora {

wchar_t foldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
    if (c >= L'\u0410' && c <= L'\u042F') return static_cast<wchar_t>(c + 0x20); // А … Я
    if (c >= L'\u0400' && c <= L'\u040F') return static_cast<wchar_t>(c + 0x50); // Ѐ … Џ, Ё included
    return c;
}

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (foldCase(text[i]) != foldCase(prefix[i])) return false;
    return true;
}

} // namespace tenzora
