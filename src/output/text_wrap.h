#pragma once
// Line wrapping of the sheet's variable texts, and the overflow of a text that needs more lines
// than its box on the sheet holds: the text then goes to the continuation page under a heading
// and the box says where to look.

#include <string>

namespace tenzora {

class TZPrintForm;
struct TZPrintFormElem;

// Wraps `text` into lines of at most `element.wrapWidth` characters, breaking at the last blank
// within the width; a word longer than the width is cut at the width, so every line advances.
// Each piece is trimmed of blanks. `breaks` grows by the number of line feeds inserted. A width
// of 0 or less, or one not below the text's length, leaves the text alone.
void wrapText(const TZPrintFormElem& element, std::wstring& text, int& breaks);

// What the box prints instead of a text sent to the continuation page.
inline constexpr wchar_t kSeeNextPage[] = L"(см. следующую страницу)";
inline constexpr wchar_t kSeeNextPageEnglish[] = L"(see next page)";

// When `lines` exceeds the element's `maxLines` (0 or less: no limit), appends the heading, the
// text and blank lines to `continuation` and replaces the text by the pointer to the next page.
// True when the text overflowed.
bool moveOverflow(const TZPrintForm& form, const TZPrintFormElem& element, int lines,
                  const std::wstring& heading, std::wstring& text, std::wstring& continuation);

} // namespace tenzora
