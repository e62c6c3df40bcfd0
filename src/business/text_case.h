#pragma once
// Comparing texts without regard to case, as the list boxes of the program's dialogs do when they
// look an entry up: Latin and Cyrillic letters (Ё included) in either case are alike.

#include <string_view>

namespace tenzora {

wchar_t foldCase(wchar_t c);
// True when `text` begins with `prefix`, letters compared without regard to case.
bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix);

} // namespace tenzora
